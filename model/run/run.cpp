// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/run.h"

#include "model/numbers/conversions.h"
#include "model/run/model_step.h"

#include <cmath>
#include <limits>

namespace tarnis {

std::variant<RunParameters, RunRefusal> readRunParameters(const RunTexts& texts, char localeSeparator)
{
    RunParameters parameters;
    const auto r = readLenient(texts.r, localeSeparator);
    if (!r)
        return RunRefusal::RateOutOfRange;
    parameters.r = *r;

    const auto n0 = convertStrict(texts.n0, localeSeparator);
    if (!n0)
        return RunRefusal::InitialSizeNotANumber;
    parameters.n0 = *n0;

    const auto K = readLenient(texts.K, localeSeparator);
    if (!K)
        return RunRefusal::CapacityOutOfRange;
    parameters.K = *K;

    const auto lag = convertStrict(texts.lag, localeSeparator);
    if (!lag)
        return RunRefusal::LagNotANumber;
    parameters.lag = *lag;

    const auto stepsRead = readLenient(texts.steps, localeSeparator);
    const auto steps = stepsRead ? roundToInt16(*stepsRead) : std::nullopt;
    if (!steps)
        return RunRefusal::StepsOutOfRange;
    parameters.steps = *steps;

    if (const auto refusal = checkRunParameters(parameters))
        return *refusal;
    return parameters;
}

std::optional<RunRefusal> checkRunParameters(const RunParameters& p)
{
    if (!std::isfinite(p.r))
        return RunRefusal::RateOutOfRange;
    if (!std::isfinite(p.n0))
        return RunRefusal::InitialSizeNotANumber;
    if (p.n0 == 0.0)
        return RunRefusal::InitialSizeZero;
    if (!std::isfinite(p.K))
        return RunRefusal::CapacityOutOfRange;
    if (p.K == 0.0)
        return RunRefusal::CapacityZero;
    if (std::isnan(p.lag))
        return RunRefusal::LagNotANumber;
    if (p.lag < 0.0)
        return RunRefusal::LagNegative;
    if (p.steps < 0 || p.steps > MaxRunSteps)
        return RunRefusal::StepsOutOfRange;
    return std::nullopt;
}

std::optional<RunRefusal> checkBoxRules(const RunParameters& p)
{
    if (p.n0 < 0.0)
        return RunRefusal::InitialSizeNegative;
    if (p.K < 0.0)
        return RunRefusal::CapacityNegative;
    return std::nullopt;
}

namespace {

double finiteOrNaN(double value) { return std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN(); }

RangeExit rangeExit(double next, double dN, double dNperN)
{
    using Value = RangeExit::Value;
    const auto [value, number] = !std::isfinite(next) ? std::pair{Value::N, next}
        : !std::isfinite(dN)                          ? std::pair{Value::DN, dN}
                                                      : std::pair{Value::DNperN, dNperN};
    using Way = RangeExit::Way;
    return {value, std::isnan(number) ? Way::Undefined : number > 0.0 ? Way::Above : Way::Below};
}

} // namespace

RunOutcome runModel(ResultStore& store, const RunParameters& p)
{
    if (const auto refusal = checkRunParameters(p))
        return {RunEnd::Refused, store.LastStep, refusal};

    store.ParamR = p.r;
    store.ParamK = p.K;
    store.LastStep = p.steps;
    store.PopN[0] = p.n0;

    const int lastPass = p.steps + 1;
    // N(i − 1) stays in a register from one step to the next instead of being read back.
    double current = p.n0;
    for (int i = 1; i <= lastPass; ++i) {
        const std::size_t index = laggedIndex(i, p.lag);
        const double lagged = index == std::size_t(i - 1) ? current : store.PopN[index];
        const auto [dN, dNperN, next] = modelStep(current, lagged, p.r, p.K);
        if (!std::isfinite(dN) || !std::isfinite(dNperN) || !std::isfinite(next)) {
            store.PopDN[i - 1] = finiteOrNaN(dN);
            store.PopDNperN[i - 1] = finiteOrNaN(dNperN);
            store.PopN[i] = finiteOrNaN(next);
            store.LastStep = std::int16_t(i - 1);
            return {RunEnd::LeftRange, store.LastStep, std::nullopt, rangeExit(next, dN, dNperN)};
        }
        store.PopDN[i - 1] = dN;
        store.PopDNperN[i - 1] = dNperN;
        store.PopN[i] = next;
        if (!(next > 0.0)) {
            store.PopN[i] = 0.0;
            store.LastStep = std::int16_t(i);
            return {RunEnd::DiedOut, store.LastStep, std::nullopt};
        }
        current = next;
    }
    return {RunEnd::Completed, store.LastStep, std::nullopt};
}

} // namespace tarnis
