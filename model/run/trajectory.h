// A trajectory of the model in buffers of its own, as long as an analysis needs (the result store
// holds 10 001 values): the same steps as the run, bit for bit.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <atomic>
#include <vector>

namespace tarnis {

struct Trajectory {
    std::vector<double> N;        // N(0) to N(lastStep)
    RunEnd end = RunEnd::Refused; // Completed, DiedOut, LeftRange, or Refused for parameters the run refuses
    int lastStep = 0;             // the last step with a value; N(lastStep) is 0 when the population died out
    bool cancelled = false;       // stopped early on request: `end` and `lastStep` say nothing
};

// Computes N(0) to N(steps) with the operations of runModel (the steps of `parameters` are ignored).
// It ends where the run would: at the step where N drops to 0 or below (DiedOut, N set to 0 there), or
// at the last step before a value leaves the double range (LeftRange). A run of S steps has the same
// values and end as the trajectory to S + 1, except that a completed run reports S as its last step.
// The buffer of `trajectory` is reused from call to call. `cancel`, when given, is read every few
// thousand steps.
void computeTrajectory(Trajectory& trajectory, const RunParameters& parameters, int steps,
                       const std::atomic<bool>* cancel = nullptr);

// True when `cancel` is given and set; read without ordering, as a hint to stop.
inline bool cancelRequested(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// How often long loops look at a cancel flag: every this many steps.
inline constexpr int CancelCheckSteps = 4096;

} // namespace tarnis
