// Room for an axis' tick labels, so that no two of them touch at any size of a plot, in any window or
// picture: the ticks are chosen at every layout by the axis' present length and the labels' sizes in
// its font, the densest that leaves a gap between neighbours.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <functional>

namespace tarnis {

// Whether the labels at these ticks stand apart along the axis: between the centres of neighbours
// there is room for half of each (their heights on a vertical axis, their widths on a horizontal one)
// and a gap. Ticks outside the axis' range are no labels.
bool labelsApart(const QCPAxis& axis, const QVector<double>& ticks, const QVector<QString>& labels);

// The densest ticks whose labels stand apart: `generate(attempt, labels)` fills `ticks` and `labels`
// for attempt 0 (the densest) to attempts − 1 (the sparsest, kept whatever it gives); the first whose
// labels stand apart is kept, its labels given to `tickLabels`.
void generateWithRoom(const QCPAxis& axis, int attempts, QVector<double>& ticks, QVector<QString>* tickLabels,
                      const std::function<void(int attempt, QVector<QString>& labels)>& generate);

// A linear axis' ticker: steps of 1, 2, 2.5 or 5 times a power of ten, as many as `wanted` where the
// labels stand apart, fewer where they would touch.
class RoomyTicker : public QCPAxisTicker {
public:
    RoomyTicker(const QCPAxis* axis, int wanted);

protected:
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

private:
    const QCPAxis* m_axis;
    int m_wanted;
};

// A ticker at whole multiples of a step that the chart chose for the range it fitted: that step where
// the labels stand apart, else 2, 5, 10, … times it (the model's TickStepFactors), the first where they
// do (a small plot, a plot made smaller), so that the ticks stay on the same multiples.
class RoomyStepTicker : public QCPAxisTickerFixed {
public:
    RoomyStepTicker(const QCPAxis* axis, double step);

protected:
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;
    // The model's ticks, so that a chart's ticks are the page's for the same range and step.
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;

private:
    const QCPAxis* m_axis;
    double m_step;
};

// A logarithmic axis' ticker: every power of ten where the labels stand apart, else every second,
// fifth, tenth … decade, the first where they do.
class RoomyDecadeTicker : public QCPAxisTickerLog {
public:
    explicit RoomyDecadeTicker(const QCPAxis* axis);

protected:
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    // Between decades a stride apart, the decades skipped; within one decade, the ticker's own.
    QVector<double> createSubTickVector(int subTickCount, const QVector<double>& ticks) override;

private:
    const QCPAxis* m_axis;
    int m_stride = 1;
};

} // namespace tarnis
