// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_menu.h"

#include "charts/chart_control.h"
#include "charts/chart_readout.h"
#include "charts/run_comparison.h"
#include "output/file_saving.h"
#include "ui/locale_numbers.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace tarnis {

namespace {

struct FormatEntry {
    ChartPictureFormat format;
    const char* caption;
    const char* suffix;
    const char* filter;
};

constexpr FormatEntry Formats[]{
    {ChartPictureFormat::Png, "Save chart as PNG…", ".png", "PNG pictures (*.png);;All files (*)"},
    {ChartPictureFormat::Svg, "Save chart as SVG…", ".svg", "SVG drawings (*.svg);;All files (*)"},
    {ChartPictureFormat::Pdf, "Save chart as PDF…", ".pdf", "PDF files (*.pdf);;All files (*)"},
};

const FormatEntry& entryOf(ChartPictureFormat format)
{
    for (const FormatEntry& entry : Formats)
        if (entry.format == format)
            return entry;
    return Formats[0];
}

// The chart's title as a file name: "dN/dt" would otherwise name a folder.
QString suggestedName(const ChartControl& chart, const char* suffix)
{
    QString name = chart.chartTitle().trimmed();
    if (name.isEmpty())
        name = QStringLiteral("chart");
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name + QLatin1String(suffix);
}

} // namespace

ChartMenu::ChartMenu(ChartControl& chart, Services services, ChartMenuOptions options)
    : QObject(&chart)
    , m_chart(chart)
    , m_services(services)
    , m_options(std::move(options))
    , m_menu(new QMenu(&chart))
{
    m_menu->setObjectName(QStringLiteral("chartMenu"));
    m_menu->setAccessibleName(QStringLiteral("Chart menu"));
    addPictureEntries();
    if (m_options.openDynamics) {
        m_menu->addSeparator();
        connect(m_menu->addAction(QStringLiteral("Dynamics…")), &QAction::triggered, this,
                [this] { m_options.openDynamics(); });
    }
    addRunEntries();
    addViewEntries();
    // The chart asks for its menu on a right click and on the keyboard's menu key.
    chart.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&chart, &QWidget::customContextMenuRequested, this, &ChartMenu::open);
}

void ChartMenu::addPictureEntries()
{
    for (const FormatEntry& entry : Formats) {
        const ChartPictureFormat format = entry.format;
        connect(m_menu->addAction(QString::fromUtf8(entry.caption)), &QAction::triggered, this,
                [this, format] { savePicture(format); });
    }
    connect(m_menu->addAction(QStringLiteral("Copy data")), &QAction::triggered, this, &ChartMenu::copyData);
}

void ChartMenu::addRunEntries()
{
    RunComparison* comparison = m_options.comparison;
    if (!comparison)
        return;
    m_menu->addSeparator();
    m_keep = m_menu->addAction(QStringLiteral("Keep this run"));
    connect(m_keep, &QAction::triggered, comparison, &RunComparison::keepCurrentRun);
    m_forget = m_menu->addAction(QStringLiteral("Forget kept runs"));
    connect(m_forget, &QAction::triggered, comparison, &RunComparison::forgetKeptRuns);
}

void ChartMenu::addViewEntries()
{
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("Fit to data")), &QAction::triggered, &m_chart,
            &ChartControl::fitAxesAndReplot);
    m_logNAxis = m_menu->addAction(QStringLiteral("Logarithmic N axis"));
    m_logNAxis->setCheckable(true);
    connect(m_logNAxis, &QAction::triggered, &m_chart, &ChartControl::setLogNAxisChosen);
}

void ChartMenu::open(const QPoint& position)
{
    m_chart.readout().hide(); // neither on screen under the menu nor in a picture
    if (m_keep) {
        m_keep->setEnabled(m_options.comparison->canKeep());
        m_forget->setEnabled(!m_options.comparison->kept().empty());
    }
    // The choice stays with the window; it shows only on the kinds whose y is N.
    m_logNAxis->setChecked(m_chart.logNAxisChosen());
    m_logNAxis->setEnabled(m_chart.logNAxisApplies());
    // Shown without a nested event loop: the chart's window goes on as before while it is open.
    m_menu->popup(m_chart.mapToGlobal(position));
}

void ChartMenu::savePicture(ChartPictureFormat format)
{
    const FormatEntry& entry = entryOf(format);
    // Like the saved data, the name is used as given: the dialog asked before replacing that file.
    const QString fileName = m_services.fileNames.saveFileName(&m_chart, suggestedName(m_chart, entry.suffix),
                                                               QString::fromLatin1(entry.filter));
    if (fileName.isEmpty())
        return;
    const QByteArray picture = chartPicture(m_chart, format);
    if (picture.isEmpty())
        m_services.messages.inform(&m_chart, cannotWriteText(fileName, QStringLiteral("The chart could not be drawn")));
    else
        saveFile(&m_chart, fileName, picture, m_services.messages);
}

void ChartMenu::copyData()
{
    QApplication::clipboard()->setText(chartDataText(m_chart, QChar::fromLatin1(localeDecimalSeparator())));
}

} // namespace tarnis
