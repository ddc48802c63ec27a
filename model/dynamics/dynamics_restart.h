// Which parts of the dynamics on show a new run computes anew, and which keep their work and only move
// the run's marks. Every front end asks this one rule, so that the desktop's window and the page
// restart alike: a slider dragged along r at one lag keeps the map (whose cells are those of r and the
// lag at the run's N(0) and K) and the diagram over r (whose columns are those of r at the run's lag).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/dynamics_plan.h"

namespace tarnis {

// true: the part's work starts anew for the new run; false: what it computed (or is computing) stays,
// and only the run's place in it moves.
struct DynamicsRestart {
    bool regime = true;  // the run's regime; kept, the words are written again for the new steps
    bool map = true;     // the map's cells; kept, the run's mark moves
    bool diagram = true; // the columns of the diagram over `axis`; kept, its marks move
};

// What `next` computes anew where `shown` is the plan on show (none before the first run) with its
// diagram over `axis`. The regime ignores the steps; the map keeps a grid equal in every value; the
// diagram keeps a request equal in everything but the run's own place on its axis and the steps. A
// plan beyond the analysis, on either side, has nothing to keep: it is shown anew.
DynamicsRestart dynamicsRestart(const DynamicsPlan* shown, const DynamicsPlan& next, BifurcationAxis axis);

// The plan of `run` after `shown`: planDynamics(run), but where `run` differs from the shown plan's run
// in its steps alone, the shown plan with the new steps, which the plan does not depend on. Planning
// takes runs to find where the lag's population dies out, up to seconds at the longest lags: a new
// number of steps should cost nothing.
DynamicsPlan followingPlan(const DynamicsPlan* shown, const RunParameters& run);

} // namespace tarnis
