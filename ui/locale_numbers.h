// The user's decimal separator, as the number conversions of the model take it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/numbers/conversions.h"

#include <QLocale>

namespace tarnis {

// The separator of the default locale, by the model's rule (the page follows it as well).
inline char localeDecimalSeparator() { return decimalSeparatorFor(QLocale().decimalPoint().toStdString()); }

} // namespace tarnis
