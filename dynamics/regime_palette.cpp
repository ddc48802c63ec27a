// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/regime_palette.h"

#include <algorithm>

namespace tarnis {

QColor regimeColour(Regime regime)
{
    // Calm regimes in blues, lasting swings in green and yellow, chaos in orange, the two ends in the
    // purple and vermilion that no other regime comes near; a fragile rest in wine, a decline in indigo.
    switch (regime) {
    case Regime::SettlesSmoothly:
        return {86, 180, 233}; // sky blue
    case Regime::DampedOscillations:
        return {0, 114, 178}; // blue
    case Regime::Periodic:
        return {0, 158, 115}; // bluish green
    case Regime::SustainedOscillations:
        return {240, 228, 66}; // yellow
    case Regime::Chaotic:
        return {230, 159, 0}; // orange
    case Regime::UnstableEquilibrium:
        return {136, 34, 85}; // wine
    case Regime::DeclinesTowardsZero:
        return {51, 34, 136}; // indigo
    case Regime::DiesOut:
        return {204, 121, 167}; // reddish purple
    case Regime::LeavesRange:
        return {213, 94, 0}; // vermilion
    }
    return NotComputedColour;
}

QString regimeName(Regime regime)
{
    const std::string_view text = regimeText(regime);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int regimeIndex(Regime regime) { return int(std::ranges::find(AllRegimes, regime) - AllRegimes.begin()); }

} // namespace tarnis
