// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/axis_room.h"

#include <cmath>

namespace tarnis {

namespace {

constexpr double GapPixels = 6.0; // between two labels' edges

double extent(const QCPAxis& axis, const QFontMetrics& metrics, const QString& label)
{
    // A superscript power (the plot's "10⁻³") is taller than a line, but still one label.
    const QRect bounds = metrics.boundingRect(QRect(), Qt::TextDontClip, QString(label).remove(QChar(0x00b7)));
    return axis.orientation() == Qt::Vertical ? bounds.height() : bounds.width();
}

} // namespace

bool labelsApart(const QCPAxis& axis, const QVector<double>& ticks, const QVector<QString>& labels)
{
    const QFontMetrics metrics(axis.tickLabelFont());
    std::optional<std::pair<double, double>> previous; // a label's centre and half its extent
    for (qsizetype i = 0; i < ticks.size() && i < labels.size(); ++i) {
        if (!axis.range().contains(ticks[i]))
            continue;
        const double centre = axis.coordToPixel(ticks[i]);
        const double half = extent(axis, metrics, labels[i]) / 2.0;
        if (previous && std::fabs(centre - previous->first) < previous->second + half + GapPixels)
            return false;
        previous = std::pair{centre, half};
    }
    return true;
}

void generateWithRoom(const QCPAxis& axis, int attempts, QVector<double>& ticks, QVector<QString>* tickLabels,
                      const std::function<void(int attempt, QVector<QString>& labels)>& generate)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QVector<QString> labels;
        generate(attempt, labels);
        if (attempt == attempts - 1 || labelsApart(axis, ticks, labels)) {
            if (tickLabels)
                *tickLabels = labels;
            return;
        }
    }
}

RoomyTicker::RoomyTicker(const QCPAxis* axis, int wanted)
    : m_axis(axis)
    , m_wanted(wanted)
{
}

void RoomyTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                           QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    // From the most ticks wanted down; one step at the least.
    generateWithRoom(*m_axis, m_wanted, ticks, tickLabels, [&](int attempt, QVector<QString>& labels) {
        setTickCount(m_wanted - attempt);
        QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, &labels);
    });
}

RoomyStepTicker::RoomyStepTicker(const QCPAxis* axis, double step)
    : m_axis(axis)
    , m_step(step)
{
    setTickStep(step);
    setScaleStrategy(QCPAxisTickerFixed::ssNone);
}

void RoomyStepTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                               QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    constexpr double Factors[]{1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0};
    generateWithRoom(*m_axis, int(std::size(Factors)), ticks, tickLabels, [&](int attempt, QVector<QString>& labels) {
        setTickStep(m_step * Factors[attempt]);
        QCPAxisTickerFixed::generate(range, locale, formatChar, precision, ticks, subTicks, &labels);
    });
    setTickStep(m_step);
}

} // namespace tarnis
