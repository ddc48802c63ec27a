// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/document_printing.h"

#include "output/file_saving.h"
#include "ui/localized.h"

#include <QApplication>
#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>

namespace tarnis {

namespace {

QString failureText(const PrintTarget::Result& result)
{
    const QString offer = localized("Do you want to save the page as a PDF file instead?");
    if (result.outcome == PrintTarget::Outcome::NoPrinter)
        return localized("The page was not printed: no printer is set up on this computer.") + QStringLiteral("\n\n")
            + offer;
    return localizedFilled("The page could not be printed:\n{reason}", {{"reason", result.reason}})
        + QStringLiteral("\n\n") + offer;
}

// The paper of the user's region, since there is no printer to ask.
QPageLayout pdfPageLayout()
{
    const bool letterRegion = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letterRegion ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void offerPdfInstead(QWidget& parent, const QString& title, const PrintTarget::PagePainter& paint, Services services,
                     const PrintTarget::Result& result)
{
    if (!services.messages.ask(&parent, failureText(result), localized("Save as PDF...")))
        return;
    const QString fileName = services.fileNames.saveFileName(&parent, title + QStringLiteral(".pdf"),
                                                             localized("PDF files (*.pdf);;All files (*)"));
    if (fileName.isEmpty())
        return;
    const QByteArray pdf = pdfDocument(paint, title);
    if (pdf.isEmpty())
        services.messages.inform(&parent, cannotWriteText(fileName, localized("The page could not be drawn")));
    else
        saveFile(&parent, fileName, pdf, services.messages);
}

} // namespace

QByteArray pdfDocument(const PrintTarget::PagePainter& paint, const QString& title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(pdfPageLayout());
        pdf.setTitle(title);
        pdf.setCreator(QApplication::applicationName());
        if (!paint(pdf))
            return {};
    }
    return buffer.data();
}

void printDocument(QWidget& parent, const QString& title, const PrintTarget::PagePainter& paint, Services services)
{
    const PrintTarget::Result result = services.printer.printPage(title, paint);
    if (result.outcome != PrintTarget::Outcome::Printed)
        offerPdfInstead(parent, title, paint, services, result);
}

} // namespace tarnis
