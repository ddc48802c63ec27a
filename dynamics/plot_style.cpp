// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/plot_style.h"

#include "ui/design.h"

namespace tarnis {

namespace {
constexpr double TitlePoints = 10.0;
constexpr double TickLabelPoints = 8.0;
constexpr double LegendPoints = 8.0;
} // namespace

void styleAxis(QCPAxis* axis, const QString& label)
{
    axis->setLabel(label);
    axis->setLabelFont(arialFont(TitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
    axis->grid()->setVisible(false);
}

QCPTextElement* addTitle(QCustomPlot& plot)
{
    auto* title = new QCPTextElement(&plot, QString(), arialFont(TitlePoints));
    plot.plotLayout()->insertRow(0);
    plot.plotLayout()->addElement(0, 0, title);
    return title;
}

QCPLayer* addPointerLayer(QCustomPlot& plot)
{
    const QString name = QStringLiteral("pointer");
    plot.addLayer(name, plot.layer(QStringLiteral("main")), QCustomPlot::limAbove);
    QCPLayer* layer = plot.layer(name);
    layer->setMode(QCPLayer::lmBuffered);
    return layer;
}

QCPItemText* addPlaceholder(QCustomPlot& plot, QCPAxisRect* rect)
{
    auto* text = new QCPItemText(&plot);
    text->setClipAxisRect(rect);
    text->position->setAxisRect(rect);
    text->position->setType(QCPItemPosition::ptAxisRectRatio);
    text->position->setCoords(0.5, 0.5);
    text->setFont(arialFont(TitlePoints));
    text->setColor(Qt::darkGray);
    text->setText(QStringLiteral("Shown after the first run"));
    return text;
}

QFont legendFont() { return arialFont(LegendPoints); }

} // namespace tarnis
