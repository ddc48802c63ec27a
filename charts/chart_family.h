// The chart routines of one window, each drawing one chart kind from the result store into the
// window's chart control, with the kept runs of the comparison behind it. Both windows have a set of
// their own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/charts/chart_kinds.h"
#include "model/continuous/hutchinson.h"
#include "model/run/store.h"

#include <QMetaObject>

#include <memory>
#include <optional>
#include <utility>

namespace tarnis {

class ChartControl;
class RunComparison;
class RunPlayer;

class ChartFamily {
public:
    // Without a comparison the charts show the store's run alone.
    ChartFamily(ChartControl& chart, const ResultStore& store, ChartWindow window,
                const RunComparison* comparison = nullptr);
    ~ChartFamily();
    ChartFamily(const ChartFamily&) = delete;
    ChartFamily& operator=(const ChartFamily&) = delete;

    // Rebuilds the whole chart: grid, titles, the look of its series and every value.
    void draw(ChartKind kind);
    // The same, but each series keeps the look it last had.
    void drawKeepingLook(ChartKind kind);

    void ShowNtvsT() { draw(ChartKind::NtvsT); }
    void ShowdNvsT() { draw(ChartKind::dNvsT); }
    void ShowLogNvsT() { draw(ChartKind::LogNvsT); }
    void ShowNtKvsT() { draw(ChartKind::NtKvsT); }
    void ShowNdNvsT() { draw(ChartKind::NdNvsT); }
    void ShowdNvsN() { draw(ChartKind::dNvsN); }
    void ShowdNvsNinLine() { draw(ChartKind::dNvsNinLine); }
    void ShowdNperNvsN() { draw(ChartKind::dNperNvsN); }
    void ShowdNperNvsNinLine() { draw(ChartKind::dNperNvsNinLine); }
    void ShowNtvsNtnext() { draw(ChartKind::NtvsNtnext); }
    void ShowNtvsNtnextinLine() { draw(ChartKind::NtvsNtnextinLine); }

    // Plays the run on show step by step; any chart drawn anew ends the play.
    RunPlayer& player() { return *m_player; }

    // The kind drawn last, which a saved set-up names; none before the first drawing.
    std::optional<ChartKind> kindOnShow() const { return m_shownKind; }
    ChartControl& chart() { return m_chart; }

private:
    enum class Axes { Fit, KeepUserView };
    void draw(const ChartKindEntry& entry, Axes axes = Axes::Fit);
    // The chart on show again, after the kept runs or the choice of axis changed.
    void redraw(Axes axes);
    // The chart's own series with their first rows only, in the view on show.
    void drawFirstRows(int rows);
    void fillOwnSeries(const ChartKindEntry& entry, int rows);
    void drawKeptRuns(const ChartKindEntry& entry);
    // The continuous trajectory of the run on show beside it, where the window chose it and the kind
    // shows N over t, with the note of where it stops early.
    void drawContinuous(const ChartKindEntry& entry);
    const ContinuousRun& continuousOf(const RunParameters& run);

    ChartControl& m_chart;
    const ResultStore& m_store;
    ChartWindow m_window;
    const RunComparison* m_comparison;
    std::optional<ChartKindEntry> m_shown; // as last drawn, looks and all
    std::optional<ChartKind> m_shownKind;
    QMetaObject::Connection m_keptChanged;
    QMetaObject::Connection m_axisChosen;
    QMetaObject::Connection m_continuousChosen;
    // The continuous trajectory of the last run asked for, which every drawing of another kind or a
    // kept run would otherwise compute again.
    std::optional<std::pair<RunParameters, ContinuousRun>> m_continuous;
    std::unique_ptr<RunPlayer> m_player;
};

} // namespace tarnis
