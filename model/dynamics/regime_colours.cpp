// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dynamics/regime_colours.h"

namespace tarnis {

std::uint32_t regimeRgb(Regime regime)
{
    // Calm regimes in blues, lasting swings in green and yellow, chaos in orange, the two ends in the
    // purple and vermilion that no other regime comes near; a fragile rest in wine, a decline in indigo.
    switch (regime) {
    case Regime::SettlesSmoothly:
        return 0x56B4E9; // sky blue
    case Regime::DampedOscillations:
        return 0x0072B2; // blue
    case Regime::Periodic:
        return 0x009E73; // bluish green
    case Regime::SustainedOscillations:
        return 0xF0E442; // yellow
    case Regime::Chaotic:
        return 0xE69F00; // orange
    case Regime::UnstableEquilibrium:
        return 0x882255; // wine
    case Regime::DeclinesTowardsZero:
        return 0x332288; // indigo
    case Regime::DiesOut:
        return 0xCC79A7; // reddish purple
    case Regime::LeavesRange:
        return 0xD55E00; // vermilion
    }
    return NotComputedRgb;
}

} // namespace tarnis
