// A set-up from a link or a file, whatever it holds: reading never fails as a whole for a link, every
// value it keeps is one the boxes take, and what the set-up writes reads back the same, with nothing
// to note, by link and by file.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/setup.h"
#include "model/run/kept_runs.h"
#include "model/run/parameter_boxes.h"
#include "tests/fuzz/fuzz_support.h"

using namespace tarnis;
using namespace tarnis::fuzz;

namespace {

void checkRead(const ReadSetup& read, const std::string& detail)
{
    const Setup& setup = read.setup;
    FUZZ_CHECK(int(setup.kept.size()) <= MaxKeptRuns, detail);
    std::vector<const RunTexts*> runs{&setup.run};
    for (const RunTexts& kept : setup.kept)
        runs.push_back(&kept);
    for (const RunTexts* texts : runs) {
        FUZZ_CHECK(!confirmEntry(ParameterBox::r, texts->r, '.').replacement, detail + ", r " + printable(texts->r));
        FUZZ_CHECK(!confirmEntry(ParameterBox::n0, texts->n0, '.').replacement, detail);
        FUZZ_CHECK(!confirmEntry(ParameterBox::K, texts->K, '.').replacement, detail);
        FUZZ_CHECK(!confirmEntry(ParameterBox::lag, texts->lag, '.').replacement, detail);
        FUZZ_CHECK(!confirmEntry(ParameterBox::steps, texts->steps, '.').replacement, detail);
    }
    const ReadSetup again = readSetupFragment(setupFragment(setup));
    FUZZ_CHECK(again.setup == setup && again.notes.empty(), detail + ", by link");
    const auto fromFile = readSetupFile(setupFileText(setup));
    FUZZ_CHECK(std::holds_alternative<ReadSetup>(fromFile), detail + ", by file");
    FUZZ_CHECK(std::get<ReadSetup>(fromFile).setup == setup && std::get<ReadSetup>(fromFile).notes.empty(),
               detail + ", by file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkRead(readSetupFragment(text), "fragment '" + printable(text) + "'");
    const auto file = readSetupFile(text);
    if (const auto* read = std::get_if<ReadSetup>(&file))
        checkRead(*read, "file '" + printable(text) + "'");
    return 0;
}
