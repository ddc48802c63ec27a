// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/graphic_data.h"

#include "model/conversions.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>

namespace tarnis {

double roundToHundredths(double value)
{
    const double hundredfold = value * 100.0;
    if (!std::isfinite(hundredfold))
        return value; // beyond about 1.8E+306 a double has no hundredths left to round
    // nearbyint rounds ties to even in the default mode, whether or not the result fits 32 bits.
    return std::nearbyint(hundredfold) / 100.0;
}

std::string plainNumberText(double value)
{
    if (!std::isfinite(value))
        return {};
    std::string text = numberToText(value, '.');
    if (text.starts_with("0."))
        text.erase(0, 1);
    else if (text.starts_with("-0."))
        text.erase(1, 1);
    return text;
}

std::string signBlankText(double value)
{
    if (value < 0.0)
        return plainNumberText(value);
    return ' ' + plainNumberText(value);
}

void writeGraphicData(std::ostream& out, const ResultStore& store)
{
    constexpr const char* lineEnd = "\r\n";
    out << "\"Logistic growth, N(0)=" << signBlankText(store.PopN[0]) << ", r=" << signBlankText(store.ParamR)
        << ", K=" << signBlankText(store.ParamK) << '"' << lineEnd;
    out << R"csv("time","N(t)","dN(t)","dN(t)/N(t)")csv" << lineEnd;
    const int lastRow = std::min<int>(store.LastStep, MaxStoreIndex);
    for (int t = 0; t <= lastRow; ++t) {
        out << std::to_string(t) << ',' << plainNumberText(roundToHundredths(store.PopN[t])) << ','
            << plainNumberText(roundToHundredths(store.PopDN[t])) << ','
            << plainNumberText(roundToHundredths(store.PopDNperN[t])) << lineEnd;
    }
}

std::string graphicDataText(const ResultStore& store)
{
    std::ostringstream out;
    writeGraphicData(out, store);
    return out.str();
}

} // namespace tarnis
