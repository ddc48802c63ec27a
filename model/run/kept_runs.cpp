// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/kept_runs.h"

#include "model/language/catalog.h"
#include "model/numbers/conversions.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnis {

namespace {

std::shared_ptr<const ResultStore> copyOfRun(const ResultStore& store)
{
    auto copy = std::make_shared<ResultStore>();
    // A run writes up to LastStep + 1; what lies above is left from older runs and is not this run's.
    const auto end = std::size_t(std::clamp(int(store.LastStep) + 2, 0, StoreSize));
    std::copy_n(store.PopN.begin(), end, copy->PopN.begin());
    std::copy_n(store.PopDN.begin(), end, copy->PopDN.begin());
    std::copy_n(store.PopDNperN.begin(), end, copy->PopDNperN.begin());
    copy->ParamR = store.ParamR;
    copy->ParamK = store.ParamK;
    copy->LastStep = store.LastStep;
    return copy;
}

int freeSlot(const std::vector<KeptRun>& runs)
{
    for (int slot = 0; slot < MaxKeptRuns; ++slot) {
        if (std::none_of(runs.begin(), runs.end(), [slot](const KeptRun& run) { return run.slot == slot; }))
            return slot;
    }
    return 0;
}

// The five parameters as the labels name them.
struct LabelField {
    const char* prefix;
    const char* suffix;
    double RunParameters::*number; // none: the steps
};
constexpr std::array<LabelField, 5> LabelFields{{
    {"r=", "", &RunParameters::r},
    {"N(0)=", "", &RunParameters::n0},
    {"K=", "", &RunParameters::K},
    {"T=", "", &RunParameters::lag},
    {"", " steps", nullptr},
}};
constexpr int ShortDigits = 4;
constexpr int MostDigits = 15;

double fieldValue(const RunParameters& parameters, const LabelField& field)
{
    return field.number ? parameters.*field.number : double(parameters.steps);
}

// The digits of a number's whole part, which shortening never rounds away.
int wholeDigits(double value)
{
    // Counted by comparison rather than by log10, which rounds 999999999999999 up to 15 digits' worth
    // and whose last bits differ between platforms.
    const double whole = std::floor(std::abs(value));
    if (!(whole >= 1.0 && whole < 1e15))
        return 0;
    int digits = 1;
    for (double power = 10.0; whole >= power; power *= 10.0)
        ++digits;
    return digits;
}

// The texts of one parameter for every run: as short as they can be while runs that differ in it
// still read differently.
std::vector<std::string> shortTexts(const std::vector<RunParameters>& runs, const LabelField& field, char separator)
{
    int digits = ShortDigits;
    for (const RunParameters& run : runs)
        digits = std::max(digits, wholeDigits(fieldValue(run, field)));
    std::vector<std::string> texts;
    for (; digits <= MostDigits; ++digits) {
        texts.clear();
        for (const RunParameters& run : runs)
            texts.push_back(numberToText(fieldValue(run, field), separator, digits));
        bool apart = true;
        for (std::size_t a = 0; a < runs.size() && apart; ++a)
            for (std::size_t b = a + 1; b < runs.size() && apart; ++b)
                apart = texts[a] != texts[b] || fieldValue(runs[a], field) == fieldValue(runs[b], field);
        if (apart)
            break;
    }
    return texts;
}

// With a comma as the decimal separator the fields are parted by semicolons.
std::string partOf(char decimalSeparator) { return decimalSeparator == ',' ? "; " : ", "; }

// The steps in a legend, which people read (a run's full label heads copied columns and stays English).
std::string stepsText(int steps, const std::string& text)
{
    // TRANSLATORS: a run's number of steps in a chart's legend, "200 steps"; English keeps one form for
    // every count, as its legend always has.
    return fill(translatePlural("{count} steps", "{count} steps", (unsigned long long)std::max(steps, 0)),
                {{"count", text}});
}

bool differs(const std::vector<RunParameters>& runs, const LabelField& field)
{
    return std::any_of(runs.begin(), runs.end(), [&](const RunParameters& run) {
        return fieldValue(run, field) != fieldValue(runs.front(), field);
    });
}

} // namespace

bool KeptRuns::keep(const ResultStore& store, const RunParameters& parameters)
{
    if (contains(parameters))
        return false;
    if (m_runs.size() >= std::size_t(MaxKeptRuns))
        m_runs.erase(m_runs.begin());
    m_runs.push_back({parameters, freeSlot(m_runs), copyOfRun(store)});
    return true;
}

bool KeptRuns::contains(const RunParameters& parameters) const
{
    return std::any_of(m_runs.begin(), m_runs.end(), [&](const KeptRun& run) { return run.parameters == parameters; });
}

std::vector<std::string> legendLabels(const std::vector<RunParameters>& runs, char decimalSeparator)
{
    std::vector<std::string> labels(runs.size());
    if (runs.empty())
        return labels;
    const bool anyDiffers
        = std::any_of(LabelFields.begin(), LabelFields.end(), [&](const LabelField& f) { return differs(runs, f); });
    for (const LabelField& field : LabelFields) {
        if (anyDiffers && !differs(runs, field))
            continue;
        const std::vector<std::string> texts = shortTexts(runs, field, decimalSeparator);
        for (std::size_t run = 0; run < runs.size(); ++run) {
            if (!labels[run].empty())
                labels[run].append(partOf(decimalSeparator));
            labels[run].append(field.number ? std::string(field.prefix).append(texts[run])
                                            : stepsText(runs[run].steps, texts[run]));
        }
    }
    return labels;
}

namespace {

// The five fields in order, the steps in English for copied data or in the language on show.
std::string labelOf(const RunParameters& parameters, char decimalSeparator, bool shown)
{
    std::string label;
    for (const LabelField& field : LabelFields) {
        const std::string number = numberToText(fieldValue(parameters, field), decimalSeparator);
        label.append(label.empty() ? "" : partOf(decimalSeparator));
        if (field.number || !shown)
            label.append(field.prefix).append(number).append(field.suffix);
        else
            label.append(stepsText(parameters.steps, number));
    }
    return label;
}

} // namespace

std::string runLabel(const RunParameters& parameters, char decimalSeparator)
{
    return labelOf(parameters, decimalSeparator, false);
}

std::string shownRunLabel(const RunParameters& parameters, char decimalSeparator)
{
    return labelOf(parameters, decimalSeparator, true);
}

} // namespace tarnis
