// The smallest size of a window laid out by Qt's layouts: the one it was designed for, or more where the
// language on show needs more room for its texts (a frame's title, a row of buttons, the lines kept for
// the longest words). A window with a smallest size of its own no longer takes its layout's, whose
// widgets would then be squeezed over each other; in English the design's is the larger.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace tarnis {

// Keeps the window (which has its layout) at least `designed`, and at least its layout's least size,
// whenever that changes.
void keepSmallestSize(QWidget& window, QSize designed);

} // namespace tarnis
