// Who makes and distributes this copy of Tarnis, as the windows show it: the texts of the model's
// identity (model/identity.h) as Qt strings, so that the windows and the page say the same.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
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
QString citationSource();      // where a reader of the citation finds it: the home page, or the version
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
