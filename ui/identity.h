// Who makes and distributes this copy of Tarnis. Every window takes these texts from here, so an
// institution that deploys Tarnis changes its name and addresses in identity.cpp alone.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarnis::identity {

QString programTitle();        // "Tarnis"
QString makerName();           // who stands behind this copy
QString contactEmail();        // where comments go
QString homePage();            // the project's home page
QStringList contactBlock();    // seven lines: name, e-mail, post, laboratory, department, institution, place
QString noticeLine(int year);  // the one-line notice of the main window
QString citationAuthor();      // the maker as it stands in a citation
QString citationTitle();       // the program as it stands in a citation
QString rightsLine();          // the notice screen's line of what users may do with Tarnis
QString protectionStatement(); // the notice screen's licence and warranty statement
QString emblemName();          // what the emblem of the author panel shows, for those who cannot see it

struct Download {
    QString address;
    QString institution;
};
QList<Download> downloads();       // where new versions can be had
QStringList furtherDistributors(); // other places that offer Tarnis

} // namespace tarnis::identity
