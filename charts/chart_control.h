// The chart widget of a window (MSChart1): an XY chart over a data grid of one row per point and an
// x and a y column per series, with a chart title, two axis titles and a plain click. Behind its own
// series it shows those of the kept runs, each run in a colour of its own and named in a legend; the
// wheel zooms, a drag pans, and the pointer reads the value of the nearest point.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_kinds.h"
#include "model/charts/chart_quantities.h"
#include "ui/page_painted.h"

#include <qcustomplot.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarnis {

class ChartReadout;
class ChartViewport;
class RunLegendItem;
class SeriesCurve;

// A run's names: in full, where the readout, the description and the copied data name it, and in
// the legend, where only what tells it from the other runs counts.
struct RunNames {
    QString full;
    QString legend;
};

class ChartControl : public QCustomPlot, public PagePainted {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);
    ~ChartControl() override;

    // The series are numbered by the grid column of their x values: series 1 (columns 1 and 2) and
    // series 3 (columns 3 and 4).
    static constexpr int FirstSeries = 1;
    static constexpr int SecondSeries = 3;
    // Runs are numbered for the readout: 0 is the chart's own, 1 to 4 its kept runs, oldest first.
    static constexpr int OwnRun = 0;

    // 2 columns hold one series, 4 hold two. A series that the grid loses is gone with its look;
    // when it comes back it is new.
    void setColumnCount(int columns);
    // Replaces a series' rows. An infinite value is stored as no value, like a NaN: the point is
    // left out and its line broken there. On a logarithmic y axis so is a y of 0 or below.
    void setSeriesData(int series, const QVector<double>& x, const QVector<double>& y);
    void setSeriesLook(int series, SeriesLook look);
    // What a series plots, for the readout and the legend.
    void setSeriesQuantities(int series, Quantity x, Quantity y);
    void setTitles(const QString& chart, const QString& yAxis, const QString& xAxis);
    // The run's parameters, which a saved picture of the chart carries in a line under its title (on
    // screen the window's boxes show them). Empty: no line.
    void setPictureNote(const QString& note);
    const QString& pictureNote() const { return m_pictureNote; }
    // The line under the title while a picture is drawn: shown, then taken away again.
    void showPictureNote(bool shown);

    // The kept runs: each has as many series as the chart's own, drawn behind them in their looks, in
    // the colour of its place (0 to 3) and named in the legend. Set the count after the column count.
    void setKeptRunCount(int runs);
    void setKeptRun(int run, int place, const RunNames& names);
    void setKeptSeriesData(int run, int series, const QVector<double>& x, const QVector<double>& y);
    // The names of the chart's own run.
    void setOwnRunNames(const RunNames& names);
    // Where the readout finds the values of a run's step; none: it shows only t.
    void setStepValues(std::function<std::optional<StepReading>(int run, int t)> lookup);

    // The legend, below the plot: a line for each run while there are kept runs, and the names of
    // the two quantities where the chart has two series. Hidden otherwise.
    QCPLegend* runLegend() const { return legend; }
    std::vector<const RunLegendItem*> legendLines() const; // in the order of the runs, own first

    // The y axis on a logarithmic scale, for the data set after this.
    void setLogarithmicY(bool on);
    bool logarithmicY() const;
    // The window's choice of a logarithmic N axis, which the chart routines honour where y is N;
    // `logNAxisApplies` says whether the kind on show is one of those.
    void setLogNAxisChosen(bool chosen);
    bool logNAxisChosen() const { return m_logNAxisChosen; }
    void setLogNAxisApplies(bool applies) { m_logNAxisApplies = applies; }
    bool logNAxisApplies() const { return m_logNAxisApplies; }

    // Fits both axes to the data the chart holds and draws it; a chart routine calls it once, last.
    void fitAxesAndReplot();
    // Draws the data again in the view the user zoomed or panned to; fits the axes when there is none.
    void replotInUserView();
    // Draws the data again in the view on show, whatever it is, as a play grows the run into the view
    // of the whole run.
    void replotInView();
    // The readout on a row of the chart's own run (the nearest one before it with a value); nothing
    // without one.
    void markOwnRow(int row);
    // A view the user chose: the ranges are kept as given and the ticks follow them.
    void setUserView(const QCPRange& x, const QCPRange& y);
    bool hasUserView() const { return m_userView; }
    QCPRange fittedRange(const QCPAxis* axis) const;

    // What the chart holds.
    int columnCount() const;
    int seriesCount() const;
    int rowCount() const;
    QVector<double> xData(int series) const;
    QVector<double> yData(int series) const;
    SeriesLook seriesLook(int series) const;

    // On paper the chart is drawn in vectors, sharp at the printer's resolution.
    void paintOnPage(QPainter& painter) override;
    QString chartTitle() const;
    QString yAxisTitle() const;
    QString xAxisTitle() const;
    int keptRunCount() const { return int(m_kept.size()); }
    QVector<double> keptXData(int run, int series) const;
    QVector<double> keptYData(int run, int series) const;
    QString keptRunLabel(int run) const;
    QColor keptRunColour(int run) const;
    QString ownRunLabel() const { return m_ownNames.full; }
    // The name of a run as the readout and the copied data give it.
    QString runName(int run) const;

    // Every series on show, the kept runs' first as they are drawn behind, for the readout.
    struct Drawn {
        const SeriesCurve* curve;
        int run; // OwnRun or a kept run's number
    };
    std::vector<Drawn> drawnSeries() const;
    std::optional<StepReading> stepValues(int run, int t) const;
    // The x and y a drawn series plots.
    std::pair<Quantity, Quantity> quantities(const SeriesCurve* curve) const;

    // The value under the pointer; hidden while nothing is hovered.
    ChartReadout& readout() { return *m_readout; }

