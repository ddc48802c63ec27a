// The pace of a run played step by step, the same in every front end: the speeds a player offers, in
// steps a second; the one it starts at, which plays the whole run in about ten seconds; the steps due
// after a time at a speed; and how a speed and the step reached are written.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace tarnis {

inline constexpr std::array<int, 10> PlaySpeeds{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
inline constexpr double PlaySeconds = 10.0;

// The slowest speed that plays `steps` steps within PlaySeconds; the fastest where none does.
int firstPlaySpeed(int steps);

// How many steps are on show `seconds` after `from` were, at `speed` steps a second: never more than
// `last`, and only whole steps.
int stepsAfter(int from, double seconds, int speed, int last);

// "20 steps/s", "1 step/s".
std::string playSpeedText(int speed);

// Where the play stands: "t = 57 of 200".
std::string playPositionText(int t, int lastT);

} // namespace tarnis
