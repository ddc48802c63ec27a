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

// What a window prints: the picture of its client area at three times the screen's pixels, and the
// parts that draw themselves in vectors at the page's own resolution (the charts), over their places.
struct WindowPage {
    QImage picture;
    QWidget* window = nullptr;
};

WindowPage windowPage(QWidget& window);

// Paints the window's page onto a page device; false when the device cannot be painted on.
bool paintWindowPage(QPagedPaintDevice& page, const WindowPage& windowPage);

// The page as a one-page PDF document on the paper of the user's region; empty when it could not be
// drawn.
QByteArray pdfPage(const WindowPage& windowPage, const QString& title);

} // namespace tarnis
