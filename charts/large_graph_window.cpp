// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/large_graph_window.h"

#include "charts/chart_control.h"
#include "charts/chart_menu.h"
#include "model/charts/chart_kinds.h"
#include "ui/design.h"
#include "ui/localized.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tarnis {

namespace {

constexpr QSizeF ClientTwips{10752, 8304};
// The chart's place in the tab order, among the buttons'.
constexpr int ChartTabIndex = 9;

// The window's two button fonts. The sans-serif buttons show the hand pointer.
enum class ButtonFont { Sans, Serif };

QFont fontOf(ButtonFont font) { return font == ButtonFont::Sans ? sansSerifFont(9.6) : timesFont(12, Weight::Regular); }

} // namespace

struct LargeGraphWindow::ButtonDesign {
    QPushButton* LargeGraphWindow::*member; // none for the buttons that draw a kind
    const char* name;
    std::string_view caption; // English, as the catalog knows it
    std::string_view toolTip;
    double left, top, width, height; // twips, in the graph frame
    ButtonFont font;
    std::optional<ChartKind> kind; // the chart it draws; none for "P" and "Main form"
    int tabIndex;
};

std::span<const LargeGraphWindow::ButtonDesign> LargeGraphWindow::buttonDesigns()
{
    using enum ButtonFont;
    using enum ChartKind;
    static const std::array<ButtonDesign, 12> designs{{
        {nullptr, "Command1", catalogText("N vs. t"), catalogText("Show N(t) vs. t"), 96, 7296, 1260, 375, Sans, NtvsT,
         5},
        {nullptr, "Command3", catalogText("dN vs. t"), catalogText("Show dN vs. t"), 1440, 7296, 1260, 375, Sans, dNvsT,
         0},
        {nullptr, "Command7", catalogText("dN/N vs. N"), catalogText("Show dN/N vs. N"), 2784, 7296, 1716, 375, Sans,
         dNperNvsN, 4},
        {nullptr, "Command8", catalogText("N, dN vs. t"), catalogText("Show N and dN vs. t"), 4608, 7296, 1500, 375,
         Sans, NdNvsT, 7},
        {nullptr, "Command9", catalogText("lnN vs. t"), catalogText("Show logN(t) vs. t"), 6144, 7296, 1380, 375, Sans,
         LogNvsT, 8},
        {nullptr, "Command2", catalogText("dN vs. N"), catalogText("Show dN vs. N"), 7584, 7296, 1164, 375, Sans, dNvsN,
         6},
        {&LargeGraphWindow::m_printButton,
         "Command6",
         catalogText("P"),
         catalogText("Print this form"),
         8832,
         7296,
         375,
         375,
         Sans,
         {},
         3},
        {&LargeGraphWindow::m_mainWindowButton,
         "Command4",
         catalogText("Main form"),
         "",
         9312,
         7296,
         1188,
         375,
         Sans,
         {},
         1},
        {nullptr, "cmdDNperNvsNinLine", catalogText("dN/N vs. N in line"), "", 96, 7776, 2316, 396, Serif,
         dNperNvsNinLine, 10},
        {nullptr, "cmddNvsNinLine", catalogText("dN vs. N in line"), "", 2496, 7776, 2412, 396, Serif, dNvsNinLine, 11},
        {nullptr, "cmdNtnextvsNt", catalogText("N(t+1) vs. N(t) in line"), "", 4992, 7776, 2604, 396, Serif,
         NtvsNtnextinLine, 12},
        {nullptr, "Command5", catalogText("N(t+1) vs. N(t)"), catalogText("Show N(t+1) vs. N(t)"), 7680, 7776, 2796,
         375, Sans, NtvsNtnext, 2},
    }};
    return designs;
}

LargeGraphWindow::LargeGraphWindow(const ResultStore& store, RunComparison& comparison, std::int16_t& chartCycle,
                                   Navigator& navigator, Services services, ChartMenuOptions chartMenu)
    // TRANSLATORS: the large graph window's title as its design has it; keep it unless it means nothing.
    : FixedWindow({"larggraf", localized("Form2"), ClientTwips})
    , m_chartCycle(chartCycle)
    , m_navigator(navigator)
    , m_graphFrame(makeFrame(this, "Frame2", localized("Graph")))
    , m_chart(named(new ChartControl(m_graphFrame), "MSChart1"))
    , m_charts(*m_chart, store, ChartWindow::Large, &comparison)
{
    setBackground(this, colours::white);
    setBackground(m_graphFrame, colours::white);
    placeTwips(m_graphFrame, 120, 0, 10575, 8292);
    placeTwips(m_chart, 96, 288, 10380, 6924);
    m_chart->setFocusPolicy(Qt::TabFocus);
    chartMenu.comparison = &comparison;
    chartMenu.player = &m_charts.player();
    new ChartMenu(*m_chart, services, std::move(chartMenu));

    buildButtons();
    connect(m_printButton, &QPushButton::clicked, this, &LargeGraphWindow::printRequested);
    connect(m_mainWindowButton, &QPushButton::clicked, this, &LargeGraphWindow::backToMainWindow);
    connect(m_chart, &ChartControl::clicked, this, &LargeGraphWindow::chartClicked);
}

LargeGraphWindow::~LargeGraphWindow() = default;

void LargeGraphWindow::buildButtons()
{
    std::vector<std::pair<int, QWidget*>> tabOrder{{ChartTabIndex, m_chart}};
    for (const ButtonDesign& design : buttonDesigns()) {
        QPushButton* button = makeButton(m_graphFrame, design.name, localized(design.caption),
                                         localized(design.toolTip), fontOf(design.font));
        placeTwips(button, design.left, design.top, design.width, design.height);
        if (design.font == ButtonFont::Sans)
            button->setCursor(handCursor());
        if (const auto kind = design.kind)
            connect(button, &QPushButton::clicked, this, [this, kind] { m_charts.draw(*kind); });
        if (design.member)
            this->*design.member = button;
        tabOrder.emplace_back(design.tabIndex, button);
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void LargeGraphWindow::backToMainWindow() { m_navigator.move(WindowId::LargeGraph, WindowId::Main); }

void LargeGraphWindow::chartClicked() { m_charts.draw(advanceChartCycle(m_chartCycle)); }

void LargeGraphWindow::showChart(ChartKind kind)
{
    m_chartCycle = chartCyclePosition(kind);
    m_charts.draw(kind);
}

void LargeGraphWindow::closeEvent(QCloseEvent* event)
{
    // Leaving through the close box is leaving through "Main form", except that the window goes.
    backToMainWindow();
    event->accept();
}

} // namespace tarnis
