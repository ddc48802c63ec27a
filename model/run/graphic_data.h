// The text of the graphic data file: a quoted header with N(0), r and K, the column titles, and one
// line per time step with t, N(t), dN(t) and dN(t)/N(t) rounded to two decimals, CR LF after every
// line, ASCII only. Numbers below 1 are written without a leading zero (".2", "-.02"): files of
// that form compare equal byte for byte with those written before.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/store.h"

#include <iosfwd>
#include <string>

namespace tarnis {

// v rounded to hundredths, a tie going to the even neighbour of v × 100 (0.125 → 0.12,
// 0.135 → 0.14). Values too large for hundredths to matter come back unchanged.
double roundToHundredths(double value);

// The plain form of a data value: at most 15 significant digits, point as separator, no leading
// zero before the point. Empty for a value that is not a finite number.
std::string plainNumberText(double value, int significantDigits = 15);

// The header form: a blank for a value that is not negative, "-" for a negative one, then the
// plain digits.
std::string signBlankText(double value, int significantDigits = 15);

// How values are written. The file that the window saves rounds to hundredths; scripts may ask for
// every value unrounded with up to 17 significant digits, which reproduces each double exactly.
struct GraphicDataFormat {
    bool roundToHundredths = true;
    int significantDigits = 15;
};

void writeGraphicData(std::ostream& out, const ResultStore& store, const GraphicDataFormat& format = {});
std::string graphicDataText(const ResultStore& store, const GraphicDataFormat& format = {});

} // namespace tarnis
