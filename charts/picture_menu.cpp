// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/picture_menu.h"

#include "model/screens/main_window_texts.h"
#include "output/file_saving.h"
#include "ui/locale_numbers.h"
#include "ui/localized.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace tarnis {

namespace {

struct FormatEntry {
    ChartPictureFormat format;
    std::string_view caption; // English, as the catalog knows it
    const char* suffix;
    std::string_view filter;
};

constexpr FormatEntry Formats[]{
    {ChartPictureFormat::Png, catalogText("Save chart as PNG…"), ".png",
     catalogText("PNG pictures (*.png);;All files (*)")},
    {ChartPictureFormat::Svg, catalogText("Save chart as SVG…"), ".svg",
     catalogText("SVG drawings (*.svg);;All files (*)")},
    {ChartPictureFormat::Pdf, catalogText("Save chart as PDF…"), ".pdf",
     catalogText("PDF files (*.pdf);;All files (*)")},
};

const FormatEntry& entryOf(ChartPictureFormat format)
{
    for (const FormatEntry& entry : Formats)
        if (entry.format == format)
            return entry;
    return Formats[0];
}

// The title as a file name, as the model makes it: "dN/dt" would otherwise name a folder.
QString suggestedName(const QString& title, const char* suffix)
{
    return QString::fromStdString(pictureFileName(title.toStdString(), suffix));
}

} // namespace

PictureMenu::PictureMenu(QWidget& widget, Services services, PictureSource source)
    : QObject(&widget)
    , m_widget(widget)
    , m_services(services)
    , m_source(std::move(source))
    , m_menu(new QMenu(&widget))
{
    m_menu->setObjectName(QStringLiteral("chartMenu"));
    m_menu->setAccessibleName(localized("Chart menu"));
    for (const FormatEntry& entry : Formats) {
        const ChartPictureFormat format = entry.format;
        connect(m_menu->addAction(localized(entry.caption)), &QAction::triggered, this,
                [this, format] { savePicture(format); });
    }
    connect(m_menu->addAction(localized("Copy data")), &QAction::triggered, this, &PictureMenu::copyData);
    if (!m_source.dataFile.caption.isEmpty())
        connect(m_menu->addAction(m_source.dataFile.caption + QStringLiteral("…")), &QAction::triggered, this,
                &PictureMenu::saveData);
    // The widget asks for its menu on a right click and on the keyboard's menu key.
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&widget, &QWidget::customContextMenuRequested, this, &PictureMenu::open);
}

void PictureMenu::open(const QPoint& position)
{
    if (m_source.beforeOpening)
        m_source.beforeOpening();
    // Shown without a nested event loop: the window goes on as before while it is open.
    m_menu->popup(m_widget.mapToGlobal(position));
}

void PictureMenu::savePicture(ChartPictureFormat format)
{
    const FormatEntry& entry = entryOf(format);
    const QString title = m_source.title ? m_source.title() : QString();
    // Like the saved data, the name is used as given: the dialog asked before replacing that file.
    const QString fileName
        = m_services.fileNames.saveFileName(&m_widget, suggestedName(title, entry.suffix), localized(entry.filter));
    if (fileName.isEmpty())
        return;
    const QByteArray picture = m_source.picture ? m_source.picture(format) : widgetPicture(m_widget, title, format);
    if (picture.isEmpty())
        m_services.messages.inform(&m_widget, cannotWriteText(fileName, localized("The chart could not be drawn")));
    else
        saveFile(&m_widget, fileName, picture, m_services.messages);
}

// Through the same file dialog and the same safe writing as the pictures: a failed write keeps the old file.
void PictureMenu::saveData()
{
    const QByteArray content = m_source.dataFile.content();
    if (content.isEmpty())
        return;
    const QString fileName = m_services.fileNames.saveFileName(&m_widget, m_source.dataFile.suggestedName,
                                                               QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!fileName.isEmpty())
        saveFile(&m_widget, fileName, content, m_services.messages);
}

void PictureMenu::copyData()
{
    if (m_source.dataText)
        QApplication::clipboard()->setText(m_source.dataText(QChar::fromLatin1(localeDecimalSeparator())));
}

} // namespace tarnis
