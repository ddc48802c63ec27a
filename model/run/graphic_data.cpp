// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/graphic_data.h"

#include "model/numbers/conversions.h"

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

std::string plainNumberText(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return {};
    std::string text = numberToText(value, '.', significantDigits);
    if (text.starts_with("0."))
        text.erase(0, 1);
    else if (text.starts_with("-0."))
        text.erase(1, 1);
    return text;
}

std::string signBlankText(double value, int significantDigits)
{
    if (value < 0.0)
        return plainNumberText(value, significantDigits);
    return ' ' + plainNumberText(value, significantDigits);
}

void writeGraphicData(std::ostream& out, const ResultStore& store, const GraphicDataFormat& format)
{
    constexpr const char* lineEnd = "\r\n";
    const int digits = format.significantDigits;
    const auto value = [&format, digits](double v) {
        return plainNumberText(format.roundToHundredths ? roundToHundredths(v) : v, digits);
    };
    out << "\"Logistic growth, N(0)=" << signBlankText(store.PopN[0], digits)
        << ", r=" << signBlankText(store.ParamR, digits) << ", K=" << signBlankText(store.ParamK, digits) << '"'
        << lineEnd;
    out << R"csv("time","N(t)","dN(t)","dN(t)/N(t)")csv" << lineEnd;
    const int lastRow = std::min<int>(store.LastStep, MaxStoreIndex);
    for (int t = 0; t <= lastRow; ++t) {
        out << std::to_string(t) << ',' << value(store.PopN[t]) << ',' << value(store.PopDN[t]) << ','
            << value(store.PopDNperN[t]) << lineEnd;
    }
}

std::string graphicDataText(const ResultStore& store, const GraphicDataFormat& format)
{
    std::ostringstream out;
    writeGraphicData(out, store, format);
    return out.str();
}

} // namespace tarnis
