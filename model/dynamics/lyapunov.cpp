// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/lyapunov.h"

#include "model/numbers/double_double.h"
#include "model/run/model_step.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

// Far from both ends of the double range, so that a step's growth (bounded by |a| + |b|) cannot
// overflow before the next look, and slow shrinking never reaches the slow subnormal numbers.
constexpr double Large = 1e150;
constexpr double Small = 1e-150;

// The values of δ that later steps can still read: the state of the map at step i.
struct StateWindow {
    int reach; // the longest lag any step uses

    int first(int i) const { return std::max(0, i - reach); }

    double largest(const double* delta, int i) const
    {
        double largest = 0.0;
        for (int j = first(i); j <= i; ++j)
            largest = std::max(largest, std::fabs(delta[j]));
        return largest;
    }

    // Divides the state by the power of two at or above its largest value, exactly, and returns that
    // power's exponent.
    int rescale(double* delta, int i, double largest) const
    {
        int exponent = 0;
        std::frexp(largest, &exponent);
        const double factor = std::ldexp(1.0, -exponent);
        for (int j = first(i); j <= i; ++j)
            delta[j] *= factor;
        return exponent;
    }
};

// The size of δ: the largest stored value times 2 to the exponent of the rescalings so far.
struct Size {
    double largest = 1.0;
    long long exponent = 0;

    // ln of the size, in arithmetic that rounds alike everywhere: the C library's logarithm may differ
    // in the last bit from one platform to the next, and the exponent is to be the same in each.
    dd::DoubleDouble log() const { return dd::log(dd::DoubleDouble(largest)) + dd::ln2 * double(exponent); }
};

} // namespace

std::optional<double> lyapunovExponent(const Trajectory& trajectory, const RunParameters& p, int from, int to,
                                       std::vector<double>& tangent, const std::atomic<bool>* cancel)
{
    if (from < 0 || from >= to || to > trajectory.lastStep || std::size_t(to) >= trajectory.N.size())
        return std::nullopt;
    tangent.resize(std::size_t(to) + 1);
    double* delta = tangent.data();
    const double* N = trajectory.N.data();
    const StateWindow window{int(std::min(std::ceil(p.lag), double(to)))};
    // The tangent needs no bit-exact agreement with anything: multiplications spare two divisions a step.
    const double inverseK = 1.0 / p.K;
    const double rOverK = p.r / p.K;
    delta[0] = 1.0;
    long long scaleExponent = 0; // the true δ is the stored one times 2 to this
    Size atFrom;
    int start = from;
    int nextShrinkLook = 0;
    for (int i = 1; i <= to; ++i) {
        if (i % CancelCheckSteps == 0 && cancelRequested(cancel))
            return std::nullopt;
        const std::size_t index = laggedIndex(i, p.lag);
        const double a = 1.0 + p.r * (1.0 - N[index] * inverseK);
        const double b = rOverK * N[i - 1];
        const double next = a * delta[i - 1] - b * delta[index];
        delta[i] = next;
        const double size = std::fabs(next);
        if (!std::isfinite(next)) {
            // Only a run that passes through enormous values gets here: start the perturbation afresh
            // and measure from here on.
            std::fill(delta + window.first(i), delta + i, 0.0);
            delta[i] = 1.0;
            scaleExponent = 0;
            if (i > start) {
                start = i;
                atFrom = Size{};
            }
        } else if (size > Large) {
            scaleExponent += window.rescale(delta, i, window.largest(delta, i));
        } else if (size < Small && i >= nextShrinkLook) {
            // Older values of the state may still be large; look again once they have all been replaced.
            const double largest = window.largest(delta, i);
            if (largest == 0.0)
                return -std::numeric_limits<double>::infinity();
            if (largest < Small) {
                scaleExponent += window.rescale(delta, i, largest);
            } else {
                nextShrinkLook = i + window.reach + 1;
            }
        }
        if (i == from)
            atFrom = Size{window.largest(delta, i), scaleExponent};
    }
    if (start >= to)
        return std::nullopt;
    const Size atTo{window.largest(delta, to), scaleExponent};
    return double((atTo.log() - atFrom.log()) / double(to - start));
}

} // namespace tarnis
