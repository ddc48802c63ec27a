// The stability map: the regime of every pair of lag T (across) and r (up) as a coloured cell, the
// limits of linear theory over the cells (r_c solid, r_m dashed, and the continuous-time model's
// r = π/(2T) dash-dotted, each named beside its line), the last run's place, and a legend of the
// colours. r is on a logarithmic axis; beyond lag 20 the lag is too. The pointer or the arrow keys
// point at a cell, which the map names in words; a click or Enter chooses it. The map only shows what
// it is given; the window computes it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dynamics/pointing_plot.h"
#include "model/dynamics/dynamics_plan.h"

#include <optional>
#include <vector>

namespace tarnis {

class RegimeCells;

class StabilityMap : public PointingPlot {
    Q_OBJECT
public:
    explicit StabilityMap(QWidget* parent = nullptr);

    // A new run: its grid with every cell still to come, its limits and its place.
    void showPlan(const DynamicsPlan& plan);
    // A new run on the same grid: the cells stay, the run's mark moves.
    void moveRun(const RunParameters& run);
    // No run yet: an empty map that says so.
    void showNoRun();
    // Cells as the scan finishes them; the map is drawn again on the next turn of the event loop.
    void addCells(const std::vector<ScanCell>& cells);

    std::size_t cellCount() const { return m_reports.size(); }
    std::size_t computedCells() const { return m_computed; }
    // The cell at a place of the widget, r-major as the scan numbers them; none off the cells.
    std::optional<std::size_t> cellAt(QPointF pixel) const;
    QPointF cellCentre(std::size_t cell) const;
    double cellRate(std::size_t cell) const;
    double cellLag(std::size_t cell) const;
    // Where the last run's mark stands, in pixels; none when the run lies off the map.
    std::optional<QPointF> runMarkCentre() const;
    // The names of the r_c, r_m and continuous r_c curves on show.
    QList<QCPItemText*> shownLabels() const;
    static constexpr double RunMarkRadius = 8.0; // pixels from the mark's centre to the edge of its pen

    QString title() const;
    // The least width at which the legend's names stand whole in two columns, in the language on show.
    int leastLegendWidth();
    // What the plot says in place of its picture (before a run, or beyond the analysis); empty when it shows one.
    QString placeholderText() const;
    // One row per cell, r-major: r, T, the regime and its numbers, r_m and r_c of the lag.
    QString dataText(QChar decimalSeparator) const;

signals:
    // A cell was clicked or chosen with Enter.
    void chosen(double r, double lag);

protected:
    std::optional<std::size_t> placeAt(QPointF pixel) const override { return cellAt(pixel); }
    std::optional<std::size_t> runPlace() const override;
    QString placeWords(std::size_t cell) const override;
    RunParameters placeRun(std::size_t cell) const override;
    void markPlace(std::optional<std::size_t> cell) override;
    void choose(std::size_t cell) override;
    std::pair<QCPRange, QCPRange> fittedView() override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLegend();
    void drawLimits(const DynamicsPlan& plan);
    void placeLimitLabels();
    void movePointer(int lagSteps, int rateSteps);
    bool runOnMap() const;
    void markRun();

    QCPTextElement* m_title;
    RegimeCells* m_cells;
    QCPGraph* m_stableHalo;
    QCPGraph* m_stable;
    QCPGraph* m_monotoneHalo;
    QCPGraph* m_monotone;
    QCPGraph* m_continuousHalo;
    QCPGraph* m_continuous;
    QCPItemText* m_stableLabel;
    QCPItemText* m_monotoneLabel;
    QCPItemText* m_continuousLabel;
    QCPGraph* m_run;
    QCPItemText* m_placeholder;
    PlaceMark* m_pointer;

    ScanGrid m_grid;
    std::vector<double> m_lagEdges;
    std::vector<double> m_rateEdges;
    std::vector<std::optional<StabilityLimits>> m_limits;
    QVector<double> m_limitLags, m_stableRates, m_monotoneRates; // the curves of r_c and r_m
    QVector<double> m_continuousLags, m_continuousRates;         // the curve of π/(2T), from T > 0
    RunParameters m_runParameters;
    std::vector<std::optional<RegimeReport>> m_reports;
    std::size_t m_computed = 0;
};

} // namespace tarnis
