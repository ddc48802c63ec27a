// The bifurcation diagram: for each value of r at the run's lag (or of the lag at the run's r), the
// values of N that the run keeps visiting once its transient is left out, drawn as a line where the
// run has settled on one value, and under it, on the same axis, the largest Lyapunov exponent of each
// run (above 0: chaos). r_c and r_m (or the lag at which the run's r passes r_c) and the run itself
// are marked and named beside their lines. Over r it covers the dynamics of the run's lag, on a
// logarithmic axis beyond lag 20 (where the map's lag axis is one too). The pointer or the arrow keys
// point at a column, which the plot names in words; a click or Enter chooses its value. The plot only
// shows what it is given.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dynamics/pointing_plot.h"
#include "model/dynamics/dynamics_plan.h"

#include <optional>
#include <utility>
#include <vector>

namespace tarnis {

class BifurcationPlot : public PointingPlot {
    Q_OBJECT
public:
    explicit BifurcationPlot(QWidget* parent = nullptr);

    void showPlan(const DynamicsPlan& plan, BifurcationAxis axis);
    // A new run with the same columns: they stay, the marks move to the new run's.
    void moveMarks(const DynamicsPlan& plan);
    void showNoRun();
    // Columns as the runs finish them, with their index; drawn again on the next turn of the event loop.
    void addColumns(std::vector<std::pair<std::size_t, BifurcationColumn>> columns);

    BifurcationAxis axis() const { return m_axis; }
    std::size_t columnCount() const { return m_columns.size(); }
    std::size_t computedColumns() const { return m_computed; }
    double columnValue(std::size_t column) const { return m_values[column]; }
    // The column nearest a place of the widget over either plot; none elsewhere.
    std::optional<std::size_t> columnAt(QPointF pixel) const;
    QPointF columnPixel(std::size_t column) const;
    QCPAxisRect* exponentRect() const { return m_exponentRect; }
    // The names beside the marked lines ("r_c", "r_m", "this run") that are on show.
    QList<QCPItemText*> shownLabels() const;

    QString title() const;
    // What the plot says in place of its picture (before a run, or beyond the analysis); empty when it shows one.
    QString placeholderText() const;
    // One row per column: its r (or T), the exponent, how the run ended, then each kept N.
    QString dataText(QChar decimalSeparator) const;

signals:
    // A column was clicked or chosen with Enter: its r, or its lag.
    void chosen(double value);

protected:
    std::optional<std::size_t> placeAt(QPointF pixel) const override { return columnAt(pixel); }
    std::optional<std::size_t> runPlace() const override;
    QString placeWords(std::size_t column) const override;
    RunParameters placeRun(std::size_t column) const override;
    void markPlace(std::optional<std::size_t> column) override;
    void choose(std::size_t column) override { emit chosen(m_values[column]); }
    std::pair<QCPRange, QCPRange> fittedView() override;
    void showView(const QCPRange& x, const QCPRange& y) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Mark {
        QCPItemStraightLine* overN;
        QCPItemStraightLine* overExponent;
        QCPItemText* label;
    };
    Mark addMark(const QPen& pen);
    void stackLabels();
    void keepLabelsInside();
    void placeMark(const Mark& mark, std::optional<double> at, const QString& label);
    void showMarks(const DynamicsPlan& plan);
    void drawColumns();
    void fitExponentAxis();
    void movePointer(int steps);

    QCPTextElement* m_title;
    QCPAxisRect* m_exponentRect;
    QCPGraph* m_settled;
    QCPGraph* m_points;
    QCPGraph* m_exponent;
    QCPItemStraightLine* m_zero;
    QCPItemText* m_placeholder;
    Mark m_criticalMark;
    Mark m_monotoneMark;
    Mark m_runMark;
    PlaceMark* m_pointer;

    BifurcationAxis m_axis = BifurcationAxis::Rate;
    bool m_logarithmic = false;
    RunParameters m_run;
    int m_discard = 0;
    int m_keep = 0;
    std::vector<double> m_values;
    std::vector<std::optional<BifurcationColumn>> m_columns;
    std::size_t m_computed = 0;
};

} // namespace tarnis
