// A chart as it is shown, turned into a file: a PNG picture at twice the screen's pixels, an SVG or a
// PDF drawing in vectors, and its rows as tab-separated text for a spreadsheet. Any widget can be
// drawn that way; the run charts add their own columns and the rule that their readout stays out.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarnis {

class ChartControl;

enum class ChartPictureFormat { Png, Svg, Pdf };

// The file of a widget in that format at its present size, with `title` as the drawing's title. A
// chart widget draws its own vectors for SVG and PDF; any other widget is drawn as it paints itself,
// its texts staying texts. Empty when it could not be drawn (a widget of no size).
QByteArray widgetPicture(QWidget& widget, const QString& title, ChartPictureFormat format);

// The run chart's picture: the value under the pointer is no part of it.
QByteArray chartPicture(ChartControl& chart, ChartPictureFormat format);

// The shortest text that reads back as the same double, with the given decimal separator; empty for
// NaN, so that a spreadsheet leaves the cell out.
QString exactNumberText(double value, QChar decimalSeparator);

// The tab-separated text of a table for a spreadsheet: the header line, then one line per row.
QString tableText(const QStringList& header, const QList<QStringList>& rows);

// One header line of column titles, then one line per row: the x and the y of each series in turn,
// those of the chart's own run first and then those of each kept run, whose titles then name their
// runs, and last the continuous trajectory's N where it is drawn; every value with as many digits as
// it takes to read back the same number and the given decimal separator. A value the chart does not
// have (NaN) is an empty cell, so a spreadsheet leaves it out rather than reading text into a number
// column.
QString chartDataText(const ChartControl& chart, QChar decimalSeparator);

} // namespace tarnis
