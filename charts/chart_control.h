// The chart widget of a window (MSChart1): an XY chart over a data grid of one row per point and an
// x and a y column per series, with a chart title, two axis titles and a plain click. It ties its
// parts together: its series and those of the kept runs (ChartSeries), its axes and the view on them
// (ChartAxes), the legend below the plot (RunLegend), the zoom and pan of the wheel and a drag
// (ChartViewport) and the value of the point under the pointer (ChartReadout); it draws them in the
// order each needs, describes the chart to screen readers after every change and turns keys and
// clicks into its signals.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_axes.h"
#include "charts/chart_series.h"
#include "charts/run_legend.h"
#include "ui/page_painted.h"

#include <qcustomplot.h>

#include <memory>
#include <optional>

class QHelpEvent;

namespace tarnis {

class ChartReadout;
class ChartViewport;

class ChartControl : public QCustomPlot, public PagePainted {
    Q_OBJECT
public:
    explicit ChartControl(QWidget* parent = nullptr);
    ~ChartControl() override;

    ChartSeries& series() { return m_series; }
    const ChartSeries& series() const { return m_series; }
    const ChartAxes& axes() const { return m_axes; }
    const RunLegend& runLegend() const { return m_legend; }
    // The value under the pointer; hidden while nothing is hovered.
    ChartReadout& readout() { return *m_readout; }

    // The kind on show: its title and the titles of its axes as the reader's language has them, and
    // the axes' English titles, which head its copied data in every language.
    void setTitles(const QString& chart, const QString& yAxis, const QString& xAxis);
    void setDataTitles(const QString& yAxis, const QString& xAxis);
    QString chartTitle() const;
    QString yAxisTitle() const;
    QString xAxisTitle() const;
    const QString& yDataTitle() const { return m_yDataTitle; }
    const QString& xDataTitle() const { return m_xDataTitle; }
    // The run's parameters, which a saved picture of the chart carries in a line under its title (on
    // screen the window's boxes show them). Empty: no line.
    void setPictureNote(const QString& note);
    const QString& pictureNote() const { return m_pictureNote; }
    // The line under the title while a picture is drawn: shown, then taken away again.
    void showPictureNote(bool shown);
    // A line under the title on screen and in pictures that says what the chart cannot show (where
    // the continuous trajectory stops); screen readers hear it after the description. Empty: none.
    void setNote(const QString& note);
    const QString& note() const { return m_note; }

    // The y axis on a logarithmic scale, for the data set after this: the series leave out what has
    // no place on it and the next fit takes it.
    void setLogarithmicY(bool on);
    // The window's choice of a logarithmic N axis (ChartAxes::logNAxisChosen); a change is signalled.
    void setLogNAxisChosen(bool chosen);
    // Whether the kind on show has N on its y axis (over t), where the choices of the logarithmic N
    // axis and of the continuous trajectory apply.
    void setShowsN(bool shows) { m_showsN = shows; }
    bool showsN() const { return m_showsN; }
    // The window's choice to draw the continuous-time trajectory beside the run, which the chart
    // routines honour where y is N over t; a change is signalled.
    void setContinuousChosen(bool chosen);
    bool continuousChosen() const { return m_continuousChosen; }

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

    // On paper the chart is drawn in vectors, sharp at the printer's resolution.
    void paintOnPage(QPainter& painter) override;

signals:
    // A left press and its release on the chart; the right button opens the chart's menu instead.
    void clicked();
    // The user switched the logarithmic N axis on or off.
    void logNAxisChoiceChanged();
    // The user switched the comparison with continuous time on or off.
    void continuousChoiceChanged();

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
    void layOutHeading(bool pictureNoteShown);
    QCPTextElement* addHeadingLine(const QString& text);
    void prepareDrawing();
    void describe();
    std::optional<int> ownSeriesIndex() const;
    void markOwn(int row, int direction);
    void stepReadout(int steps);
    bool showLegendToolTip(const QHelpEvent& help);

    // The heading (the title, under it the picture's note while one is drawn, then the chart's note)
    // comes first: the axes, the legend and the series take their places in the layout around it.
    QCPTextElement* m_title;
    QCPLayoutGrid* m_heading;
    QCPTextElement* m_pictureLine = nullptr;
    QCPTextElement* m_noteLine = nullptr;
    QString m_pictureNote;
    QString m_yDataTitle;
    QString m_xDataTitle;
    QString m_note;
    bool m_showsN = false;
    bool m_continuousChosen = false;
    ChartAxes m_axes;
    RunLegend m_legend; // before the series, whose curves it must not take in
    ChartSeries m_series;
    std::unique_ptr<ChartViewport> m_viewport;
    std::unique_ptr<ChartReadout> m_readout;
};

} // namespace tarnis
