// The catalog's words as Qt takes them, and the language the desktop speaks: the one the system asks
// for, chosen once at start-up for the model's words, the numbers and Qt's own dialogs.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/language/catalog.h"

#include <QString>

class QCoreApplication;

namespace tarnis {

inline QString localized(std::string_view english)
{
    const std::string_view text = translate(english);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QString localizedIn(std::string_view context, std::string_view english)
{
    const std::string_view text = translateIn(context, english);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The form for a count, its placeholders still to fill.
inline QString localizedPlural(std::string_view one, std::string_view many, unsigned long long count)
{
    const std::string_view text = translatePlural(one, many, count);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A text of the catalog with its {placeholders} filled.
struct LocalizedFilling {
    std::string_view name;
    QString value;
};
QString localizedFilled(std::string_view english, std::initializer_list<LocalizedFilling> fillings);

// Speaks the language that the environment asks for, as gettext reads it (LANGUAGE's list, unless
// the locale is C, then LC_ALL, LC_MESSAGES, LANG): the catalog's texts, numbers written as that
// language writes them, and Qt's own dialogs in it where Qt has a translation.
void speakSystemLanguage(QCoreApplication& application);

} // namespace tarnis
