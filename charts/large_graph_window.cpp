// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/large_graph_window.h"

#include "charts/chart_control.h"
#include "charts/chart_menu.h"
#include "model/charts/chart_kinds.h"
#include "ui/design.h"
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

// The window's two button fonts. The buttons in font A show the hand pointer.
enum class ButtonFont { A, B };

QFont fontOf(ButtonFont font) { return font == ButtonFont::A ? sansSerifFont(9.6) : timesFont(12, Weight::Regular); }

} // namespace

struct LargeGraphWindow::ButtonDesign {
    QPushButton* LargeGraphWindow::*member;
    const char* name;
    const char* caption;
    const char* toolTip;
    double left, top, width, height; // twips, in Frame2
    ButtonFont font;
    std::optional<ChartKind> kind; // the chart it draws; none for "P" and "Main form"
    int tabIndex;
};

std::span<const LargeGraphWindow::ButtonDesign> LargeGraphWindow::buttonDesigns()
{
    using enum ButtonFont;
    using enum ChartKind;
    static const std::array<ButtonDesign, 12> designs{{
        {&LargeGraphWindow::Command1, "Command1", "N vs. t", "Show N(t) vs. t", 96, 7296, 1260, 375, A, NtvsT, 5},
        {&LargeGraphWindow::Command3, "Command3", "dN vs. t", "Show dN vs. t", 1440, 7296, 1260, 375, A, dNvsT, 0},
        {&LargeGraphWindow::Command7, "Command7", "dN/N vs. N", "Show dN/N vs. N", 2784, 7296, 1716, 375, A, dNperNvsN,
         4},
        {&LargeGraphWindow::Command8, "Command8", "N, dN vs. t", "Show N and dN vs. t", 4608, 7296, 1500, 375, A,
         NdNvsT, 7},
        {&LargeGraphWindow::Command9, "Command9", "lnN vs. t", "Show logN(t) vs. t", 6144, 7296, 1380, 375, A, LogNvsT,
         8},
        {&LargeGraphWindow::Command2, "Command2", "dN vs. N", "Show dN vs. N", 7584, 7296, 1164, 375, A, dNvsN, 6},
        {&LargeGraphWindow::Command6, "Command6", "P", "Print this form", 8832, 7296, 375, 375, A, {}, 3},
        {&LargeGraphWindow::Command4, "Command4", "Main form", "", 9312, 7296, 1188, 375, A, {}, 1},
        {&LargeGraphWindow::cmdDNperNvsNinLine, "cmdDNperNvsNinLine", "dN/N vs. N in line", "", 96, 7776, 2316, 396, B,
         dNperNvsNinLine, 10},
        {&LargeGraphWindow::cmddNvsNinLine, "cmddNvsNinLine", "dN vs. N in line", "", 2496, 7776, 2412, 396, B,
         dNvsNinLine, 11},
        {&LargeGraphWindow::cmdNtnextvsNt, "cmdNtnextvsNt", "N(t+1) vs. N(t) in line", "", 4992, 7776, 2604, 396, B,
         NtvsNtnextinLine, 12},
        {&LargeGraphWindow::Command5, "Command5", "N(t+1) vs. N(t)", "Show N(t+1) vs. N(t)", 7680, 7776, 2796, 375, A,
         NtvsNtnext, 2},
    }};
    return designs;
}

LargeGraphWindow::LargeGraphWindow(const ResultStore& store, RunComparison& comparison, std::int16_t& chartCycle,
                                   Navigator& navigator, Services services, std::function<void()> openDynamics)
    : FixedWindow({"larggraf", QStringLiteral("Form2"), ClientTwips})
    , m_chartCycle(chartCycle)
    , m_navigator(navigator)
    , Frame2(makeFrame(this, "Frame2", QStringLiteral("Graph")))
    , MSChart1(named(new ChartControl(Frame2), "MSChart1"))
    , m_charts(*MSChart1, store, ChartWindow::Large, &comparison)
{
    setBackground(this, colours::white);
    setBackground(Frame2, colours::white);
    placeTwips(Frame2, 120, 0, 10575, 8292);
    placeTwips(MSChart1, 96, 288, 10380, 6924);
    MSChart1->setFocusPolicy(Qt::TabFocus);
    new ChartMenu(*MSChart1, services,
                  {.comparison = &comparison, .openDynamics = std::move(openDynamics), .player = &m_charts.player()});

    buildButtons();
    connect(Command6, &QPushButton::clicked, this, &LargeGraphWindow::printRequested);
    connect(Command4, &QPushButton::clicked, this, &LargeGraphWindow::backToMainWindow);
    connect(MSChart1, &ChartControl::clicked, this, &LargeGraphWindow::chartClicked);
}

LargeGraphWindow::~LargeGraphWindow() = default;

void LargeGraphWindow::buildButtons()
{
    std::vector<std::pair<int, QWidget*>> tabOrder{{ChartTabIndex, MSChart1}};
    for (const ButtonDesign& design : buttonDesigns()) {
        QPushButton* button = makeButton(Frame2, design.name, QString::fromLatin1(design.caption),
                                         QString::fromLatin1(design.toolTip), fontOf(design.font));
        placeTwips(button, design.left, design.top, design.width, design.height);
        if (design.font == ButtonFont::A)
            button->setCursor(handCursor());
        if (const auto kind = design.kind)
            connect(button, &QPushButton::clicked, this, [this, kind] { m_charts.draw(*kind); });
        this->*design.member = button;
        tabOrder.emplace_back(design.tabIndex, button);
    }
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void LargeGraphWindow::backToMainWindow() { m_navigator.move(WindowId::LargeGraph, WindowId::Main); }

void LargeGraphWindow::chartClicked() { m_charts.draw(advanceChartCycle(m_chartCycle)); }

void LargeGraphWindow::closeEvent(QCloseEvent* event)
{
    // Leaving through the close box is leaving through "Main form", except that the window goes.
    backToMainWindow();
    event->accept();
}

} // namespace tarnis
