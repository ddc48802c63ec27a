// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/default_printer.h"
#include "ui/localized.h"

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

// The print service's destinations, with the options that the user saved for each (duplex, paper,
// a held job); a printer instance ("queue/instance") is a queue with options of its own.
class Destinations {
public:
    Destinations() { m_count = cupsGetDests(&m_destinations); }
    ~Destinations() { cupsFreeDests(m_count, m_destinations); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    const cups_dest_t* find(const QByteArray& queue, const QByteArray& instance) const
    {
        return cupsGetDest(queue.constData(), instance.isEmpty() ? nullptr : instance.constData(), m_count,
                           m_destinations);
    }

private:
    cups_dest_t* m_destinations = nullptr;
    int m_count = 0;
};

// Hands the page to the print service on the printer's queue, with the options of the printer or
// its instance; the job's number, or 0 when the service refused it.
int submit(const QString& printerName, const QString& fileName, const QString& jobTitle)
{
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toUtf8();
    const Destinations destinations;
    const cups_dest_t* destination = destinations.find(queue, instance);
    return cupsPrintFile(queue.constData(), QFile::encodeName(fileName).constData(), jobTitle.toUtf8().constData(),
                         destination ? destination->num_options : 0, destination ? destination->options : nullptr);
}

} // namespace

PrintTarget::Result DefaultPrinter::printPage(const QString& jobTitle, const PagePainter& paintPage)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && QPrinterInfo::availablePrinterNames().isEmpty())
        return {Outcome::NoPrinter, {}};
    if (info.isNull()) // printers, but the user chose none of them to print on
        return {Outcome::Failed, localized("None of the printers is set as the default printer.")};
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
            return failed(printerName, localized("The page could not be drawn."));
    }
    if (!spool.flush())
        return failed(printerName, spool.errorString());

    if (submit(printerName, spool.fileName(), jobTitle) == 0)
        return failed(printerName, QString::fromUtf8(cupsLastErrorString()));
    return {Outcome::Printed, {}};
}

} // namespace tarnis
