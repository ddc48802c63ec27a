// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/teaching_texts.h"

#include "model/screens/teaching_texts.h"

namespace tarnis::texts {

namespace {

QStringList qt(const std::vector<std::string>& pieces)
{
    QStringList list;
    for (const std::string& piece : pieces)
        list.append(QString::fromStdString(piece));
    return list;
}

} // namespace

QString introductionHeading() { return QString::fromStdString(teaching::introductionHeading()); }

QStringList introductionPieces() { return qt(teaching::introductionPieces()); }

QStringList furtherRemarksPieces() { return qt(teaching::furtherRemarksPieces()); }

QList<Citation> references()
{
    QList<Citation> list;
    for (const teaching::Citation& citation : teaching::references())
        list.append({citation.element, QString::fromStdString(citation.text)});
    return list;
}

} // namespace tarnis::texts
