// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/play_pace.h"

#include "model/language/catalog.h"

#include <algorithm>
#include <cmath>

namespace tarnis {

int firstPlaySpeed(int steps)
{
    const auto fits = std::find_if(PlaySpeeds.begin(), PlaySpeeds.end(),
                                   [steps](int speed) { return steps <= speed * PlaySeconds; });
    return fits == PlaySpeeds.end() ? PlaySpeeds.back() : *fits;
}

int stepsAfter(int from, double seconds, int speed, int last)
{
    const double due = std::floor(std::max(seconds, 0.0) * speed);
    return int(std::min(double(from) + due, double(std::max(from, last))));
}

std::string playSpeedText(int speed)
{
    // TRANSLATORS: a pace of the play, in steps a second.
    return fill(translatePlural("{count} step/s", "{count} steps/s", static_cast<unsigned long long>(speed)),
                {{"count", std::to_string(speed)}});
}

std::string playPositionText(int t, int lastT)
{
    // TRANSLATORS: where a play of the run stands: "t = 57 of 200".
    return fill(translate("t = {step} of {last}"), {{"step", std::to_string(t)}, {"last", std::to_string(lastT)}});
}

} // namespace tarnis
