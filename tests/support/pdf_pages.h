// A PDF read the way a person checks a printout, with the PDF tools of poppler-utils: how many pages
// it has, its first page as a picture, and the words of each page, as text or as seen (tesseract-ocr).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarnis::test {

// Empty when both tools are there, else what is missing.
QString pdfToolsMissing();

// The page count that pdfinfo reads; empty when it cannot read the file (not yet whole, or no PDF).
std::optional<int> pdfPageCount(const QString& fileName);

// The first page drawn at this resolution; a null image when it cannot be drawn.
QImage pdfFirstPage(const QString& fileName, int dotsPerInch);

// The text of each page, as pdftotext reads it; empty when it cannot read the file.
std::optional<QStringList> pdfPageTexts(const QString& fileName);

// The words on a page (from 1) as a reader sees them, read by OCR from its picture at 300 dots per inch:
// for a printer's file, whose fonts lost the characters their glyphs stand for on the way through
// PostScript. Empty when it cannot be read; ocrToolMissing says why, when the reader is not installed.
QString ocrToolMissing();
std::optional<QString> pdfPageSeen(const QString& fileName, int page);

// The smallest rectangle that holds every pixel that is not near white; empty for a blank page.
QRect inkBounds(const QImage& page);

} // namespace tarnis::test
