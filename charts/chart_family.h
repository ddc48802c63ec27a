// The chart routines of one window, each drawing one chart kind from the result store into the
// window's chart control.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chart_kinds.h"
#include "model/store.h"

namespace tarnis {

class ChartControl;

class ChartFamily
{
public:
    ChartFamily(ChartControl& chart, const ResultStore& store);

    void draw(ChartKind kind);

    void ShowNtvsT() { draw(ChartKind::NtvsT); }

private:
    ChartControl& m_chart;
    const ResultStore& m_store;
};

} // namespace tarnis
