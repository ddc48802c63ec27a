// Enter in a parameter box, for any text: a text that Enter keeps is one that the box's rule takes,
// a text that Enter puts in place is kept by a second Enter, and what Enter keeps is a number that
// Run can read (the steps box: a whole number from 1 to 2000).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/run/parameter_boxes.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        for (const ParameterBox box : AllParameterBoxes) {
            const EnterResult first = confirmEntry(box, text, separator);
            const std::string detail
                = "box " + std::to_string(int(box)) + ", separator '" + separator + "', text '" + printable(text) + "'";
            FUZZ_CHECK(first.enablesRun == (box != ParameterBox::K), detail);
            const std::string kept = first.replacement.value_or(text);
            const EnterResult second = confirmEntry(box, kept, separator);
            FUZZ_CHECK(!second.replacement, detail + ", replaced by '" + printable(kept) + "'");
            if (box == ParameterBox::steps) {
                const auto steps = readLenient(kept, separator);
                FUZZ_CHECK(steps && *steps >= 1 && *steps <= MaxConfirmedSteps && *steps == std::floor(*steps), detail);
                continue;
            }
            const auto value = convertStrict(kept, separator);
            FUZZ_CHECK(value && (box == ParameterBox::K ? *value > 0 : *value >= 0), detail);
        }
    }
    return 0;
}
