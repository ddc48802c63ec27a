// A PDF read the way a person checks a printout, with the PDF tools of poppler-utils: how many pages
// it has, and its first page as a picture.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

namespace tarnis::test {

// Empty when both tools are there, else what is missing.
QString pdfToolsMissing();

// The page count that pdfinfo reads; empty when it cannot read the file (not yet whole, or no PDF).
std::optional<int> pdfPageCount(const QString& fileName);

// The first page drawn at this resolution; a null image when it cannot be drawn.
QImage pdfFirstPage(const QString& fileName, int dotsPerInch);

// The smallest rectangle that holds every pixel that is not near white; empty for a blank page.
QRect inkBounds(const QImage& page);

} // namespace tarnis::test
