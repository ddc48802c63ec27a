// The colours of the regimes on the stability map and in its legend, as Qt draws them: the model's
// table (model/regime_colours.h), which the page shares.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/dynamics/regime_colours.h"

#include <QColor>
#include <QString>

namespace tarnis {

QColor regimeColour(Regime regime);
inline const QColor NotComputedColour{QRgb(NotComputedRgb)};

// The regime's words, "sustained oscillations".
QString regimeName(Regime regime);

// Its place in AllRegimes.
int regimeIndex(Regime regime);

} // namespace tarnis
