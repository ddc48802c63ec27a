// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run_refusals.h"

#include <array>

namespace tarnis {

namespace {

std::array<RefusalReason, 8> makeReasons()
{
    using enum RunRefusal;
    using enum ParameterBox;
    const std::string rate = "the intrinsic rate (r)";
    const std::string capacity = "the carrying capacity (K)";
    const std::string initialSize = "the initial population size N(0)";
    const std::string lag = "the time lag";
    const std::string tooLarge = "is too large to compute with";
    return {{
        {RateOutOfRange, rrate, rate, "", "--r", tooLarge},
        {CapacityOutOfRange, Kvalue, capacity, "", "--K", tooLarge},
        {CapacityZero, Kvalue, capacity, "", "--K", "must be a number other than 0"},
        {StepsOutOfRange, simut, "the number of time steps", "For t=1 to", "--steps",
         "must be a number from 0 to " + std::to_string(MaxRunSteps)},
        {InitialSizeNotANumber, n0, initialSize, "", "--n0", "must be a number"},
        {InitialSizeZero, n0, initialSize, "", "--n0", "must be a number other than 0"},
        {LagNotANumber, tlag, lag, "", "--lag", "must be a number of 0 or more"},
        {LagNegative, tlag, lag, "", "--lag", "must be 0 or more: a population cannot respond to its future"},
    }};
}

} // namespace

const RefusalReason& refusalReason(RunRefusal refusal)
{
    static const std::array<RefusalReason, 8> reasons = makeReasons();
    for (const RefusalReason& reason : reasons)
        if (reason.refusal == refusal)
            return reason;
    return reasons.front();
}

std::string refusalLine(RunRefusal refusal)
{
    const RefusalReason& reason = refusalReason(refusal);
    return reason.option + ": " + reason.subject + ' ' + reason.rule;
}

} // namespace tarnis
