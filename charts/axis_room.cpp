// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/axis_room.h"

#include "model/charts/axis_fit.h"

#include <cmath>

namespace tarnis {

namespace {

double extent(const QCPAxis& axis, const QFontMetrics& metrics, const QString& label)
{
    // A superscript power (the plot's "10⁻³") is taller than a line, but still one label.
    const QRect bounds = metrics.boundingRect(QRect(), Qt::TextDontClip, QString(label).remove(QChar(0x00b7)));
    return axis.orientation() == Qt::Vertical ? bounds.height() : bounds.width();
}

QVector<double> toVector(const std::vector<double>& values) { return QVector<double>(values.begin(), values.end()); }

} // namespace

bool labelsApart(const QCPAxis& axis, const QVector<double>& ticks, const QVector<QString>& labels)
{
    const QFontMetrics metrics(axis.tickLabelFont());
    std::vector<LabelPlace> places;
    for (qsizetype i = 0; i < ticks.size() && i < labels.size(); ++i) {
        if (axis.range().contains(ticks[i]))
            places.push_back({axis.coordToPixel(ticks[i]), extent(axis, metrics, labels[i])});
    }
    return labelsApart(places);
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
    generateWithRoom(*m_axis, int(std::size(TickStepFactors)), ticks, tickLabels,
                     [&](int attempt, QVector<QString>& labels) {
                         setTickStep(m_step * TickStepFactors[attempt]);
                         QCPAxisTickerFixed::generate(range, locale, formatChar, precision, ticks, subTicks, &labels);
                     });
    setTickStep(m_step);
}

QVector<double> RoomyStepTicker::createTickVector(double tickStep, const QCPRange& range)
{
    return toVector(ticksAt(range.lower, range.upper, tickStep));
}

RoomyDecadeTicker::RoomyDecadeTicker(const QCPAxis* axis)
    : m_axis(axis)
{
    setLogBase(10.0);
}

void RoomyDecadeTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                                 QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    generateWithRoom(*m_axis, int(std::size(TickStepFactors)), ticks, tickLabels,
                     [&](int attempt, QVector<QString>& labels) {
                         m_stride = TickStepFactors[attempt];
                         QCPAxisTickerLog::generate(range, locale, formatChar, precision, ticks, subTicks, &labels);
                     });
    m_stride = 1;
}

QVector<double> RoomyDecadeTicker::createTickVector(double, const QCPRange& range)
{
    return toVector(decadeTicks(range.lower, range.upper, m_stride));
}

QVector<double> RoomyDecadeTicker::createSubTickVector(int subTickCount, const QVector<double>& ticks)
{
    if (m_stride == 1 || ticks.size() < 2)
        return QCPAxisTickerLog::createSubTickVector(subTickCount, ticks);
    std::vector<double> skipped = decadeTicks(ticks.front(), ticks.back());
    std::erase_if(skipped, [&](double decade) { return ticks.contains(decade); });
    return toVector(skipped);
}

} // namespace tarnis
