// Each chart routine on a chart of the main window's size and of the large window's, data and
// drawing together, beside the same points drawn with bare QPainter calls into the same plot
// rectangle: the ratio of the two is what the chart code costs over the drawing itself.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/chart_data_sets.h"
#include "charts/chart_control.h"
#include "charts/chart_family.h"
#include "charts/chart_kinds.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

using namespace tarnis;
using namespace tarnis::bench;

namespace {

using Clock = std::chrono::steady_clock;

struct KindName {
    ChartKind kind;
    const char* name;
};

constexpr std::array Kinds{
    KindName{ChartKind::NtvsT, "ShowNtvsT"},
    KindName{ChartKind::dNvsT, "ShowdNvsT"},
    KindName{ChartKind::LogNvsT, "ShowLogNvsT"},
    KindName{ChartKind::NtKvsT, "ShowNtKvsT"},
    KindName{ChartKind::NdNvsT, "ShowNdNvsT"},
    KindName{ChartKind::dNvsN, "ShowdNvsN"},
    KindName{ChartKind::dNvsNinLine, "ShowdNvsNinLine"},
    KindName{ChartKind::dNperNvsN, "ShowdNperNvsN"},
    KindName{ChartKind::dNperNvsNinLine, "ShowdNperNvsNinLine"},
    KindName{ChartKind::NtvsNtnext, "ShowNtvsNtnext"},
    KindName{ChartKind::NtvsNtnextinLine, "ShowNtvsNtnextinLine"},
};

// The chart sizes of the two windows' designs, in pixels.
constexpr QSize MainChart{404, 276};
constexpr QSize LargeChart{692, 462};

// The points of one series as pixels of the chart, broken where a value is missing.
QList<QPolygonF> seriesPixels(const ChartControl& chart, int series)
{
    const QVector<double> x = chart.xData(series);
    const QVector<double> y = chart.yData(series);
    QList<QPolygonF> runs(1);
    for (qsizetype i = 0; i < x.size(); ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
            if (!runs.last().isEmpty())
                runs.append(QPolygonF());
            continue;
        }
        runs.last().append(QPointF(chart.xAxis->coordToPixel(x[i]), chart.yAxis->coordToPixel(y[i])));
    }
    return runs;
}

// The same points with bare QPainter calls: line segments for the line look, outlined squares for
// the points look, with the chart's pens, marker size and antialiasing, clipped to the plot.
void drawBaseline(QImage& image, const ChartControl& chart, const QList<QPolygonF>& first,
                  const QList<QPolygonF>& second)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(chart.axisRect()->rect());
    const auto drawSeries = [&](int series, const QList<QPolygonF>& runs) {
        if (chart.seriesLook(series) == SeriesLook::Points) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(QColor(255, 0, 0));
            for (const QPolygonF& run : runs)
                for (const QPointF& point : run)
                    painter.drawRect(QRectF(point.x() - 3.5, point.y() - 3.5, 7, 7));
        } else {
            painter.setPen(QPen(series == ChartControl::FirstSeries ? QColor(0, 0, 192) : QColor(192, 0, 0), 1.0));
            for (const QPolygonF& run : runs)
                painter.drawPolyline(run);
        }
    };
    drawSeries(ChartControl::FirstSeries, first);
    if (chart.seriesCount() == 2)
        drawSeries(ChartControl::SecondSeries, second);
}

double medianMilliseconds(std::vector<double> samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

double baselineMilliseconds(const ChartControl& chart)
{
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    const QList<QPolygonF> first = seriesPixels(chart, ChartControl::FirstSeries);
    const QList<QPolygonF> second
        = chart.seriesCount() == 2 ? seriesPixels(chart, ChartControl::SecondSeries) : QList<QPolygonF>{};
    std::vector<double> samples;
    for (int repeat = 0; repeat < 9; ++repeat) {
        const auto start = Clock::now();
        drawBaseline(image, chart, first, second);
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return medianMilliseconds(samples);
}

void chartRoutine(benchmark::State& state, ChartKind kind, ChartWindow window, DataSet set, int steps)
{
    auto store = std::make_unique<ResultStore>();
    runModel(*store, parametersFor(set, steps));
    ChartControl chart;
    chart.resize(window == ChartWindow::Main ? MainChart : LargeChart);
    chart.show(); // a hidden widget gets its size only when shown, and the chart draws at that size
    ChartFamily family(chart, *store, window);
    family.draw(kind); // lays the chart out once, as a window that is on screen has

    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        family.draw(kind);
        spent += Clock::now() - start;
    }
    const double routine = std::chrono::duration<double, std::milli>(spent).count() / double(state.iterations());
    const double baseline = baselineMilliseconds(chart);
    state.counters["baseline_ms"] = baseline;
    state.counters["ratio"] = routine / baseline;
}

} // namespace

// Registers a benchmark per chart routine, window, data set and length.
void registerChartBenchmarks()
{
    for (const ChartWindow window : {ChartWindow::Main, ChartWindow::Large}) {
        for (const DataSet set : {DataSet::Defaults, DataSet::Chaotic}) {
            for (const int steps : StepCounts) {
                for (const KindName& kind : Kinds) {
                    const std::string name = std::string("chart/") + (window == ChartWindow::Main ? "main/" : "large/")
                        + dataSetName(set) + '/' + kind.name + '/' + std::to_string(steps);
                    benchmark::RegisterBenchmark(name.c_str(), chartRoutine, kind.kind, window, set, steps)
                        ->Unit(benchmark::kMillisecond);
                }
            }
        }
    }
}
