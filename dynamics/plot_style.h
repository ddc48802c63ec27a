// The look that the dynamics window's plots share with the run charts: Arial titles and tick labels
// of the same sizes, a title above the plot, and a layer for the pointer that is redrawn alone. Numbers
// on their axes have no group separators; a logarithmic axis writes every label in one notation.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

namespace tarnis {

void styleAxis(QCPAxis* axis, const QString& label);
// Numbers with the user's decimal separator and no group separators, on every axis of the plot.
void plainNumbers(QCustomPlot& plot);
// A linear axis, or a logarithmic one with a label at every power of ten (closer in, where less than a
// decade shows): for r written as powers of ten ("10⁻³", "2·10⁻³"), for the lag as whole numbers.
enum class AxisNumbers { General, PowersOfTen };
void setScale(QCPAxis* axis, bool logarithmic, AxisNumbers numbers);
// A range on the axis' own scale, as a logarithmic axis takes it: the logarithms of its ends.
double toAxisScale(const QCPAxis* axis, double value);
double fromAxisScale(const QCPAxis* axis, double value);
// A title in a row of its own above everything else, on as many lines as the plot's width needs: a
// longer language's title would run out at both sides of a narrow plot.
QCPTextElement* addTitle(QCustomPlot& plot);
void setTitle(QCPTextElement& title, const QString& text);
// The title's whole text, on one line.
QString titleText(const QCPTextElement& title);
// A legend in a row of its own: laid out in `columns` columns, filled row by row.
void arrangeLegend(QCPLegend& legend, int columns);
// In as many columns as `width` holds with every name whole, from `most` down to `least`.
void fitLegendColumns(QCPLegend& legend, int width, int most, int least);
// The legend fitted to its plot's width whenever the plot is resized.
void keepLegendFitted(QCustomPlot& plot, int most);
// A layer above the data, redrawn on its own as the pointer moves.
QCPLayer* addPointerLayer(QCustomPlot& plot);
// A text in the middle of an axis rect, for a plot that has nothing to show yet.
QCPItemText* addPlaceholder(QCustomPlot& plot, QCPAxisRect* rect);
QFont legendFont();
// An axis' title in smaller letters (down to 6 points) where, at the axis' present length, it would be
// longer than the axis and run into the next one's.
void fitAxisTitle(QCPAxis* axis);
// The rectangle in pixels that a text item takes when its position's pixel is `anchor`, by its font,
// padding and alignment: for placing labels where they stand clear of other marks before a drawing.
QRectF textItemRect(const QCPItemText& item, QPointF anchor);

} // namespace tarnis
