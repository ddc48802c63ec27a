// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "cli/setup_input.h"
#include "model/continuous/hutchinson.h"
#include "model/dynamics/linear_stability.h"
#include "model/numbers/conversions.h"
#include "model/run/parameter_boxes.h"
#include "model/run/run_refusals.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <map>
#include <sstream>

namespace tarnis::cli {

namespace {

// The range counted in whole units of its last decimal place, where every value it reaches is an
// integer that a double holds exactly.
struct Units {
    double from;
    double to;
    double step;
    double perOne; // units in 1
};

std::optional<Units> decimalUnits(const Range& range)
{
    if (!range.decimals)
        return std::nullopt;
    const double perOne = std::pow(10.0, *range.decimals);
    const Units units{std::round(range.from * perOne), std::round(range.to * perOne), std::round(range.step * perOne),
                      perOne};
    constexpr double exactIntegers = 9007199254740992.0; // 2^53
    if (!(std::max(std::fabs(units.from), std::fabs(units.to)) + std::fabs(units.step) < exactIntegers))
        return std::nullopt;
    return units;
}

} // namespace

long long Range::count() const
{
    double span = (to - from) / step;
    // Without decimal units, a sweep to 2.8 in steps of 0.1 must still reach 2.8.
    double rounding = 1e-9;
    if (const auto units = decimalUnits(*this)) {
        span = (units->to - units->from) / units->step;
        rounding = 0.0;
    }
    // A tiny step over a wide range would overflow the count; NaN lands here too.
    if (!(span < 1e18))
        return std::numeric_limits<long long>::max();
    return (long long)(std::floor(span + rounding)) + 1;
}

double Range::at(long long index) const
{
    if (const auto units = decimalUnits(*this))
        return (units->from + double(index) * units->step) / units->perOne;
    return from + double(index) * step;
}

namespace {

using Error = std::string;

// An argument as an error message quotes it: a control character (a line feed, an escape) written as
// \xNN, so that the message stays one line and cannot steer the terminal.
std::string shown(const std::string& argument)
{
    std::string text;
    for (const unsigned char c : argument) {
        if (c >= 0x20 && c != 0x7f) {
            text += char(c);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
        text += escaped;
    }
    return text;
}

struct Arguments {
    std::map<std::string, std::string> values; // option name → value
    Error error;
};

// --help or --version, wherever it stands: asking for help is answered even when the rest of the
// line is wrong.
std::optional<Mode> request(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return Mode::Help;
        if (argument == "--version")
            return Mode::Version;
    }
    return std::nullopt;
}

const std::vector<std::string>& optionsWithValues()
{
    static const std::vector<std::string> names{"--r",       "--n0",    "--K",         "--lag",   "--steps", "--digits",
                                                "--discard", "--keep",  "-o",          "--setup", "--runs",  "--seed",
                                                "--noise",   "--sigma", "--threshold", "--shard"};
    return names;
}

bool takesValue(const std::string& name)
{
    for (const auto& known : optionsWithValues())
        if (known == name)
            return true;
    return false;
}

// Options that stand alone, collected with an empty value.
bool isFlag(const std::string& name)
{
    return name == "--words" || name == "--tidy" || name == "--continuous" || name == "--summary";
}

// Splits "--name value" and "--name=value" pairs; each option may stand once.
Arguments collect(const std::vector<std::string>& arguments, std::size_t first)
{
    Arguments collected;
    for (std::size_t i = first; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (isFlag(name) && !value) {
            value = "";
        } else if (isFlag(name)) {
            return {{}, name + " takes no value"};
        } else if (!takesValue(name)) {
            return {{}, "unknown option " + shown(name) + " (see --help)"};
        }
        if (!value) {
            if (i + 1 >= arguments.size())
                return {{}, name + " needs a value"};
            value = arguments[++i];
        }
        if (!collected.values.emplace(name, *value).second)
            return {{}, name + " is given twice"};
    }
    return collected;
}

std::optional<double> number(const std::string& text) { return convertStrict(text, '.'); }

std::optional<Error> readNumber(const Arguments& args, const std::string& name, double& target)
{
    const auto found = args.values.find(name);
    if (found == args.values.end())
        return std::nullopt;
    const auto value = number(found->second);
    if (const BeyondRange beyond = beyondRange(found->second, '.'); beyond != BeyondRange::No)
        return name + ": '" + shown(found->second) + "' " + beyondRangeRule(beyond == BeyondRange::Below, '.');
    if (!value)
        return name + ": '" + shown(found->second) + "' is not a number";
    target = *value;
    return std::nullopt;
}

std::optional<Error> readWhole(const Arguments& args, const std::string& name, int low, int high, int& target)
{
    const auto found = args.values.find(name);
    if (found == args.values.end())
        return std::nullopt;
    const auto value = number(found->second);
    if (!value || *value != std::floor(*value) || *value < low || *value > high)
        return name + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    target = int(*value);
    return std::nullopt;
}

// The places after the point of a number written without an exponent; none for "1e-3".
std::optional<int> decimalPlaces(const std::string& text)
{
    if (text.find_first_of("eE") != std::string::npos)
        return std::nullopt;
    const auto point = text.find('.');
    if (point == std::string::npos)
        return 0;
    const auto last = text.find_last_of("0123456789");
    return last == std::string::npos || last < point ? 0 : int(last - point);
}

// "FROM:TO:STEP" for a sweep; a single number is not a range.
std::optional<Range> readRange(const std::string& text)
{
    const auto first = text.find(':');
    const auto second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    const std::string pieces[]{text.substr(0, first), text.substr(first + 1, second - first - 1),
                               text.substr(second + 1)};
    const auto from = number(pieces[0]);
    const auto to = number(pieces[1]);
    const auto step = number(pieces[2]);
    if (!from || !to || !step)
        return std::nullopt;
    Range range{*from, *to, *step};
    range.decimals = 0;
    for (const std::string& piece : pieces) {
        const auto places = decimalPlaces(piece);
        if (!places || *places > 15) {
            range.decimals.reset();
            break;
        }
        range.decimals = std::max(*range.decimals, *places);
    }
    return range;
}

std::optional<Error> readSweepRange(const Arguments& args, const std::string& name, std::optional<Range>& range,
                                    double& single)
{
    const auto found = args.values.find(name);
    if (found == args.values.end() || found->second.find(':') == std::string::npos)
        return readNumber(args, name, single);
    range = readRange(found->second);
    if (!range)
        return name + ": '" + shown(found->second) + "' is not a range FROM:TO:STEP";
    if (!(range->step > 0.0) || !(range->to >= range->from) || !std::isfinite(range->to - range->from))
        return name + ": a range needs FROM <= TO and a STEP above 0";
    if (range->count() > MaxSweepRuns)
        return name + ": the range holds more than " + std::to_string(MaxSweepRuns) + " values";
    return std::nullopt;
}

std::optional<Error> readSweep(const Arguments& args, CommandLine& line)
{
    if (args.values.contains("--steps"))
        return "a sweep takes --discard and --keep instead of --steps";
    if (auto error = readSweepRange(args, "--r", line.rates, line.parameters.r))
        return error;
    if (auto error = readSweepRange(args, "--lag", line.lags, line.parameters.lag))
        return error;
    if (line.rates.has_value() == line.lags.has_value())
        return "a sweep needs exactly one range: --r FROM:TO:STEP or --lag FROM:TO:STEP";
    if (!args.values.contains("--keep"))
        return "a sweep needs --keep (the number of steps written for each run)";
    if (auto error = readWhole(args, "--discard", 0, MaxRunSteps, line.discard))
        return error;
    if (auto error = readWhole(args, "--keep", 1, MaxRunSteps + 1, line.keep))
        return error;
    if (line.discard + line.keep - 1 > MaxRunSteps)
        return "--discard plus --keep may reach step " + std::to_string(MaxRunSteps) + " at most";
    line.parameters.steps = std::int16_t(line.discard + line.keep - 1);
    return std::nullopt;
}

std::optional<Error> readRun(const Arguments& args, CommandLine& line)
{
    if (auto error = readNumber(args, "--r", line.parameters.r))
        return error;
    if (auto error = readNumber(args, "--lag", line.parameters.lag))
        return error;
    if (args.values.contains("--discard") || args.values.contains("--keep"))
        return "--discard and --keep belong to a sweep: tarnis-run sweep ...";
    int steps = line.parameters.steps;
    if (auto error = readWhole(args, "--steps", 0, MaxRunSteps, steps))
        return error;
    line.parameters.steps = std::int16_t(steps);
    return std::nullopt;
}

// The analyses choose their own number of steps and write every number in full, so --steps, --digits,
// --discard and --keep mean nothing to them.
std::optional<Error> onlyOptions(const Arguments& args, const std::string& command,
                                 std::initializer_list<std::string_view> allowed)
{
    for (const auto& [name, value] : args.values)
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
            return name + " does not apply to tarnis-run " + command + " (see --help)";
    return std::nullopt;
}

// FROM:TO:STEP, or a single value: a range of one.
std::optional<Error> readGridRange(const Arguments& args, const std::string& name, std::optional<Range>& range)
{
    double single = 0.0;
    if (auto error = readSweepRange(args, name, range, single))
        return error;
    if (!range)
        range = Range{single, single, 1.0};
    return std::nullopt;
}

std::optional<Error> readDynamics(const Arguments& args, CommandLine& line)
{
    line.words = args.values.contains("--words");
    line.continuous = args.values.contains("--continuous");
    // The words tell the steps that a chart shows apart from the long run; the numbers are the long run's.
    if (line.words) {
        if (line.tidy)
            return "--tidy writes a table and --words writes sentences: dynamics takes one of them";
        if (auto error
            = onlyOptions(args, "dynamics",
                          {"--r", "--n0", "--K", "--lag", "--steps", "--words", "--continuous", "-o", "--setup"}))
            return error;
        int steps = line.parameters.steps;
        if (auto error = readWhole(args, "--steps", 0, MaxRunSteps, steps))
            return error;
        line.parameters.steps = std::int16_t(steps);
    } else if (auto error = onlyOptions(args, "dynamics",
                                        {"--r", "--n0", "--K", "--lag", "--tidy", "--continuous", "-o", "--setup"})) {
        return error;
    }
    if (auto error = readNumber(args, "--r", line.parameters.r))
        return error;
    return readNumber(args, "--lag", line.parameters.lag);
}

std::optional<Error> readStability(const Arguments& args, CommandLine& line)
{
    if (auto error = onlyOptions(args, "stability", {"--lag", "--tidy", "-o"}))
        return error;
    if (!args.values.contains("--lag"))
        return "stability needs --lag FROM:TO:STEP";
    return readGridRange(args, "--lag", line.lags);
}

std::optional<Error> readScan(const Arguments& args, CommandLine& line)
{
    if (auto error = onlyOptions(args, "scan", {"--r", "--lag", "--n0", "--K", "--tidy", "-o"}))
        return error;
    if (!args.values.contains("--r") || !args.values.contains("--lag"))
        return "scan needs --r FROM:TO:STEP and --lag FROM:TO:STEP";
    if (auto error = readGridRange(args, "--r", line.rates))
        return error;
    if (auto error = readGridRange(args, "--lag", line.lags))
        return error;
    if (line.rates->count() * line.lags->count() > MaxScanCells)
        return "a scan may hold " + std::to_string(MaxScanCells) + " cells at most";
    return std::nullopt;
}

// A whole number written in digits alone, from `low` to `high`.
std::optional<Error> readCount(const Arguments& args, const std::string& name, unsigned long long low,
                               unsigned long long high, unsigned long long& target)
{
    const auto found = args.values.find(name);
    if (found == args.values.end())
        return std::nullopt;
    const std::string& text = found->second;
    const bool digits = !text.empty() && text.size() <= 20 && text.find_first_not_of("0123456789") == std::string::npos;
    errno = 0;
    const unsigned long long value = digits ? std::strtoull(text.c_str(), nullptr, 10) : 0;
    if (!digits || errno == ERANGE || value < low || value > high)
        return name + ": '" + shown(text) + "' is not a whole number from " + std::to_string(low) + " to "
            + std::to_string(high);
    target = value;
    return std::nullopt;
}

std::optional<Error> readShard(const Arguments& args, EnsembleOptions& ensemble)
{
    const auto found = args.values.find("--shard");
    if (found == args.values.end())
        return std::nullopt;
    const std::string& text = found->second;
    const std::size_t slash = text.find('/');
    const auto whole = [](const std::string& part) {
        return !part.empty() && part.size() <= 9 && part.find_first_not_of("0123456789") == std::string::npos;
    };
    if (slash == std::string::npos || !whole(text.substr(0, slash)) || !whole(text.substr(slash + 1)))
        return "--shard takes I/N, the I-th of N slices of the runs, such as 3/10";
    ensemble.shard = std::stoll(text.substr(0, slash));
    ensemble.shards = std::stoll(text.substr(slash + 1));
    if (ensemble.shards < 1 || ensemble.shard < 1 || ensemble.shard > ensemble.shards
        || ensemble.shards > ensemble.runs)
        return "--shard " + shown(text) + ": I must be from 1 to N, and N from 1 to the number of runs ("
            + std::to_string(ensemble.runs) + ")";
    if (ensemble.summary)
        return "--summary needs the whole ensemble: a shard writes its runs' rows, which put together give the whole";
    return std::nullopt;
}

std::optional<Error> readNoise(const Arguments& args, EnsembleOptions& ensemble)
{
    if (const auto found = args.values.find("--noise"); found != args.values.end()) {
        const std::string& kind = found->second;
        if (kind != "demographic" && kind != "environmental" && kind != "both")
            return "--noise takes demographic, environmental or both, not '" + shown(kind) + "'";
        ensemble.noise.demographic = kind != "environmental";
        ensemble.noise.sigma = kind == "demographic" ? 0.0 : DefaultSigma;
    }
    if (args.values.contains("--sigma")) {
        if (ensemble.noise.sigma == 0.0)
            return "--sigma belongs to environmental noise: add --noise environmental or --noise both";
        if (auto error = readNumber(args, "--sigma", ensemble.noise.sigma))
            return error;
        if (!(ensemble.noise.sigma > 0.0 && ensemble.noise.sigma <= MaxSigma))
            return "--sigma takes a number above 0 and at most " + numberToText(MaxSigma, '.');
    }
    if (auto error = readNumber(args, "--threshold", ensemble.threshold))
        return error;
    if (!(ensemble.threshold >= 0.0))
        return "--threshold takes a number of animals, 0 or more";
    return std::nullopt;
}

std::optional<Error> readEnsemble(const Arguments& args, CommandLine& line)
{
    if (auto error = onlyOptions(args, "ensemble",
                                 {"--r", "--n0", "--K", "--lag", "--steps", "--runs", "--seed", "--noise", "--sigma",
                                  "--threshold", "--shard", "--summary", "--tidy", "-o", "--setup"}))
        return error;
    if (auto error = readRun(args, line))
        return error;
    EnsembleOptions& ensemble = line.ensemble;
    ensemble.summary = args.values.contains("--summary");
    unsigned long long runs = (unsigned long long)ensemble.runs;
    if (auto error = readCount(args, "--runs", 1, MostEnsembleRuns, runs))
        return error;
    ensemble.runs = (long long)runs;
    unsigned long long seed = ensemble.seed;
    if (auto error = readCount(args, "--seed", 0, std::numeric_limits<std::uint64_t>::max(), seed))
        return error;
    ensemble.seed = seed;
    if (auto error = readNoise(args, ensemble))
        return error;
    if (ensemble.summary && ensemble.runs * (line.parameters.steps + 1LL) > MostSummaryValues)
        return "--summary holds every run's N(t) at once: runs × (steps + 1) may be at most "
            + std::to_string(MostSummaryValues);
    return readShard(args, ensemble);
}

std::optional<Error> readModeParameters(const Arguments& args, CommandLine& line)
{
    switch (line.mode) {
    case Mode::Ensemble:
        return readEnsemble(args, line);
    case Mode::Sweep:
        return readSweep(args, line);
    case Mode::Dynamics:
        return readDynamics(args, line);
    case Mode::Stability:
        return readStability(args, line);
    case Mode::Scan:
        return readScan(args, line);
    default:
        return readRun(args, line);
    }
}

std::optional<Error> readParameters(const Arguments& args, CommandLine& line)
{
    if (auto error = readModeParameters(args, line))
        return error;
    if (auto error = readNumber(args, "--n0", line.parameters.n0))
        return error;
    if (auto error = readNumber(args, "--K", line.parameters.K))
        return error;
    return std::nullopt;
}

// Every run of a sweep must pass the same checks as a single run.
std::optional<Error> checkLimits(const CommandLine& line)
{
    RunParameters probe = line.parameters;
    for (const auto& [range, value] : {std::pair{line.rates, &probe.r}, std::pair{line.lags, &probe.lag}}) {
        if (!range)
            continue;
        for (double end : {range->from, range->at(range->count() - 1)}) {
            *value = end;
            if (const auto refusal = checkRunParameters(probe))
                return refusalLine(*refusal);
        }
    }
    if (const auto refusal = checkRunParameters(probe))
        return refusalLine(*refusal);
    if (const auto refusal = checkBoxRules(probe))
        return refusalLine(*refusal);
    return std::nullopt;
}

// The analyses look at a lag only as far back as a run can reach.
std::optional<Error> checkAnalysedLag(const CommandLine& line)
{
    if (line.mode != Mode::Dynamics && line.mode != Mode::Stability && line.mode != Mode::Scan)
        return std::nullopt;
    const double longest = line.lags ? line.lags->at(line.lags->count() - 1) : line.parameters.lag;
    if (longest > MaxAnalysedLag)
        return "--lag: the time lag must be from 0 to 9999 here: a run never reaches further back";
    return std::nullopt;
}

// The run of a set-up file in place of the defaults, under the options given beside it.
std::optional<Error> readSetupOption(const Arguments& args, CommandLine& line)
{
    const auto found = args.values.find("--setup");
    if (found == args.values.end())
        return std::nullopt;
    if (line.mode == Mode::Sweep || line.mode == Mode::Stability || line.mode == Mode::Scan)
        return "--setup belongs to a run, to tarnis-run continuous, ensemble or dynamics";
    auto loaded = readSetupRun(found->second);
    if (const auto* refusal = std::get_if<std::string>(&loaded))
        return "--setup: " + shown(found->second) + ": " + *refusal;
    line.parameters = std::get<SetupRun>(loaded).parameters;
    line.setupNotes = std::move(std::get<SetupRun>(loaded).notes);
    return std::nullopt;
}

// The word before the options: a command, or none for a single run.
Mode commandOf(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return Mode::Run;
    static const std::pair<const char*, Mode> commands[]{{"continuous", Mode::Continuous}, {"ensemble", Mode::Ensemble},
                                                         {"sweep", Mode::Sweep},           {"dynamics", Mode::Dynamics},
                                                         {"stability", Mode::Stability},   {"scan", Mode::Scan}};
    for (const auto& [word, mode] : commands)
        if (arguments[0] == word)
            return mode;
    return Mode::Run;
}

} // namespace

std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    std::size_t first = 0;
    if (const auto asked = request(arguments)) {
        line.mode = *asked;
        return line;
    }
    line.mode = commandOf(arguments);
    if (line.mode != Mode::Run)
        first = 1;
    const Arguments args = collect(arguments, first);
    if (!args.error.empty())
        return args.error;
    const bool aRun = line.mode == Mode::Run || line.mode == Mode::Continuous || line.mode == Mode::Sweep;
    if (args.values.contains("--summary") && line.mode != Mode::Ensemble)
        return "--summary belongs to tarnis-run ensemble";
    if (args.values.contains("--words") && aRun)
        return "--words belongs to tarnis-run dynamics";
    if (args.values.contains("--continuous") && aRun)
        return "--continuous belongs to tarnis-run dynamics; tarnis-run continuous writes the trajectory";
    line.tidy = args.values.contains("--tidy");
    if (auto error = readSetupOption(args, line))
        return *error;
    if (auto error = readParameters(args, line))
        return *error;
    if (args.values.contains("--digits")) {
        if (line.tidy)
            return "--tidy writes every value exactly and takes no --digits";
        int digits = 0;
        if (auto error = readWhole(args, "--digits", 1, 17, digits))
            return *error;
        line.digits = digits;
    }
    if (const auto output = args.values.find("-o"); output != args.values.end()) {
        if (output->second.empty())
            return "-o needs a file name";
        line.outputFile = output->second;
    }
    if (auto error = checkLimits(line))
        return *error;
    if (auto error = checkAnalysedLag(line))
        return *error;
    if (line.mode == Mode::Continuous && !continuousGrid(line.parameters))
        return "a delay this short over this many steps (or an r this large) takes the integrator more than "
            + numberToText(continuous_rules::MostSteps, '.') + " steps: lengthen the delay or shorten the run";
    return line;
}

