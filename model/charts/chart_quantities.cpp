// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_quantities.h"

#include "model/language/catalog.h"
#include "model/numbers/conversions.h"
#include "model/numbers/double_double.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnis {

namespace {

constexpr int ReadoutDigits = 15;

// What every readout tells after the chart's own two quantities.
constexpr std::array<Quantity, 4> StepQuantities{Quantity::Time, Quantity::N, Quantity::DN, Quantity::DNperN};

std::string valueText(double value, Quantity quantity, char decimalSeparator)
{
    if (quantity == Quantity::Time)
        return std::to_string(int(value));
    if (std::isnan(value))
        // TRANSLATORS: a readout's value where the chart has none, as "ln N(t) = no value".
        return std::string(translate("no value"));
    return numberToText(value, decimalSeparator, ReadoutDigits);
}

} // namespace

std::string quantityName(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Time:
        return "t";
    case Quantity::N:
        return "N(t)";
    case Quantity::NextN:
        return "N(t+1)";
    case Quantity::DN:
        return "dN(t)";
    case Quantity::DNperN:
        return "dN(t)/N(t)";
    case Quantity::LogN:
        return "ln N(t)";
    case Quantity::K:
        return "K";
    }
    return {};
}

double quantityValue(const StepReading& step, Quantity quantity)
{
    switch (quantity) {
    case Quantity::Time:
        return step.t;
    case Quantity::N:
        return step.n;
    case Quantity::NextN:
        return step.nextN;
    case Quantity::DN:
        return step.dn;
    case Quantity::DNperN:
        return step.dnPerN;
    case Quantity::LogN:
        // In double-double arithmetic rather than the C library's log, whose last bit differs between
        // platforms now and then: every front end draws and copies the same ln N. ln 0 is minus
        // infinity: the chart has no value there.
        return dd::log(dd::DoubleDouble(step.n)).hi;
    case Quantity::K:
        return step.K;
    }
    return 0.0;
}

std::vector<std::string> readoutLines(Quantity x, Quantity y, const StepReading& step, char decimalSeparator)
{
    std::vector<Quantity> told{x, y};
    for (Quantity quantity : StepQuantities)
        if (std::find(told.begin(), told.end(), quantity) == told.end())
            told.push_back(quantity);
    std::vector<std::string> lines;
    for (Quantity quantity : told) {
        double value = quantityValue(step, quantity);
        if (!std::isfinite(value) && quantity == Quantity::LogN)
            value = std::nan(""); // minus infinity is no value the chart can show
        lines.push_back(quantityName(quantity) + " = " + valueText(value, quantity, decimalSeparator));
    }
    return lines;
}

} // namespace tarnis
