// The largest Lyapunov exponent of a trajectory of the lagged map, whose state N(t−⌈T⌉) … N(t) has
// ⌈T⌉ + 1 dimensions: the mean growth per step, as a natural logarithm, of a small perturbation.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/trajectory.h"

#include <atomic>
#include <optional>
#include <vector>

namespace tarnis {

// Follows the tangent recurrence of the run's step,
//   δ(t+1) = (1 + r·(1 − L/K))·δ(t) − (r·N(t)/K)·δ(t − lag),  L = N(t − lag),
// with the lag that the step itself used (alternating for halves, none before the lag reaches t = 0),
// from a perturbation of N(0) alone, δ(0) = 1, up to step `to`. Returns
//   (ln‖δ‖(to) − ln‖δ‖(from)) / (to − from),
// where ‖δ‖(t) is the largest |δ| over the state at t. The state is rescaled by powers of two, exactly,
// whenever its values grow or shrink too far, so no value overflows or becomes subnormal; the
// logarithms are taken in arithmetic that rounds alike on every platform, so the exponent is the same
// double in every build. −∞ when the perturbation vanishes
// exactly (a superstable orbit). Empty when cancelled or unless 0 <= from < to <= the trajectory's
// last step. `tangent` is a buffer reused from call to call.
std::optional<double> lyapunovExponent(const Trajectory& trajectory, const RunParameters& parameters, int from, int to,
                                       std::vector<double>& tangent, const std::atomic<bool>* cancel = nullptr);

} // namespace tarnis