std::string helpText()
{
    std::string text = R"(tarnis-run: the discrete-time logistic model with a time lag,
    N(t+1) = N(t) + r·N(t)·(1 − N(t−T)/K),
computed exactly as the Tarnis window computes it.

Usage:
  tarnis-run [OPTIONS]          one run, written as the file that "S" saves
  tarnis-run --setup FILE [OPTIONS]
                                the run of a set-up file that Tarnis saved
  tarnis-run continuous [OPTIONS]
                                the continuous-time twin of a run,
                                dN/dt = r·N(t)·(1 − N(t−T)/K), at whole times
  tarnis-run ensemble [OPTIONS] many noisy runs: when each died out, or with
                                --summary the survival curve and bands of N(t)
  tarnis-run sweep [OPTIONS]    many runs over a range of r or of the lag
  tarnis-run dynamics [--setup FILE] [--r R] [--n0 N] [--K K] [--lag T]
                      [--continuous] [--tidy | --words [--steps S]]
                                what a run does in the long run, and the
                                stability limits of its lag
  tarnis-run stability --lag FROM:TO:STEP [--tidy]
                                the stability limits of each lag, as CSV
  tarnis-run scan --r FROM:TO:STEP --lag FROM:TO:STEP [--n0 N] [--K K] [--tidy]
                                the regime of every pair of r and lag, as CSV
  tarnis-run --help | --version

Options of a run (defaults are those of the Tarnis window):
  --r R         intrinsic rate r (%R%)
  --n0 N        initial population size N(0), greater than 0 (%N0%)
  --K K         carrying capacity K, greater than 0 (%K%)
  --lag T       time lag T, 0 or more (%LAG%); the step from t reads
                N(t - T) from t = T on and N(t) before. A fractional lag
                reads N at the nearest whole step: 2.7 acts as a lag of 3,
                and 2.5 as lags of 2 and 3 in turn
  --steps S     last time step, a whole number from 0 to %MAX% (%STEPS%)
  --digits D    write values with D significant digits (1 to 17) instead of
                rounding them to two decimals; 17 reproduces every value exactly
  -o FILE       write FILE instead of standard output; an existing FILE is
                replaced only when the whole new file has been written
  --setup FILE  start from the run of a set-up file (.tarnis) instead of the
                defaults; options given beside it override its values. Its
                values are read by the rules of the window's boxes: what they
                refuse keeps the default and is said on standard error, and a
                broken file or one from a newer Tarnis is refused. The file's
                chart and kept runs belong to the windows. Also for dynamics

Options of a sweep (--n0, --K, --digits and -o as above):
  --r FROM:TO:STEP    run for r = FROM, FROM+STEP, ... up to TO, or
  --lag FROM:TO:STEP  run for each lag in the range (give one range only)
  --discard N         leave out the steps t < N of every run (0)
  --keep M            write the M steps from t = N on
  A sweep writes one line per kept step: r, lag, t, N(t), how the run ended
  ("completed", "died out" or "left range"), then N(0), K, --discard and --keep,
  the same on every line, so that the file says what made it. A run that ends
  before t = N writes its last step, so that it is not lost from the diagram.

The dynamics (--r, --n0, --K and -o as above; the lag from 0 to 9999):
  dynamics computes the run over at least 20000 steps, whatever --steps would
  say, and prints one "key: value" line for each of:
    regime      settles smoothly, damped oscillations, periodic, sustained
                oscillations, chaotic, rests on an unstable equilibrium (N
                stays on K, where the smallest disturbance would grow),
                declines towards 0 (r below 0), dies out or leaves the range
    r_monotone  below this r the approach to K never overshoots (linear theory)
    r_stable    below this r (and above 0) N = K is stable (linear theory)
    period      the cycle's period (periodic), the mean steps between upward
                crossings of K (sustained oscillations), or the period of the
                fading oscillation (damped oscillations)
    lyapunov    the largest Lyapunov exponent per step of the settled part;
                clearly above 0 for chaos
    n_min, n_max  the smallest and largest N of the settled part (none for a
                decline towards 0 or a run still approaching K)
    end_step    the step at which the population died out or the last step
                before it left the range
    still_approaching  N at the last step of a run that settles smoothly but
                is still more than 1 % away from K there
    steps       the steps computed
    disturbed   what a disturbance of an unstable equilibrium grows into: the
                regime of the same run started a millionth below K
  A value that does not apply is left empty. Numbers are written in the
  shortest form that reads back exactly. With --words, dynamics prints the
  run in words instead, as the Dynamics window of Tarnis tells it: a headline
  and a paragraph; --steps S names the steps its chart shows (200), which
  the words tell apart from the long run where the two differ.
  With --tidy, dynamics writes its keys as a CSV header, then r,lag,n0,K, and
  the values as one row under them.
  stability writes "lag,r_monotone,r_stable,onset_period" and a row per lag;
  the onset period is that of the oscillation which starts at r_stable.
  scan writes "r,lag,regime,period,lyapunov,n_min,n_max,end_step,
  still_approaching,steps,disturbed,n0,K" and a row per pair, r-major (what
  dynamics answers for the pair, then N(0) and K, the same in every row),
  using every core; a value or a range of one value is
  accepted for either option. On a terminal, a bar on standard error shows
  its progress and the time left; a scan expected to take over a minute
  says so when it starts, and elsewhere (a log) writes a line at every tenth.

