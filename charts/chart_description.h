// What a chart shows, in words, for a screen reader: its title, its axes with their titles and
// ranges, how many points it has and the last of them, which kept runs it shows beside its own, and
// the values of a point the keys marked. The words are the model's (model/chart_words.h); this reads
// what the chart control holds.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarnis {

class ChartControl;

// Numbers to six significant digits with the given decimal separator, as the axes label them; the
// readout's lines of the marked point, if any.
QString chartDescription(const ChartControl& chart, const QStringList& marked, char decimalSeparator);

} // namespace tarnis
