// Each chart routine on a chart of the main window's size and of the large window's, data and
// drawing together, beside the same points drawn with bare QPainter calls into the same plot
// rectangle: the ratio of the two is what the chart code costs over the drawing itself. The same with
// four kept runs behind the run on show, and the readout's answer to a move of the pointer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/chart_data_sets.h"
#include "charts/chart_control.h"
#include "charts/chart_family.h"
#include "charts/chart_readout.h"
#include "charts/run_comparison.h"
#include "charts/series_curve.h"
#include "model/charts/chart_kinds.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
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
QList<QPolygonF> seriesPixels(const ChartControl& chart, const SeriesCurve& series)
{
    QList<QPolygonF> runs(1);
    const auto data = series.data();
    for (auto row = data->constBegin(); row != data->constEnd(); ++row) {
        if (!std::isfinite(row->key) || !std::isfinite(row->value)) {
            if (!runs.last().isEmpty())
                runs.append(QPolygonF());
            continue;
        }
        runs.last().append(QPointF(chart.xAxis->coordToPixel(row->key), chart.yAxis->coordToPixel(row->value)));
    }
    return runs;
}

struct BaselineSeries {
    QList<QPolygonF> runs;
    SeriesLook look;
    SeriesColours colours;
};

// Every series on show, kept runs first as the chart draws them.
std::vector<BaselineSeries> baselineSeries(const ChartControl& chart)
{
    std::vector<BaselineSeries> all;
    for (const ChartSeries::Drawn& drawn : chart.series().drawnSeries())
        all.push_back({seriesPixels(chart, *drawn.curve), drawn.curve->look(), drawn.curve->colours()});
    return all;
}

// The same points with bare QPainter calls: line segments for the line look, outlined squares for
// the points look, with the chart's pens, marker size and antialiasing, clipped to the plot.
void drawBaseline(QImage& image, const ChartControl& chart, const std::vector<BaselineSeries>& all)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(chart.axisRect()->rect());
    for (const BaselineSeries& series : all) {
        if (series.look == SeriesLook::Points) {
            const double half = MarkerPixels / 2;
            painter.setPen(QPen(series.colours.markerOutline, 0));
            painter.setBrush(series.colours.markerFill);
            for (const QPolygonF& run : series.runs)
                for (const QPointF& point : run)
                    painter.drawRect(QRectF(point.x() - half, point.y() - half, MarkerPixels, MarkerPixels));
        } else {
            painter.setPen(QPen(series.colours.line, 1.0));
            for (const QPolygonF& run : series.runs)
                painter.drawPolyline(run);
        }
    }
}

