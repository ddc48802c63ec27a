// The strict conversion of the boxes checked on Enter, in a point and a comma locale: a text is
// taken exactly when, blanks at its ends aside, all of it is one decimal number with the locale's
// separator, and then its value is the one the C library reads. A taken text reads the same
// leniently, so that Run computes with the number that Enter accepted; every way to the digits
// converts alike.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::optional<double> expectedConversion(std::string_view text, char separator)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    std::string candidate;
    for (char c : text) {
        if (c == separator)
            c = '.';
        else if (c == '.' || c == '\0' || !std::strchr("0123456789+-eE", c))
            return std::nullopt; // not a character of a number in this locale
        candidate += c;
    }
    const LibraryReading reading = libraryReading(candidate);
    if (candidate.empty() || reading.consumed != candidate.size())
        return std::nullopt;
    return reading.value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        const auto value = convertStrict(text, separator);
        const std::string detail = "text '" + printable(text) + "', separator '" + separator + "', converted to "
            + (value ? exact(*value) : std::string("nothing"));
        FUZZ_CHECK(sameReading(value, expectedConversion(text, separator)), detail);
        for (const decimal::Path path : decimal::availablePaths())
            FUZZ_CHECK(sameReading(value, convertStrict(text, separator, path)), detail + ", another way to the digits");
        if (!value)
            continue;
        FUZZ_CHECK(std::isfinite(*value), detail);
        if (text.find_first_of("\r\v\f") == std::string::npos)
            FUZZ_CHECK(sameReading(value, readLenient(text, separator)), detail);
    }
    return 0;
}
