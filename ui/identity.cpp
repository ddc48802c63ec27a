// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/identity.h"

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

QString noticeLine(int year) { return QStringLiteral("Copyright (C) %1 %2").arg(year).arg(makerName()); }

QString citationAuthor() { return QStringLiteral("The Tarnis developers"); }

QString citationTitle() { return QStringLiteral("Tarnis (computer program)"); }

QString rightsLine() { return QStringLiteral("Free software, licensed under the GNU GPL, version 3 or later."); }

QString protectionStatement()
{
    return QStringLiteral("Tarnis is free software: you can redistribute it and/or modify it under the terms of the "
                          "GNU General Public License as published by the Free Software Foundation, either version 3 "
                          "of the License, or (at your option) any later version. It is distributed in the hope that "
                          "it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of "
                          "MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License "
                          "for more details.");
}

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

QString emblemName() { return QStringLiteral("Emblem: a ladybird on a leaf"); }

} // namespace tarnis::identity
