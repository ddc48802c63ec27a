// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/run_refusals.h"

#include "model/language/catalog.h"

#include <array>

namespace tarnis {

namespace {

// What each refusal's value must be, marked for the catalog and translated where a window shows it;
// {most} is the largest number of steps a run takes.
struct RefusalRule {
    RunRefusal refusal;
    ParameterBox box;
    std::string_view option;
    std::string_view rule;
};

// TRANSLATORS: each rule follows the name of a parameter ("The carrying capacity (K) must be a number
// other than 0").
constexpr std::array<RefusalRule, 10> RefusalRules{{
    {RunRefusal::RateOutOfRange, ParameterBox::r, "--r", catalogText("is too large to compute with")},
    {RunRefusal::CapacityOutOfRange, ParameterBox::K, "--K", catalogText("is too large to compute with")},
    {RunRefusal::CapacityZero, ParameterBox::K, "--K", catalogText("must be a number other than 0")},
    {RunRefusal::StepsOutOfRange, ParameterBox::steps, "--steps", catalogText("must be a number from 0 to {most}")},
    {RunRefusal::InitialSizeNotANumber, ParameterBox::n0, "--n0", catalogText("must be a number")},
    {RunRefusal::InitialSizeZero, ParameterBox::n0, "--n0", catalogText("must be a number other than 0")},
    {RunRefusal::LagNotANumber, ParameterBox::lag, "--lag", catalogText("must be a number of 0 or more")},
    {RunRefusal::LagNegative, ParameterBox::lag, "--lag",
     catalogText("must be 0 or more: a population cannot respond to its future")},
    {RunRefusal::InitialSizeNegative, ParameterBox::n0, "--n0", catalogText("must be a number greater than 0")},
    {RunRefusal::CapacityNegative, ParameterBox::K, "--K", catalogText("must be a number greater than 0")},
}};

const RefusalRule& ruleOf(RunRefusal refusal)
{
    for (const RefusalRule& rule : RefusalRules)
        if (rule.refusal == refusal)
            return rule;
    return RefusalRules.front();
}

std::string filledRule(std::string_view rule) { return fill(rule, {{"most", std::to_string(MaxRunSteps)}}); }

// The caption beside the steps' box, where its subject does not name the box ("For t=1 to"); the space
// stands before the box.
std::string stepsCaption(std::string caption)
{
    caption.erase(caption.find_last_not_of(' ') + 1);
    return caption;
}

// The reasons in English, whatever language is on show, as tarnis-run writes them: taken once.
std::array<RefusalReason, 10> makeReasons()
{
    std::array<RefusalReason, 10> reasons;
    for (std::size_t at = 0; at < RefusalRules.size(); ++at) {
        const RefusalRule& rule = RefusalRules[at];
        const bool captioned = rule.box == ParameterBox::steps;
        reasons[at] = {rule.refusal,
                       rule.box,
                       std::string(englishBoxSubject(rule.box)),
                       captioned ? stepsCaption(std::string(englishBoxCaption(rule.box))) : std::string(),
                       std::string(rule.option),
                       filledRule(rule.rule)};
    }
    return reasons;
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
    const RefusalRule& rule = ruleOf(refusal);
    std::string subject = capitalised(boxSubject(rule.box));
    if (rule.box == ParameterBox::steps)
        subject.append(" (").append(stepsCaption(boxCaption(rule.box))).append(")");
    // TRANSLATORS: {subject} names a parameter, {rule} is what its value must be; {example} is the
    // parameter's default.
    return fill(translate("{subject} {rule}. Enter a number such as {example}."),
                {{"subject", subject},
                 {"rule", filledRule(translate(rule.rule))},
                 {"example", defaultText(rule.box, decimalSeparator)}});
}

namespace {

// Which value left the range, and which way: a run that overshoots far enough can also plunge below
// the most negative number. Whole sentences, so that each language words the value in its own case.
struct RangeExitWords {
    RangeExit::Value value;
    RangeExit::Way way;
    std::string_view sentence;
};

using Value = RangeExit::Value;
using Way = RangeExit::Way;
constexpr std::array<RangeExitWords, 9> RangeExitSentences{{
    {Value::N, Way::Above,
     catalogText("At step {step} the population grew beyond the largest number that can be computed.")},
    {Value::N, Way::Below,
     catalogText("At step {step} the population fell below the most negative number that can be computed.")},
    {Value::N, Way::Undefined, catalogText("At step {step} the population reached a value that cannot be computed.")},
    {Value::DN, Way::Above,
     catalogText(
         "At step {step} the change of the population (dN) grew beyond the largest number that can be computed.")},
    {Value::DN, Way::Below,
     catalogText("At step {step} the change of the population (dN) fell below the most negative "
                 "number that can be computed.")},
    {Value::DN, Way::Undefined,
     catalogText("At step {step} the change of the population (dN) reached a value that cannot be computed.")},
    {Value::DNperN, Way::Above,
     catalogText("At step {step} the change per individual (dN/N) grew beyond the largest "
                 "number that can be computed.")},
    {Value::DNperN, Way::Below,
     catalogText("At step {step} the change per individual (dN/N) fell below the most "
                 "negative number that can be computed.")},
    {Value::DNperN, Way::Undefined,
     catalogText("At step {step} the change per individual (dN/N) reached a value that cannot be computed.")},
}};

std::string_view rangeExitSentence(const RangeExit& exit)
{
    for (const RangeExitWords& words : RangeExitSentences)
        if (words.value == exit.value && words.way == exit.way)
            return words.sentence;
    return RangeExitSentences.front().sentence;
}

} // namespace

std::string rangeExitMessage(int lastStep, const RangeExit& exit)
{
    return fill(translate(rangeExitSentence(exit)), {{"step", std::to_string(lastStep + 1)}}) + ' '
        + fill(translate("The results are kept up to t = {step}."), {{"step", std::to_string(lastStep)}});
}

} // namespace tarnis
