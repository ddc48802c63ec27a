// The chart widget of a window (MSChart1): an XY chart that reports a plain click.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

namespace tarnis {

class ChartControl : public QCustomPlot
{
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace tarnis
