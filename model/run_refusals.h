// Why a run is refused, in words: one table that both the main window's message and tarnis-run's
// error line are written from, so that the two always say the same.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameter_boxes.h"
#include "model/run.h"

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

} // namespace tarnis
