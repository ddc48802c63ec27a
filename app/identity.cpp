// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/identity.h"

namespace tarnis::identity {

QString programTitle() { return QStringLiteral("Tarnis"); }

QString makerName() { return QStringLiteral("The Tarnis developers"); }

QString contactEmail() { return QStringLiteral("tarnis@example.org"); }

QString homePage() { return QStringLiteral("https://tarnis.example.org"); }

QStringList contactBlock()
{
    return {
        makerName(),
        QStringLiteral("E-mail: ") + contactEmail(),
        QStringLiteral("Post: see the home page"),
        QStringLiteral("Tarnis project"),
        QStringLiteral("Population ecology teaching"),
        QStringLiteral("Free software, GNU GPL 3+"),
        QStringLiteral("Made for classrooms everywhere"),
    };
}

QString noticeLine(int year)
{
    return QStringLiteral("Copyright (C) %1 %2").arg(year).arg(makerName());
}

QString citationAuthor() { return QStringLiteral("The Tarnis developers"); }

QList<Download> downloads()
{
    return {
        {QStringLiteral("https://tarnis.example.org/download"), QStringLiteral("Tarnis project")},
        {QStringLiteral("https://mirror.example.net/tarnis"), QStringLiteral("Tarnis mirror")},
    };
}

QStringList furtherDistributors()
{
    return {QStringLiteral("Your school's software catalogue"), QStringLiteral("Your Linux distribution")};
}

} // namespace tarnis::identity
