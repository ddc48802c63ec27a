// The run of the time-lag logistic model, N(t+1) = N(t) + r·N(t)·(1 − N(t−T)/K), into the result
// store, and the reading of its five parameter texts.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace tarnis {

inline constexpr int MaxRunSteps = MaxStoreIndex - 1; // the run also writes N at LastStep + 1

struct RunParameters {
    double r = 0.0;         // intrinsic rate
    double K = 0.0;         // carrying capacity
    std::int16_t steps = 0; // last time step asked for
    double n0 = 0.0;        // initial population size N(0)
    double lag = 0.0;       // time lag T, possibly fractional

    bool operator==(const RunParameters&) const = default;
};

// What the main window's boxes hold at start, and what tarnis-run takes for an option left out.
inline constexpr RunParameters DefaultParameters{.r = 0.2, .K = 500.0, .steps = 200, .n0 = 1.0, .lag = 5.0};

// Why a run does not start. Each names the parameter at fault, so that the window can say which box
// to correct.
enum class RunRefusal {
    RateOutOfRange,        // r beyond the double range
    CapacityOutOfRange,    // K beyond the double range
    CapacityZero,          // K reads as 0: the model divides by K
    StepsOutOfRange,       // steps outside 0 to MaxRunSteps
    InitialSizeNotANumber, // N(0) text is not a number
    InitialSizeZero,       // N(0) = 0: dN/N would be 0/0
    LagNotANumber,         // lag text is not a number
    LagNegative,           // a negative lag would read entries that this run has not written
    InitialSizeNegative,   // N(0) < 0, which no box takes (see checkBoxRules)
    CapacityNegative,      // K < 0, which no box takes
};

// The texts of the five parameter boxes as the user left them.
struct RunTexts {
    std::string r;
    std::string K;
    std::string steps;
    std::string n0;
    std::string lag;

    bool operator==(const RunTexts&) const = default;
};

// r, K and the steps are read leniently, N(0) and the lag strictly; the locale's separator is
// accepted by both readings.
std::variant<RunParameters, RunRefusal> readRunParameters(const RunTexts& texts, char localeSeparator);

// The limits within which a run stays inside the store and computes defined values.
std::optional<RunRefusal> checkRunParameters(const RunParameters& parameters);

// What the parameter boxes refuse beyond what a run refuses: N(0) or K below 0. The model computes such
// runs (and its analysis names their regimes), but no box takes them, and tarnis-run holds its options
// to the boxes' rules with this.
std::optional<RunRefusal> checkBoxRules(const RunParameters& parameters);

enum class RunEnd {
    Completed, // all steps computed; PopN also holds LastStep + 1
    DiedOut,   // N reached 0 or below at LastStep and was set to 0
    LeftRange, // a value at step LastStep + 1 was beyond the double range; see RunOutcome
    Refused,   // the parameters broke a limit; the store is untouched
};

// With RunEnd::LeftRange: the first of N(t+1), dN(t) and dN(t)/N(t) that had no finite value, and
// which way it went.
struct RangeExit {
    enum class Value { N, DN, DNperN } value = Value::N;
    enum class Way { Above, Below, Undefined } way = Way::Above; // +inf, -inf or no number at all
};

struct RunOutcome {
    RunEnd end = RunEnd::Completed;
    std::int16_t lastStep = 0;
    std::optional<RunRefusal> refusal; // with RunEnd::Refused
    std::optional<RangeExit> exit;     // with RunEnd::LeftRange
};

// Overwrites the store in place, leaving the entries above those that the run reaches as they were.
// Operation order and rounding are fixed so that results are reproducible bit for bit. When a value
// leaves the double range at step i, the run stops there: LastStep becomes i − 1, and the values of
// that step that are not finite are stored as NaN (no value) rather than passing for a result.
RunOutcome runModel(ResultStore& store, const RunParameters& parameters);

} // namespace tarnis
