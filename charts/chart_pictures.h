// A chart as it is shown, turned into a file: a PNG picture at twice the screen's pixels, an SVG or a
// PDF drawing in vectors, and its rows as tab-separated text for a spreadsheet.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace tarnis {

class ChartControl;

enum class ChartPictureFormat { Png, Svg, Pdf };

// The file of the chart in that format at the chart's present size; empty when it could not be
// drawn (a chart of no size).
QByteArray chartPicture(ChartControl& chart, ChartPictureFormat format);

// One header line of column titles, then one line per row: the x and the y of each series in turn,
// those of the chart's own run first and then those of each kept run, whose titles then name their
// runs; every value with as many digits as it takes to read back the same number and the given decimal
// separator. A value the chart does not have (NaN) is an empty cell, so a spreadsheet leaves it
// out rather than reading text into a number column.
QString chartDataText(const ChartControl& chart, QChar decimalSeparator);

} // namespace tarnis
