// "S" of the main window: the results of the last run saved to a file that the user names.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/store.h"
#include "ui/services.h"

class QWidget;

namespace tarnis {

// Asks for a file name, offering the last one written, and writes the graphic data of the store
// there. Choosing no name writes nothing; a failed write leaves any old file whole and says why.
void exportGraphicData(QWidget* parent, SharedState& state, Services services);

} // namespace tarnis
