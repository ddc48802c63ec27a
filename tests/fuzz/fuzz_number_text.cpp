// Number to text, as the result box shows a value: for any finite double, ASCII digits in the
// shortest general form with at most 15 significant digits and no trailing zeros, exponent form only
// below 1E-4 and from 1E+15 on, the locale's separator, and a text that the strict conversion reads
// back as the value rounded to 15 digits (cut, at the very top of the range). With 17 digits the text gives back every
// bit. Every way to the digits (std::to_chars, snprintf) writes the same text.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

// -?D[.DDD][E(+|-)DD[D]]: no leading zero but a lone one, no trailing zero in the fraction.
// Returns the count of significant digits, or -1 when the text has another form.
int significantDigitsOf(const std::string& text, char separator)
{
    std::size_t pos = text.starts_with('-') ? 1 : 0;
    const std::size_t mantissaEnd = std::min(text.find('E'), text.size());
    std::string digits;
    bool separatorSeen = false;
    for (; pos < mantissaEnd; ++pos) {
        if (text[pos] == separator && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        if (text[pos] < '0' || text[pos] > '9')
            return -1;
        digits += text[pos];
    }
    if (digits.empty() || (separatorSeen && (text[mantissaEnd - 1] == '0' || text[mantissaEnd - 1] == separator)))
        return -1;
    if (mantissaEnd < text.size()) {
        const std::string exponent = text.substr(mantissaEnd + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-')
            || exponent.find_first_not_of("0123456789", 1) != std::string::npos)
            return -1;
    }
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return digits == "0" && !separatorSeen ? 1 : -1;
    if (!separatorSeen && firstNonZero > 0)
        return -1; // a leading zero before an integer
    return int(digits.size() - firstNonZero);
}

// The value rounded to 15 significant digits by the C library; where that rounds up beyond the
// largest double, the value with its digits cut after the 15th.
double roundedTo15Digits(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    const double rounded = std::strtod(text, nullptr);
    if (std::isfinite(rounded))
        return rounded;
    std::snprintf(text, sizeof text, "%.16e", value);
    const std::string all(text);
    const std::string cut = all.substr(0, all.find('.') + 15) + all.substr(all.find('e'));
    return std::strtod(cut.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    const double value = input.next<double>();
    const std::string text = numberToText(value, '.');
    const std::string detail = "value " + exact(value) + ", text '" + printable(text) + "'";
    if (!std::isfinite(value))
        return 0; // the result box only ever shows a finite population size
    const int digits = significantDigitsOf(text, '.');
    FUZZ_CHECK(digits >= 1 && digits <= 15, detail);

    const auto back = convertStrict(text, '.');
    FUZZ_CHECK(back.has_value(), detail);
    FUZZ_CHECK(*back == roundedTo15Digits(value), detail + ", read back " + exact(*back));
    const bool exponentForm = text.find('E') != std::string::npos;
    FUZZ_CHECK(exponentForm == (*back != 0.0 && (std::fabs(*back) < 1e-4 || std::fabs(*back) >= 1e15)), detail);

    std::string comma = text;
    std::replace(comma.begin(), comma.end(), '.', ',');
    FUZZ_CHECK(numberToText(value, ',') == comma, detail);
    FUZZ_CHECK(sameReading(convertStrict(comma, ','), back), detail);

    const std::string full = numberToText(value, '.', 17);
    const auto fullBack = convertStrict(full, '.');
    FUZZ_CHECK(fullBack && *fullBack == value, detail + ", 17 digits '" + full + "'");
    const int fewer = 1 + input.next<std::uint8_t>() % 17;
    const std::string shorter = numberToText(value, '.', fewer);
    FUZZ_CHECK(significantDigitsOf(shorter, '.') <= fewer && convertStrict(shorter, '.'),
               detail + ", '" + shorter + "'");
    for (const decimal::Path path : decimal::availablePaths()) {
        FUZZ_CHECK(numberToText(value, '.', 15, path) == text, detail + ", another way to the digits");
        FUZZ_CHECK(numberToText(value, '.', fewer, path) == shorter, detail + ", another way to the digits");
    }
    return 0;
}
