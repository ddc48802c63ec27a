// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/localized.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <vector>

namespace tarnis {

QString localizedFilled(std::string_view english, std::initializer_list<LocalizedFilling> fillings)
{
    std::vector<Filling> values;
    values.reserve(fillings.size());
    for (const LocalizedFilling& filling : fillings)
        values.push_back({filling.name, filling.value.toStdString()});
    return QString::fromStdString(fill(translate(english), values));
}

void speakSystemLanguage(QCoreApplication& application)
{
    const auto variable = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
    const std::string_view code
        = environmentLanguage(variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG"));
    setLanguage(code);
    // English keeps the system's own way with numbers; a translation writes them as its language
    // does, in the system's country where that speaks the same language ("de" in Austria as there).
    const QLocale spoken(QString::fromUtf8(code.data(), qsizetype(code.size())));
    if (code == "en" || spoken.language() == QLocale::C)
        return;
    if (QLocale::system().language() != spoken.language())
        QLocale::setDefault(spoken);
    // Qt's own dialogs and buttons ("Cancel", the file dialog), from Debian's Qt translations.
    auto* qtWords = new QTranslator(&application);
    if (qtWords->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtWords);
}

} // namespace tarnis
