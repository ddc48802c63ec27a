// The chart routines of one window, each drawing one chart kind from the result store into the
// window's chart control. Both windows have a set of their own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_kinds.h"
#include "model/store.h"

namespace tarnis {

class ChartControl;

class ChartFamily {
public:
    ChartFamily(ChartControl& chart, const ResultStore& store, ChartWindow window);

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

private:
    void draw(const ChartKindEntry& entry);

    ChartControl& m_chart;
    const ResultStore& m_store;
    ChartWindow m_window;
};

// The number of rows a chart of this kind has: one per time step from 0 to LastStep, but never one
// that would read outside the store. A kind that reads N(t+1) ends where the store ends.
int chartRowCount(const ResultStore& store, const ChartKindEntry& entry);

} // namespace tarnis
