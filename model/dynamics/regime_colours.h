// The colours of the regimes on the stability map and in its legend, for every front end: the eight of
// Okabe and Ito's palette but black, which stay apart for readers with any common kind of colour
// blindness, the wine and indigo of Tol's muted palette for the two rarer regimes (dark enough to stay
// apart from all of them, and from the black lines and white halos drawn over the cells, for those
// readers too), and a pale grey for cells still being computed.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/run_regime.h"

#include <array>
#include <cstdint>

namespace tarnis {

// The regimes in the order of a legend.
inline constexpr std::array AllRegimes{Regime::SettlesSmoothly,
                                       Regime::DampedOscillations,
                                       Regime::Periodic,
                                       Regime::SustainedOscillations,
                                       Regime::Chaotic,
                                       Regime::UnstableEquilibrium,
                                       Regime::DeclinesTowardsZero,
                                       Regime::DiesOut,
                                       Regime::LeavesRange};

// As 0xRRGGBB.
std::uint32_t regimeRgb(Regime regime);
inline constexpr std::uint32_t NotComputedRgb = 0xEBEBEB;

} // namespace tarnis
