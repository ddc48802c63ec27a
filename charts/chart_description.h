// What a chart shows, in words, for a screen reader: its title, its axes with their titles and
// ranges, how many points it has and the last of them, and which kept runs it shows beside its own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarnis {

class ChartControl;

// Numbers to six significant digits with the given decimal separator, as the axes label them.
QString chartDescription(const ChartControl& chart, char decimalSeparator);

} // namespace tarnis
