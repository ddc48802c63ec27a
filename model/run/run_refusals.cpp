// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/run_refusals.h"

#include <array>

namespace tarnis {

namespace {

std::array<RefusalReason, 10> makeReasons()
{
    using enum RunRefusal;
    using enum ParameterBox;
    const std::string rate = boxSubject(r);
    const std::string capacity = boxSubject(K);
    const std::string initialSize = boxSubject(n0);
    const std::string lagSubject = boxSubject(lag);
    std::string stepsCaption = boxCaption(steps);
    stepsCaption.erase(stepsCaption.find_last_not_of(' ') + 1); // the space stands before the box
    const std::string tooLarge = "is too large to compute with";
    return {{
        {RateOutOfRange, r, rate, "", "--r", tooLarge},
        {CapacityOutOfRange, K, capacity, "", "--K", tooLarge},
        {CapacityZero, K, capacity, "", "--K", "must be a number other than 0"},
        {StepsOutOfRange, steps, boxSubject(steps), stepsCaption, "--steps",
         "must be a number from 0 to " + std::to_string(MaxRunSteps)},
        {InitialSizeNotANumber, n0, initialSize, "", "--n0", "must be a number"},
        {InitialSizeZero, n0, initialSize, "", "--n0", "must be a number other than 0"},
        {LagNotANumber, lag, lagSubject, "", "--lag", "must be a number of 0 or more"},
        {LagNegative, lag, lagSubject, "", "--lag", "must be 0 or more: a population cannot respond to its future"},
        {InitialSizeNegative, n0, initialSize, "", "--n0", "must be a number greater than 0"},
        {CapacityNegative, K, capacity, "", "--K", "must be a number greater than 0"},
    }};
}

} // namespace

const RefusalReason& refusalReason(RunRefusal refusal)
{
    static const std::array<RefusalReason, 10> reasons = makeReasons();
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

std::string refusalMessage(RunRefusal refusal, char decimalSeparator)
{
    const RefusalReason& reason = refusalReason(refusal);
    std::string subject = capitalised(reason.subject);
    if (!reason.boxCaption.empty())
        subject += " (" + reason.boxCaption + ')';
    return subject + ' ' + reason.rule + ". Enter a number such as " + defaultText(reason.box, decimalSeparator) + '.';
}

namespace {

// Which value left the range, and which way: a run that overshoots far enough can also plunge below
// the most negative number.
std::string rangeExitText(const RangeExit& exit)
{
    using Value = RangeExit::Value;
    const std::string what = exit.value == Value::N ? "the population"
        : exit.value == Value::DN                   ? "the change of the population (dN)"
                                                    : "the change per individual (dN/N)";
    switch (exit.way) {
    case RangeExit::Way::Above:
        return what + " grew beyond the largest number that can be computed";
    case RangeExit::Way::Below:
        return what + " fell below the most negative number that can be computed";
    case RangeExit::Way::Undefined:
        break;
    }
    return what + " reached a value that cannot be computed";
}

} // namespace

std::string rangeExitMessage(int lastStep, const RangeExit& exit)
{
    return "At step " + std::to_string(lastStep + 1) + ' ' + rangeExitText(exit)
        + ". The results are kept up to t = " + std::to_string(lastStep) + '.';
}

} // namespace tarnis
