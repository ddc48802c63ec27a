// Rounding into the 16-bit step count and the 32-bit lag index: the nearest integer, a tie going to
// the even one, and a refusal for every value whose rounding lies outside the type or that is not
// a number. The expectation is worked out on the double itself, without the rounding under test.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "tests/fuzz/fuzz_support.h"

#include <limits>

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

// value − floor(value) is exact for every double, so the tie is seen exactly.
double nearestTiesToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

template <typename Int, typename Round> void checkRounding(double value, Round round)
{
    const auto rounded = round(value);
    std::optional<Int> expected;
    if (std::isfinite(value)) {
        const double nearest = nearestTiesToEven(value);
        if (nearest >= double(std::numeric_limits<Int>::min()) && nearest <= double(std::numeric_limits<Int>::max()))
            expected = Int(nearest);
    }
    FUZZ_CHECK(rounded == expected,
               "value " + exact(value) + ", rounded to " + (rounded ? std::to_string(*rounded) : std::string("nothing"))
                   + ", expected " + (expected ? std::to_string(*expected) : std::string("nothing")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    // Raw bits reach every double; a small integer plus a fraction reaches the ties and the edges often.
    const double raw = input.next<double>();
    const double nearEdge = double(input.next<std::int32_t>()) + double(input.next<std::uint8_t>()) / 8.0;
    for (const double value : {raw, nearEdge, -nearEdge, nearEdge / 65536.0}) {
        checkRounding<std::int16_t>(value, roundToInt16);
        checkRounding<std::int32_t>(value, roundToInt32);
    }
    return 0;
}
