// The lenient reading of the boxes read by Run: for any text, a finite number or a refusal beyond the
// double range; blanks anywhere and whatever follows the number change nothing; and the number is
// the one that the C library reads from the same characters, by every way to the digits.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/numbers/decimal_digits.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

std::string withoutBlanks(std::string_view text)
{
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    return compact;
}

// What the lenient reading must give, found by the C library: the characters that can belong to a
// decimal number, with the locale's separator as a point, read as far as they make a number.
std::optional<double> expectedReading(std::string_view text, char separator)
{
    std::string candidate;
    for (char c : withoutBlanks(text)) {
        if (c == separator)
            c = '.';
        if (!std::strchr("0123456789+-.eE", c) || c == '\0')
            break;
        candidate += c;
    }
    const LibraryReading reading = libraryReading(candidate);
    if (reading.consumed == 0)
        return 0.0; // no number reads as 0
    return reading.value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        const auto value = readLenient(text, separator);
        const std::string detail = "text '" + printable(text) + "', separator '" + separator + "', read "
            + (value ? exact(*value) : std::string("nothing"));
        if (value)
            FUZZ_CHECK(std::isfinite(*value), detail);
        FUZZ_CHECK(sameReading(value, expectedReading(text, separator)), detail);
        for (const decimal::Path path : decimal::availablePaths())
            FUZZ_CHECK(sameReading(value, readLenient(text, separator, path)), detail + ", another way to the digits");
        FUZZ_CHECK(sameReading(value, readLenient(withoutBlanks(text), separator)), detail);
        FUZZ_CHECK(sameReading(value, readLenient(text + "x", separator)), detail);
        FUZZ_CHECK(sameReading(value, readLenient(" \t" + text + "\n", separator)), detail);
    }
    return 0;
}
