// The teaching texts of the information screens, as Qt strings: the model's words
// (model/teaching_texts.h), which the page shows too. Each text is kept as the pieces its screen joins.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarnis::texts {

QStringList introductionPieces();   // one paragraph, joined without separators
QStringList furtherRemarksPieces(); // one paragraph, joined without separators
QString introductionHeading();

// The six works of the reference list, one full citation each, from top to bottom.
struct Citation {
    int element; // the index of its label in the reference list's label array
    QString text;
};
QList<Citation> references();

} // namespace tarnis::texts
