// A document of one page or more (a window's picture, an activity's worksheet, the teacher's key)
// printed on the default printer with no dialog; where that cannot be done, one question offers the
// same pages as a PDF file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

#include <QByteArray>

class QWidget;

namespace tarnis {

// Prints the document. When there is no printer or the print fails, one message says so and offers
// to save the same pages as a PDF file instead; nothing else changes.
void printDocument(QWidget& parent, const QString& title, const PrintTarget::PagePainter& paint, Services services);

// The document as a PDF on the paper of the user's region; empty when it could not be drawn.
QByteArray pdfDocument(const PrintTarget::PagePainter& paint, const QString& title);

} // namespace tarnis
