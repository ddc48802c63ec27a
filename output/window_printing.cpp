// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/window_printing.h"

#include "output/file_saving.h"

#include <QApplication>
#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

namespace tarnis {

namespace {

QString pageTitle(const QWidget& window)
{
    const QString title = window.windowTitle();
    return title.isEmpty() ? QApplication::applicationName() : title;
}

QString failureText(const PrintTarget::Result& result)
{
    const QString offer = QStringLiteral("Do you want to save the page as a PDF file instead?");
    if (result.outcome == PrintTarget::Outcome::NoPrinter)
        return QStringLiteral("The page was not printed: no printer is set up on this computer.\n\n") + offer;
    return QStringLiteral("The page could not be printed:\n%1\n\n").arg(result.reason) + offer;
}

// The client area with every visible control as it stands, at three times the screen's pixels so
// that the texts stay sharp on paper.
QImage windowPicture(QWidget& window)
{
    constexpr int scale = 3;
    QImage picture(window.size() * scale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::white);
    window.render(&picture);
    return picture;
}

// The paper of the user's region, since there is no printer to ask.
QPageLayout pdfPageLayout()
{
    const bool letterRegion = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letterRegion ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void offerPdfInstead(QWidget& window, Services services, const QImage& picture, const PrintTarget::Result& result)
{
    if (!services.messages.ask(&window, failureText(result), QStringLiteral("Save as PDF...")))
        return;
    const QString title = pageTitle(window);
    const QString fileName = services.fileNames.saveFileName(&window, title + QStringLiteral(".pdf"),
                                                             QStringLiteral("PDF files (*.pdf);;All files (*)"));
    if (fileName.isEmpty())
        return;
    const QByteArray pdf = pdfPage(picture, title);
    if (pdf.isEmpty())
        services.messages.inform(&window, cannotWriteText(fileName, QStringLiteral("The page could not be drawn")));
    else
        saveFile(&window, fileName, pdf, services.messages);
}

} // namespace

QRect pagePlace(const QSize& picture, const QSize& printableArea)
{
    if (picture.isEmpty() || printableArea.isEmpty())
        return {};
    const QSize size = picture.scaled(printableArea, Qt::KeepAspectRatio);
    return {QPoint((printableArea.width() - size.width()) / 2, 0), size};
}

bool paintWindowPage(QPagedPaintDevice& page, const QImage& picture)
{
    QPainter painter;
    if (!painter.begin(&page))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pagePlace(picture.size(), QSize(page.width(), page.height())), picture);
    return painter.end();
}

QByteArray pdfPage(const QImage& picture, const QString& title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(pdfPageLayout());
    pdf.setTitle(title);
    pdf.setCreator(QApplication::applicationName());
    if (!paintWindowPage(pdf, picture))
        return {};
    return buffer.data();
}

void printWindow(QWidget& window, Services services)
{
    const QImage picture = windowPicture(window);
    const PrintTarget::Result result = services.printer.printPage(
        pageTitle(window), [&picture](QPagedPaintDevice& page) { return paintWindowPage(page, picture); });
    if (result.outcome != PrintTarget::Outcome::Printed)
        offerPdfInstead(window, services, picture, result);
}

} // namespace tarnis
