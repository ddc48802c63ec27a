// The user's decimal separator, as the number conversions of the model take it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace tarnis {

// The separator of the default locale when it is one ASCII character; otherwise the point, which
// every reading accepts.
inline char localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128)
        return char(point.at(0).unicode());
    return '.';
}

} // namespace tarnis