The continuous-time model (the options of a run):
  continuous integrates dN/dt = r·N(t)·(1 − N(t−T)/K), N(t) = N(0) for
  t <= 0, by fourth-order Runge-Kutta with a step h = T/m (m >= 32, and
  h <= 1/(160·|r|·max(1, N(0)/K))), and writes N at t = 0, 1, ..., S in the
  columns time and N(t) under a title line, as a run does (--digits, --tidy
  and -o as for a run). Without a lag it is the logistic equation, within a
  relative 1e-9 of its closed form over 200 time units. A trajectory whose
  swings grow too steep for the step stops there, and says so on standard
  error.
  dynamics --continuous answers for the continuous model: regime (settles
  smoothly, damped oscillations, cycle, stays put, declines towards 0, runs
  away, too steep), r_monotone = 1/(eT), r_stable = pi/(2T), onset_period =
  4T, period, half_life (damped), n_min and n_max (the settled cycle), lowest
  (the lowest N after the first peak) and end_time; with --words, in words,
  and how the two models meet.

Chance: ensemble (--r, --n0, --K, --lag, --steps, --tidy and -o as above):
  --noise KIND  demographic (N(t+1) a Poisson count of mean the model's next
                value), environmental (the growth term times exp(sigma·e −
                sigma²/2) each step, e standard normal) or both (demographic)
  --sigma X     of the environmental noise, above 0 and at most 10 (0.1)
  --threshold X a population below X animals counts as extinct (1)
  --runs M      the runs, 1 to 100000000 (1000); run i draws from stream i of
                the seed, so any slice of them gives the same numbers anywhere
  --seed S      a whole number from 0 to 2^64 - 1 (1)
  --shard I/N   only the I-th of N slices of the runs; the N shards' outputs
                put together in order (cat) are the whole output byte for byte
  --summary     instead of the rows, a title line in words and
                "time,survival,N_5,N_25,N_50,N_75,N_95" for each t: the share
                of runs not yet extinct and percentiles of N(t), extinct runs
                counting as 0; runs × (steps + 1) at most 20000000
  Without --summary, ensemble writes "run,extinction_time,last_N", a row per
  run; extinction_time is empty for a run that survives. Every core is used.