signals:
    // A left press and its release on the chart; the right button opens the chart's menu instead.
    void clicked();
    // The user switched the logarithmic N axis on or off.
    void logNAxisChoiceChanged();

protected:
    // Keys on a focused chart: Space steps the cycle as a click does, Left and Right move the readout
    // step by step, Escape hides it, the menu key (or Shift+F10) opens the chart's menu.
    void keyPressEvent(QKeyEvent* event) override;
    // The tool tip of a legend's line names its run in full.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct KeptRunSeries {
        std::array<SeriesCurve*, 2> series{};
        int place = 0;
        RunNames names;
    };

    SeriesCurve* curve(int series) const;
    SeriesCurve* keptCurve(int run, int series) const;
    SeriesCurve* makeSeries(int slot, QCPLayer* layer);
    void matchKeptSeries(KeptRunSeries& run);
    void colourKeptRun(const KeptRunSeries& run);
    void setupAxis(QCPAxis* axis);
    void fitAxes();
    void fitOneAxis(QCPAxis* axis, double lowest, double highest);
    void leaveRoomForMarkers();
    void showLegend();
    RunLegendItem* legendLine(const std::array<SeriesCurve*, 2>& series, const QString& label, const QString& toolTip);
    void placeLegend(bool shown);
    void describe();
    std::optional<int> ownSeriesIndex() const;
    void markOwn(int row, int direction);
    void stepReadout(int steps);

    std::array<SeriesCurve*, 2> m_series{}; // series 1 and, while the grid has 4 columns, series 3
    std::vector<KeptRunSeries> m_kept;
    QCPLayoutGrid* m_heading = nullptr; // the title, and under it the picture's note while one is drawn
    QCPTextElement* m_title = nullptr;
    QCPTextElement* m_noteLine = nullptr;
    QString m_pictureNote;
    RunNames m_ownNames;
    std::array<std::pair<Quantity, Quantity>, 2> m_quantities{};
    std::function<std::optional<StepReading>(int, int)> m_stepValues;
    bool m_logarithmicY = false;
    bool m_logNAxisChosen = false;
    bool m_logNAxisApplies = false;
    bool m_userView = false;
    QCPRange m_fittedX, m_fittedY;
    std::unique_ptr<ChartViewport> m_viewport;
    std::unique_ptr<ChartReadout> m_readout;
};

} // namespace tarnis
