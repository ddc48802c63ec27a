// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/identity.h"

#include "model/screens/identity.h"

namespace tarnis::identity {

namespace {

namespace model = tarnis::about;

QString qt(const std::string& text) { return QString::fromStdString(text); }

QStringList qt(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list.append(qt(line));
    return list;
}

} // namespace

QString programTitle() { return qt(model::programTitle()); }
QString makerName() { return qt(model::makerName()); }
QString contactEmail() { return qt(model::contactEmail()); }
QString homePage() { return qt(model::homePage()); }
QStringList contactBlock() { return qt(model::contactBlock()); }
QString noticeLine(int year) { return qt(model::noticeLine(year)); }
QString citationAuthor() { return qt(model::citationAuthor()); }
QString citationTitle() { return qt(model::citationTitle()); }
QString citationSource() { return qt(model::citationSource()); }
QString rightsLine() { return qt(model::rightsLine()); }
QString protectionStatement() { return qt(model::protectionStatement()); }
QString emblemName() { return qt(model::emblemName()); }

QList<Download> downloads()
{
    QList<Download> list;
    for (const model::Download& download : model::downloads())
        list.append({qt(download.address), qt(download.institution)});
    return list;
}

QStringList furtherDistributors() { return qt(model::furtherDistributors()); }

} // namespace tarnis::identity
