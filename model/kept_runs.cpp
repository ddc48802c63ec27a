// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/kept_runs.h"

#include "model/conversions.h"

#include <algorithm>

namespace tarnis {

namespace {

bool sameParameters(const RunParameters& a, const RunParameters& b)
{
    return a.r == b.r && a.K == b.K && a.steps == b.steps && a.n0 == b.n0 && a.lag == b.lag;
}

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
    return std::any_of(m_runs.begin(), m_runs.end(),
                       [&](const KeptRun& run) { return sameParameters(run.parameters, parameters); });
}

std::string runLabel(const RunParameters& parameters, char decimalSeparator)
{
    const auto number = [decimalSeparator](double value) { return numberToText(value, decimalSeparator); };
    const std::string part = decimalSeparator == ',' ? "; " : ", ";
    return "r=" + number(parameters.r) + part + "N(0)=" + number(parameters.n0) + part + "K=" + number(parameters.K)
        + part + "T=" + number(parameters.lag) + part + std::to_string(parameters.steps) + " steps";
}

} // namespace tarnis
