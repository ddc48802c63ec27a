// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/regime_palette.h"

#include <algorithm>

namespace tarnis {

QColor regimeColour(Regime regime) { return QColor(QRgb(regimeRgb(regime))); }

QString regimeName(Regime regime)
{
    const std::string_view text = regimeText(regime);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int regimeIndex(Regime regime) { return int(std::ranges::find(AllRegimes, regime) - AllRegimes.begin()); }

} // namespace tarnis
