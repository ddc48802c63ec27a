// Set-up files on the desktop: a set-up written through the file-name seam whole or not at all, and one
// read back, from a dialog or a name given on the command line. A refused file is said in the model's
// sentence and gives nothing, so the caller changes nothing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/setup.h"
#include "ui/services.h"

#include <optional>

class QWidget;

namespace tarnis {

// Asks for a name (offering the model's), adding the suffix to a name without one, and writes the set-up
// there; true when written. Choosing no name writes nothing; a failure is one message.
bool saveSetupFile(QWidget* parent, const Setup& setup, Services services);

// Asks for a set-up file and reads it; nothing when no file was chosen or the file was refused.
std::optional<ReadSetup> openSetupFile(QWidget* parent, Services services);

// Reads the named set-up file; nothing, after one message that says why, when it cannot be read or is
// refused.
std::optional<ReadSetup> readSetupFileNamed(QWidget* parent, const QString& fileName, Messenger& messages);

} // namespace tarnis
