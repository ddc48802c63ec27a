// The right-click menu that every chart and every part of a window that shows results begins with:
// the part saved as a PNG, SVG or PDF picture, and its data copied for a spreadsheet. The run charts'
// menu adds its own entries after these; other parts use it as it is.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_pictures.h"
#include "ui/services.h"

#include <QObject>

#include <functional>

class QMenu;
class QPoint;

namespace tarnis {

// What the menu asks of the widget it belongs to.
struct PictureSource {
    // The drawing's title, from which the suggested file name is made.
    std::function<QString()> title;
    // The rows of "Copy data" with the given decimal separator.
    std::function<QString(QChar decimalSeparator)> dataText;
    // The picture of the widget; widgetPicture when not given.
    std::function<QByteArray(ChartPictureFormat)> picture;
    // Called before the menu pops up, to bring its entries up to date.
    std::function<void()> beforeOpening;
    // A table to save as a file, after "Copy data": its caption, the file name suggested and the
    // file's content (empty: nothing to save). No entry without a caption.
    struct DataFile {
        QString caption;
        QString suggestedName;
        std::function<QByteArray()> content;
    } dataFile;
};

class PictureMenu : public QObject {
    Q_OBJECT
public:
    // Lives as long as the widget, which owns it; a right click or the menu key opens it.
    PictureMenu(QWidget& widget, Services services, PictureSource source);

    QMenu* menu() const { return m_menu; }

private:
    void open(const QPoint& position);
    void savePicture(ChartPictureFormat format);
    void copyData();
    void saveData();

    QWidget& m_widget;
    Services m_services;
    PictureSource m_source;
    QMenu* m_menu;
};

} // namespace tarnis
