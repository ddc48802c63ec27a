// tarnis-run: the model of Tarnis from scripts, for reproducible numbers and batch work.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"
#include "cli/output_file.h"
#include "cli/sweep.h"
#include "model/graphic_data.h"

#include <iostream>
#include <memory>

using namespace tarnis;
using namespace tarnis::cli;

namespace {

int runOnce(const CommandLine& line)
{
    auto store = std::make_unique<ResultStore>();
    runModel(*store, line.parameters);
    GraphicDataFormat format;
    if (line.digits) {
        format.roundToHundredths = false;
        format.significantDigits = *line.digits;
    }
    const auto error = writeOutput(line.outputFile, [&](std::ostream& out) { writeGraphicData(out, *store, format); });
    if (error) {
        std::cerr << "tarnis-run: " << *error << '\n';
        return 1;
    }
    return 0;
}

int sweep(const CommandLine& line)
{
    const auto error = writeOutput(line.outputFile, [&](std::ostream& out) { writeSweep(out, line); });
    if (error) {
        std::cerr << "tarnis-run: " << *error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "tarnis-run: " << *error << '\n';
        return 2;
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    switch (line.mode) {
    case Mode::Help:
        std::cout << helpText();
        return 0;
    case Mode::Version:
        std::cout << versionText();
        return 0;
    case Mode::Sweep:
        return sweep(line);
    case Mode::Run:
        break;
    }
    return runOnce(line);
}