A table for R and pandas (a run, sweep, dynamics, stability and scan):
  --tidy        write the table with names free of spaces and symbols, every
                value exact (the shortest text that reads back as the same
                number), no title line and lines ending in LF alone, ready
                for R's read.csv and pandas.read_csv as they are. A run writes
                "time,N,dN,dN_per_N,r,n0,K,lag,steps", a sweep
                "r,lag,t,N,end,n0,K,discard,keep"; stability and scan keep
                their names. Not with --digits or dynamics --words. Without
                it, every line ends in CR LF, as in the file that "S" saves

Examples:
  tarnis-run --lag 8 --steps 2000 -o lag8.csv
  tarnis-run --digits 17 | head
  tarnis-run --lag 8 --tidy -o lag8.csv
  tarnis-run sweep --r 1.5:2.9:0.005 --lag 0 --K 100 --n0 2 --discard 500 --keep 100 -o bifurcation.csv
  tarnis-run dynamics --r 0.2 --lag 8
  tarnis-run dynamics --r 0.2 --lag 8 --words
  tarnis-run continuous --r 0.3 --lag 5 --steps 400 -o hutchinson.csv
  tarnis-run dynamics --continuous --r 0.3 --lag 5 --words
  tarnis-run ensemble --runs 10000 --noise both --sigma 0.2 --lag 8 -o runs.csv
  tarnis-run ensemble --runs 1000 --lag 8 --summary -o fan.csv
  tarnis-run stability --lag 0:20:0.5 -o limits.csv
  tarnis-run scan --r 0.01:1:0.01 --lag 0:20:0.5 -o regimes.csv

Exit status: 0 on success, 2 for a wrong command line or a refused set-up file,
1 when the output cannot be written.
)";
    // The defaults and the limit as the window has them, so that the help cannot fall behind.
    const RunParameters& defaults = DefaultParameters;
    for (const auto& [mark, value] :
         {std::pair{"%R%", defaults.r}, std::pair{"%N0%", defaults.n0}, std::pair{"%K%", defaults.K},
          std::pair{"%LAG%", defaults.lag}, std::pair{"%STEPS%", double(defaults.steps)},
          std::pair{"%MAX%", double(MaxRunSteps)}})
        text.replace(text.find(mark), std::string_view(mark).size(), numberToText(value, '.'));
    return text;
}

std::string versionText() { return "tarnis-run " TARNIS_VERSION "\n"; }

} // namespace tarnis::cli
