// The series a chart draws: one or two of the run on show, as the grid's columns say, and as many of
// each kept run behind them, in the colour of the run's place and the looks of the run on show; what
// each series plots and whose run it is, for the readout, the legend, the description and the copied
// data.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_kinds.h"
#include "model/charts/chart_quantities.h"

#include <qcustomplot.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tarnis {

class SeriesCurve;

// A run's names: in full, where the readout, the description and the copied data name it, and in
// the legend, where only what tells it from the other runs counts.
struct RunNames {
    QString full;
    QString legend;
    QString data; // in English, at the head of copied data
};

class ChartSeries {
public:
    // Makes the run on show's first series, and the layer behind it that the kept runs are drawn on.
    explicit ChartSeries(QCustomPlot& plot);

    // The series are numbered by the grid column of their x values: series 1 (columns 1 and 2) and
    // series 3 (columns 3 and 4).
    static constexpr int FirstSeries = 1;
    static constexpr int SecondSeries = 3;
    // Runs are numbered for the readout: 0 is the chart's own, 1 to 4 its kept runs, oldest first.
    static constexpr int OwnRun = 0;

    // The series of one run, the second while the grid has 4 columns, and its names.
    struct RunSeries {
        std::array<SeriesCurve*, 2> series{};
        int place = -1; // a kept run's colour (0 to 3); -1 for the run on show
        RunNames names;
    };

    // 2 columns hold one series, 4 hold two. A series that the grid loses is gone with its look;
    // when it comes back it is new.
    void setColumnCount(int columns);
    // On a logarithmic y axis a y of 0 or below has no place: the rows set after this leave it out.
    void setPositiveYOnly(bool positiveOnly) { m_positiveYOnly = positiveOnly; }
    // Replaces a series' rows. An infinite value is stored as no value, like a NaN: the point is
    // left out and its line broken there.
    void setSeriesData(int series, const QVector<double>& x, const QVector<double>& y);
    void setSeriesLook(int series, SeriesLook look);
    // What a series plots, for the readout and the legend.
    void setSeriesQuantities(int series, Quantity x, Quantity y);

    // The kept runs: each has as many series as the chart's own, drawn behind them in their looks, in
    // the colour of its place (0 to 3). Set the count after the column count.
    void setKeptRunCount(int runs);
    void setKeptRun(int run, int place, const RunNames& names);
    void setKeptSeriesData(int run, int series, const QVector<double>& x, const QVector<double>& y);
    // The kept runs in the looks the chart's own series have now.
    void matchKeptLooks();
    // The names of the chart's own run.
    void setOwnRunNames(const RunNames& names) { m_own.names = names; }
    // The continuous-time trajectory beside the run on show ("Compare with continuous time"), in its
    // own colour and dashes, on a layer between the kept runs and the run's own series, and its name
    // in the legend. The readout leaves it out: its points are no steps of a run.
    void setContinuous(const QVector<double>& x, const QVector<double>& y, const QString& name);
    void clearContinuous();
    // None while it is not drawn.
    const SeriesCurve* continuousCurve() const { return m_continuous; }
    const QString& continuousName() const { return m_continuousName; }
    QVector<double> continuousYData() const;
    // Where the readout finds the values of a run's step; none: it shows only t.
    void setStepValues(std::function<std::optional<StepReading>(int run, int t)> lookup);

    // What the chart holds.
    int columnCount() const;
    int seriesCount() const;
    int rowCount() const;
    QVector<double> xData(int series) const;
    QVector<double> yData(int series) const;
    SeriesLook seriesLook(int series) const;
    const RunSeries& ownRun() const { return m_own; }
    const std::vector<RunSeries>& keptRuns() const { return m_kept; }
    int keptRunCount() const { return int(m_kept.size()); }
    QVector<double> keptXData(int run, int series) const;
    QVector<double> keptYData(int run, int series) const;
    QString keptRunLabel(int run) const;
    QColor keptRunColour(int run) const;
    // The name of a run as the readout and the copied data give it.
    QString runName(int run) const;
    // The run's name at the head of its copied data, in English.
    QString runDataName(int run) const;

    // Every series on show, the kept runs' first as they are drawn behind, for the readout.
    struct Drawn {
        const SeriesCurve* curve;
        int run; // OwnRun or a kept run's number
    };
    std::vector<Drawn> drawnSeries() const;
    // Their curves and the continuous trajectory's, for fitting the axes.
    std::vector<const SeriesCurve*> drawnCurves() const;
    std::optional<StepReading> stepValues(int run, int t) const;
    // The x and y a drawn series plots.
    std::pair<Quantity, Quantity> quantities(const SeriesCurve* curve) const;

private:
    SeriesCurve* curve(int series) const;
    SeriesCurve* keptCurve(int run, int series) const;
    SeriesCurve* makeSeries(std::size_t slot, QCPLayer* layer);
    void matchKeptSeries(RunSeries& run);
    void colourKeptRun(const RunSeries& run);

    QCustomPlot& m_plot;
    QCPLayer* m_keptLayer;
    QCPLayer* m_continuousLayer;
    RunSeries m_own;
    SeriesCurve* m_continuous = nullptr;
    QString m_continuousName;
    std::vector<RunSeries> m_kept;
    std::array<std::pair<Quantity, Quantity>, 2> m_quantities{};
    std::function<std::optional<StepReading>(int, int)> m_stepValues;
    bool m_positiveYOnly = false;
};

} // namespace tarnis
