// The menu that a right click on a chart opens: the chart saved as a PNG, SVG or PDF picture, and its
// data copied for a spreadsheet. A left click is left to the chart, which steps its cycle.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_pictures.h"
#include "ui/services.h"

#include <QObject>

class QMenu;

namespace tarnis {

class ChartControl;

class ChartMenu : public QObject {
    Q_OBJECT
public:
    // Lives as long as the chart, which owns it.
    ChartMenu(ChartControl& chart, Services services);

    QMenu* menu() const { return m_menu; }

private:
    void open(const QPoint& position);
    void savePicture(ChartPictureFormat format);
    void copyData();

    ChartControl& m_chart;
    Services m_services;
    QMenu* m_menu;
};

} // namespace tarnis
