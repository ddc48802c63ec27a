// The one step of the model, N(t+1) = N(t) + r·N(t)·(1 − N(t−T)/K), and the index of N(t−T) that it
// reads: shared by the run into the result store and by every analysis that computes a trajectory
// of its own, so that both give the same values bit for bit.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace tarnis {

// The index of N(t−T) for the step from t = i − 1: m = (i − T) − 1 rounded halves to even, as
// roundToInt32 does. Adding and subtracting 1.5·2^52 leaves a double no fraction bits and rounds it in
// the default mode, exactly as nearbyint would for 0 <= m < 2^51, without a library call per step (a
// third of a run's time). Before the lag reaches back to t = 0, and with no lag at all, the step reads
// the current value, i − 1. With T >= 0 the index is at most i − 1: an entry already computed.
inline std::size_t laggedIndex(int i, double lag)
{
    const double m = (double(i) - lag) - 1.0;
    if (m < 0.0)
        return std::size_t(i - 1);
    constexpr double noFractionBits = 6755399441055744.0;
    return std::size_t((m + noFractionBits) - noFractionBits);
}

struct StepValues {
    double dN;     // the change from N(t) to N(t+1)
    double dNperN; // dN / N(t)
    double next;   // N(t+1)
};

// Keep this order of operations: results are compared bit for bit.
inline StepValues modelStep(double current, double lagged, double r, double K)
{
    const double dN = (1.0 - lagged / K) * (r * current);
    return {dN, dN / current, dN + current};
}

} // namespace tarnis
