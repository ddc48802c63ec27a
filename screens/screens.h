// Registers the title screen and the information screens with the navigator, which builds each on
// its first show.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/store.h"
#include "ui/services.h"

namespace tarnis {

class Navigator;

void registerScreens(Navigator& navigator, SharedState& state, Services services);

} // namespace tarnis
