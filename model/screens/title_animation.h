// The title screen's animation without its widgets: a generator of fractions that starts from the
// same state at every start of the program, and the rule that draws the next title variant.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/store.h"

#include <cstdint>
#include <random>

namespace tarnis {

inline constexpr int TitleVariants = 5; // the five styles and places of the title

// Uniform fractions in [0, 1). Never seeded from the clock: every start of Tarnis shows the same
// sequence of title variants.
class TitleRandom {
public:
    double next();

private:
    std::mt19937_64 m_engine{std::mt19937_64::default_seed};
};

// The variant a fraction picks: u × 4 rounded to the nearest integer, halves to the even neighbour,
// so the two outer variants come up half as often as the three inner ones.
std::int16_t titleVariantFor(double fraction);

struct TitleChange {
    std::int16_t hide; // the variant shown until now
    std::int16_t show; // the variant shown from now on
};

// One tick of the animation: draws until the variant differs from the one shown, and records it in
// `title`. As ShownTitle starts at 0, the first tick never picks variant 0.
TitleChange advanceTitle(TitleAnimation& title, TitleRandom& random);

} // namespace tarnis
