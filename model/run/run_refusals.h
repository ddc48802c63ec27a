// Why a run is refused, and how a run left the range of numbers, in words: one table that the main
// window's message, the page's and tarnis-run's error line are written from, so that all say the same.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/parameter_boxes.h"
#include "model/run/run.h"

#include <string>

namespace tarnis {

struct RefusalReason {
    RunRefusal refusal;
    ParameterBox box;       // the box to correct
    std::string subject;    // the parameter, as a sentence names it: "the intrinsic rate (r)"
    std::string boxCaption; // the caption beside the box where the subject does not give it, else empty
    std::string option;     // tarnis-run's option for it
    std::string rule;       // what its value must be, or what is wrong with it
};

const RefusalReason& refusalReason(RunRefusal refusal);

// tarnis-run's words: "--K: the carrying capacity (K) must be a number other than 0".
std::string refusalLine(RunRefusal refusal);

// A window's words, naming the box to correct and giving its default as an example: "The carrying
// capacity (K) must be a number other than 0. Enter a number such as 500."
std::string refusalMessage(RunRefusal refusal, char decimalSeparator);

// What a run that left the range of numbers tells: "At step 58 the population grew beyond the largest
// number that can be computed. The results are kept up to t = 57."
std::string rangeExitMessage(int lastStep, const RangeExit& exit);

} // namespace tarnis
