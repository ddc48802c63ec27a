// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/default_printer.h"

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>

namespace tarnis {

namespace {

PrintTarget::Result failed(const QString& printerName, const QString& reason)
{
    return {PrintTarget::Outcome::Failed, QStringLiteral("%1: %2").arg(printerName, reason)};
}

} // namespace

PrintTarget::Result DefaultPrinter::printPage(const QString& jobTitle, const PagePainter& paintPage)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && QPrinterInfo::availablePrinterNames().isEmpty())
        return {Outcome::NoPrinter, {}};
    if (info.isNull()) // printers, but the user chose none of them to print on
        return {Outcome::Failed, QStringLiteral("None of the printers is set as the default printer.")};
    const QString printerName = info.printerName();
    const QPrinter printer(info, QPrinter::HighResolution);

    QTemporaryFile spool(QDir::temp().filePath(QStringLiteral("tarnis-page-XXXXXX.pdf")));
    if (!spool.open())
        return failed(printerName, spool.errorString());
    {
        QPdfWriter page(&spool);
        page.setPageLayout(printer.pageLayout());
        page.setResolution(printer.resolution());
        page.setTitle(jobTitle);
        if (!paintPage(page))
            return failed(printerName, QStringLiteral("The page could not be drawn."));
    }
    if (!spool.flush())
        return failed(printerName, spool.errorString());

    // A printer instance ("queue/instance") prints on its queue.
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(spool.fileName()).constData(),
                                  jobTitle.toUtf8().constData(), 0, nullptr);
    if (job == 0)
        return failed(printerName, QString::fromUtf8(cupsLastErrorString()));
    return {Outcome::Printed, {}};
}

} // namespace tarnis
