// The text of the graphic data file for a store filled with arbitrary doubles: ASCII only, CR LF
// after every line and nowhere else, LastStep + 3 lines, and in every data line the time step and
// three fields that are each a number within a rounding of the stored value, or empty for a value
// that is not a finite number. Written with 17 digits and no rounding, every value comes back whole.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/run/graphic_data.h"
#include "tests/fuzz/fuzz_support.h"

#include <memory>
#include <vector>

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

// The store of one input: LastStep mostly small (so that the fuzzer runs fast), for one input in 256
// any 16-bit value; the doubles of the input repeated over every entry up to LastStep + 1.
void fillStore(ResultStore& store, InputReader& input)
{
    const auto choice = input.next<std::uint8_t>();
    const auto lastStep = input.next<std::int16_t>();
    store.LastStep = choice == 0xff ? lastStep : std::int16_t(std::abs(lastStep % 64));
    std::vector<double> values;
    while (!input.rest().empty())
        values.push_back(input.next<double>());
    if (values.empty())
        values.push_back(0.0);
    std::size_t next = 0;
    const auto value = [&] { return values[next++ % values.size()]; };
    store.ParamR = value();
    store.ParamK = value();
    const int filled = std::min<int>(std::max<int>(store.LastStep, 0) + 1, MaxStoreIndex);
    for (int t = 0; t <= filled; ++t) {
        store.PopN[t] = value();
        store.PopDN[t] = value();
        store.PopDNperN[t] = value();
    }
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

void checkField(const std::string& field, double stored, bool rounded, const std::string& where)
{
    // Made only for a report: ten thousand lines of texts that nobody reads would slow the fuzzer.
    const auto detail = [&] { return where + ": field '" + printable(field) + "' for the value " + exact(stored); };
    if (!std::isfinite(stored)) {
        FUZZ_CHECK(field.empty(), detail());
        return;
    }
    const auto written = convertStrict(field, '.');
    FUZZ_CHECK(written.has_value() && field.find(' ') == std::string::npos, detail());
    if (!rounded) {
        FUZZ_CHECK(*written == stored, detail());
        return;
    }
    // Rounding to hundredths, then to 15 significant digits.
    const double allowed = 0.005 * (1 + 1e-12) + 1e-14 * std::fabs(stored);
    FUZZ_CHECK(std::fabs(*written - stored) <= allowed, detail());
}

void checkText(const ResultStore& store, const std::string& text, bool rounded)
{
    for (unsigned char c : text)
        FUZZ_CHECK(c < 0x80 && (c >= 0x20 || c == '\r' || c == '\n'), "byte " + std::to_string(c) + " in the file");
    FUZZ_CHECK(text.ends_with("\r\n"), "the last line has no CR LF");
    std::vector<std::string> lines = split(text, "\r\n");
    lines.pop_back(); // after the last CR LF
    const int rows = std::min<int>(std::max<int>(store.LastStep, -1), MaxStoreIndex) + 1;
    FUZZ_CHECK(int(lines.size()) == rows + 2,
               std::to_string(lines.size()) + " lines for LastStep " + std::to_string(store.LastStep));
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, "a lone CR or LF in '" + printable(line) + "'");
    FUZZ_CHECK(lines[0].starts_with("\"Logistic growth, N(0)=") && lines[0].ends_with("\"")
                   && lines[0].find('"', 1) == lines[0].size() - 1,
               "header '" + printable(lines[0]) + "'");
    const std::string titles = R"csv("time","N(t)","dN(t)","dN(t)/N(t)")csv";
    FUZZ_CHECK(lines[1] == titles, "titles '" + printable(lines[1]) + "'");
    for (int t = 0; t < rows; ++t) {
        const std::vector<std::string> fields = split(lines[std::size_t(t) + 2], ",");
        const std::string where = "line of t = " + std::to_string(t);
        FUZZ_CHECK(fields.size() == 4 && fields[0] == std::to_string(t), where);
        // The input's few values repeat down the store, so the values of the first rows and the last
        // stand for all; reading back ten thousand rows of them would slow the fuzzer a hundredfold.
        if (t >= 256 && t != rows - 1)
            continue;
        checkField(fields[1], store.PopN[t], rounded, where);
        checkField(fields[2], store.PopDN[t], rounded, where);
        checkField(fields[3], store.PopDNperN[t], rounded, where);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto store = std::make_unique<ResultStore>();
    InputReader input(data, size);
    fillStore(*store, input);
    checkText(*store, graphicDataText(*store), true);
    checkText(*store, graphicDataText(*store, {.roundToHundredths = false, .significantDigits = 17}), false);
    return 0;
}
