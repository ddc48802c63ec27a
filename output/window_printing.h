// "P": the picture of a window, every visible control as it stands, printed on one page of the default
// printer with no dialog; where that cannot be done, the same page can be saved as a PDF file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

class QPagedPaintDevice;
class QWidget;

namespace tarnis {

// Prints the client area of the window. When there is no printer or the print fails, one message
// says so and offers to save the page as a PDF file instead; nothing else changes.
void printWindow(QWidget& window, Services services);

// Where a picture goes on a printable area: as large as fits with its proportions kept, at the top,
// centred across.
QRect pagePlace(const QSize& picture, const QSize& printableArea);

// Paints the picture onto a page; false when the device cannot be painted on.
bool paintWindowPage(QPagedPaintDevice& page, const QImage& picture);

// The page as a one-page PDF document on the paper of the user's region; empty when it could not be
// drawn.
QByteArray pdfPage(const QImage& picture, const QString& title);

} // namespace tarnis
