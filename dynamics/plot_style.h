// The look that the dynamics window's plots share with the run charts: Arial titles and tick labels
// of the same sizes, a title above the plot, and a layer for the pointer that is redrawn alone.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

namespace tarnis {

void styleAxis(QCPAxis* axis, const QString& label);
// A title in a row of its own above everything else.
QCPTextElement* addTitle(QCustomPlot& plot);
// A layer above the data, redrawn on its own as the pointer moves.
QCPLayer* addPointerLayer(QCustomPlot& plot);
// A text in the middle of an axis rect, for a plot that has nothing to show yet.
QCPItemText* addPlaceholder(QCustomPlot& plot, QCPAxisRect* rect);
QFont legendFont();

} // namespace tarnis
