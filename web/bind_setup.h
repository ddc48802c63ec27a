// A set-up as the page hands it over and gets it back: a plain object of texts in the point's notation
// (run, chart, logarithmicN, kept, diagramAxis, activity, activityStep). The set-up bindings and the
// activities' (whose steps are set-ups) convert through these two alone.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/setup.h"
#include "web/js_values.h"

namespace tarnis::web {

val setupToJs(const Setup& setup);
// A TypeError or RangeError for an object that is no set-up.
Setup setupOf(const val& object);

} // namespace tarnis::web