double medianMilliseconds(std::vector<double> samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

double baselineMilliseconds(const ChartControl& chart, int draws)
{
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    const std::vector<BaselineSeries> all = baselineSeries(chart);
    std::vector<double> samples;
    for (int repeat = 0; repeat < draws; ++repeat) {
        const auto start = Clock::now();
        drawBaseline(image, chart, all);
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return medianMilliseconds(samples);
}

// A chart of one window's size on screen, with its own store, comparison and routines.
struct ChartSetUp {
    ChartSetUp(ChartWindow window, DataSet set, int steps, int keptRuns)
        : comparison(*store)
        , family(chart, *store, window, &comparison)
    {
        // Kept runs of the same set from other starting sizes, each its own run.
        for (int run = 0; run < keptRuns; ++run) {
            RunParameters kept = parametersFor(set, steps);
            kept.n0 += 0.25 * (run + 1);
            runModel(*store, kept);
            comparison.setCurrentRun(kept);
            comparison.keepCurrentRun();
        }
        runModel(*store, parametersFor(set, steps));
        comparison.setCurrentRun(parametersFor(set, steps));
        chart.resize(window == ChartWindow::Main ? MainChart : LargeChart);
        chart.show(); // a hidden widget gets its size only when shown, and the chart draws at that size
    }

    std::unique_ptr<ResultStore> store = std::make_unique<ResultStore>();
    RunComparison comparison;
    ChartControl chart;
    ChartFamily family;
};

void chartRoutine(benchmark::State& state, ChartKind kind, ChartWindow window, DataSet set, int steps, int keptRuns)
{
    ChartSetUp setUp(window, set, steps, keptRuns);
    setUp.family.draw(kind); // lays the chart out once, as a window that is on screen has

    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        setUp.family.draw(kind);
        spent += Clock::now() - start;
    }
    const double routine = std::chrono::duration<double, std::milli>(spent).count() / double(state.iterations());
    // The baseline as often as the routine, at least three times for its median.
    const double baseline = baselineMilliseconds(setUp.chart, std::max(3, int(state.iterations())));
    state.counters["baseline_ms"] = baseline;
    state.counters["ratio"] = routine / baseline;
}

// The pointer moved to another point of the plot, and the chart painted: the mark and the readout on
// their layer over the data's. The first move after a chart is drawn also works out where every
// point lies on screen.
void hover(benchmark::State& state, ChartWindow window, int keptRuns, bool firstMove)
{
    ChartSetUp setUp(window, DataSet::Chaotic, 9999, keptRuns);
    ChartControl& chart = setUp.chart;
    setUp.family.draw(ChartKind::NtvsT);
    const QRect plot = chart.axisRect()->rect();
    int step = 0;
    for (auto _ : state) {
        if (firstMove) {
            state.PauseTiming();
            chart.readout().forget();
            state.ResumeTiming();
        }
        // Across the plot in steps of a few pixels, so that every move lands on another point.
        const QPointF at(plot.left() + (step * 7) % plot.width(), plot.top() + (step * 3) % plot.height());
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
        chart.repaint();
    }
    if (chart.readout().lines().isEmpty())
        state.SkipWithError("no point was read");
}

// How many times a repetition draws a chart: a few tens of milliseconds of drawing at each length.
// Left to Google Benchmark, the count would be found anew in up to four more runs of the whole
// set-up (the chart shown, the baseline drawn) per benchmark, which costs more than the drawing that
// is measured: that search made up half of scripts/bench's time.
int drawsFor(int steps, int keptRuns)
{
    if (keptRuns > 0)
        return 3; // five runs of 9999 steps: up to 80 ms a drawing
    return steps <= 200 ? 100 : steps <= 2000 ? 20 : 5;
}

} // namespace

// Registers a benchmark per chart routine, window, data set and length; per routine and window with
// four kept runs of the chaotic set; and the hover on both windows.
void registerChartBenchmarks()
{
    for (const ChartWindow window : {ChartWindow::Main, ChartWindow::Large}) {
        const std::string windowName = window == ChartWindow::Main ? "main/" : "large/";
        for (const DataSet set : {DataSet::Defaults, DataSet::Chaotic}) {
            for (const int steps : StepCounts) {
                for (const KindName& kind : Kinds) {
                    const std::string name
                        = "chart/" + windowName + dataSetName(set) + '/' + kind.name + '/' + std::to_string(steps);
                    benchmark::RegisterBenchmark(name.c_str(), chartRoutine, kind.kind, window, set, steps, 0)
                        ->Unit(benchmark::kMillisecond)
                        ->Iterations(drawsFor(steps, 0));
                }
            }
        }
        for (const KindName& kind : Kinds) {
            const std::string name = "kept4/" + windowName + "chaotic/" + kind.name + "/9999";
            benchmark::RegisterBenchmark(name.c_str(), chartRoutine, kind.kind, window, DataSet::Chaotic, 9999, 4)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(drawsFor(9999, 4));
        }
        for (const int kept : {0, 4}) {
            for (const bool first : {false, true}) {
                const std::string name
                    = "hover/" + windowName + "chaotic/9999/kept" + std::to_string(kept) + (first ? "/first" : "");
                benchmark::RegisterBenchmark(name.c_str(), hover, window, kept, first)
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(100);
            }
        }
    }
}
