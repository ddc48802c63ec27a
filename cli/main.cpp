// tarnis-run: the model of Tarnis from scripts, for reproducible numbers and batch work.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"
#include "cli/continuous_output.h"
#include "cli/dynamics_output.h"
#include "cli/ensemble_output.h"
#include "cli/output_file.h"
#include "cli/progress_bar.h"
#include "cli/run_output.h"
#include "cli/sweep.h"
#include "model/dynamics/scan_estimate.h"

#include <functional>
#include <iostream>
#include <thread>
#include <vector>

using namespace tarnis;
using namespace tarnis::cli;

namespace {

// The lags of one row of the scan's grid, to expect its time by.
ScanEstimate scanEstimate(const CommandLine& line)
{
    std::vector<double> lags;
    for (long long i = 0; i < line.lags->count(); ++i)
        lags.push_back(line.lags->at(i));
    return ScanEstimate(std::size_t(line.rates->count()), lags, std::max(1u, std::thread::hardware_concurrency()));
}

int write(const CommandLine& line, const std::function<void(std::ostream&)>& writer)
{
    const auto error = writeOutput(line.outputFile, writer);
    if (error) {
        std::cerr << "tarnis-run: " << *error << '\n';
        return 1;
    }
    return 0;
}

int scan(const CommandLine& line)
{
    const ScanEstimate estimate = scanEstimate(line);
    ProgressBar bar(stderr, std::size_t(line.rates->count() * line.lags->count()), estimate);
    const auto progress = [&bar](std::size_t done, std::size_t) { bar.update(done); };
    return write(line, [&](std::ostream& out) { writeScan(out, line, progress); });
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
    for (const std::string& note : line.setupNotes)
        std::cerr << "tarnis-run: " << note << '\n';
    switch (line.mode) {
    case Mode::Help:
        std::cout << helpText();
        return 0;
    case Mode::Version:
        std::cout << versionText();
        return 0;
    case Mode::Sweep:
        return write(line, [&](std::ostream& out) { writeSweep(out, line); });
    case Mode::Dynamics:
        if (line.continuous)
            return write(line, [&](std::ostream& out) { writeContinuousDynamics(out, line); });
        return write(line, [&](std::ostream& out) { writeDynamics(out, line); });
    case Mode::Ensemble:
        return write(line, [&](std::ostream& out) { writeEnsemble(out, line); });
    case Mode::Continuous:
        return write(line, [&](std::ostream& out) { writeContinuous(out, line, std::cerr); });
    case Mode::Stability:
        return write(line, [&](std::ostream& out) { writeStability(out, line); });
    case Mode::Scan:
        return scan(line);
    case Mode::Run:
        break;
    }
    return write(line, [&](std::ostream& out) { writeRun(out, line); });
}
