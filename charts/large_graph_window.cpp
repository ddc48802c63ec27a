// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/large_graph_window.h"

#include "app/design.h"
#include "app/navigator.h"
#include "app/twips.h"
#include "charts/chart_control.h"
#include "charts/chart_cycle.h"
#include "charts/chart_menu.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

namespace tarnis {

namespace {

constexpr QSize ClientTwips{10752, 8304};

QFont fontA() { return sansSerifFont(9.6); }
QFont fontB() { return timesFont(12, Weight::Regular); }

} // namespace

LargeGraphWindow::LargeGraphWindow(Tarnis1& state, Navigator& navigator, Services services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_navigator(navigator)
    , Frame2(makeFrame(this, "Frame2", QStringLiteral("Graph")))
    , MSChart1(named(new ChartControl(Frame2), "MSChart1"))
    , m_charts(*MSChart1, state.store, ChartWindow::Large)
{
    setObjectName(QStringLiteral("larggraf"));
    setWindowTitle(QStringLiteral("Form2"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    // The close box destroys the window; the navigator builds it afresh on the next "LG".
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(ClientTwips.width(), ClientTwips.height()));
    setBackground(this, colours::white);

    setBackground(Frame2, colours::white);
    placeTwips(Frame2, 120, 0, 10575, 8292);
    placeTwips(MSChart1, 96, 288, 10380, 6924);
    MSChart1->setFocusPolicy(Qt::TabFocus);
    new ChartMenu(*MSChart1, services);

    buildButtons();
    setTabOrder();
    connectHandlers();
}

LargeGraphWindow::~LargeGraphWindow() = default;

void LargeGraphWindow::buildButtons()
{
    const auto button = [this](const char* name, const char* caption, const char* toolTip, const QFont& font) {
        return makeButton(Frame2, name, QString::fromLatin1(caption), QString::fromLatin1(toolTip), font);
    };
    Command1 = button("Command1", "N vs. t", "Show N(t) vs. t", fontA());
    placeTwips(Command1, 96, 7296, 1260, 375);
    Command3 = button("Command3", "dN vs. t", "Show dN vs. t", fontA());
    placeTwips(Command3, 1440, 7296, 1260, 375);
    Command7 = button("Command7", "dN/N vs. N", "Show dN/N vs. N", fontA());
    placeTwips(Command7, 2784, 7296, 1716, 375);
    Command8 = button("Command8", "N, dN vs. t", "Show N and dN vs. t", fontA());
    placeTwips(Command8, 4608, 7296, 1500, 375);
    Command9 = button("Command9", "lnN vs. t", "Show logN(t) vs. t", fontA());
    placeTwips(Command9, 6144, 7296, 1380, 375);
    Command2 = button("Command2", "dN vs. N", "Show dN vs. N", fontA());
    placeTwips(Command2, 7584, 7296, 1164, 375);
    Command6 = button("Command6", "P", "Print this form", fontA());
    placeTwips(Command6, 8832, 7296, 375, 375);
    Command4 = button("Command4", "Main form", "", fontA());
    placeTwips(Command4, 9312, 7296, 1188, 375);

    cmdDNperNvsNinLine = button("cmdDNperNvsNinLine", "dN/N vs. N in line", "", fontB());
    placeTwips(cmdDNperNvsNinLine, 96, 7776, 2316, 396);
    cmddNvsNinLine = button("cmddNvsNinLine", "dN vs. N in line", "", fontB());
    placeTwips(cmddNvsNinLine, 2496, 7776, 2412, 396);
    cmdNtnextvsNt = button("cmdNtnextvsNt", "N(t+1) vs. N(t) in line", "", fontB());
    placeTwips(cmdNtnextvsNt, 4992, 7776, 2604, 396);
    Command5 = button("Command5", "N(t+1) vs. N(t)", "Show N(t+1) vs. N(t)", fontA());
    placeTwips(Command5, 7680, 7776, 2796, 375);

    for (QPushButton* pointed :
         {Command1, Command3, Command7, Command8, Command9, Command2, Command6, Command4, Command5})
        pointed->setCursor(handCursor());
}

void LargeGraphWindow::setTabOrder()
{
    const QList<QWidget*> order{Command3,           Command4,       Command5,     Command6, Command7,
                                Command1,           Command2,       Command8,     Command9, MSChart1,
                                cmdDNperNvsNinLine, cmddNvsNinLine, cmdNtnextvsNt};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void LargeGraphWindow::connectHandlers()
{
    const auto drawOn = [this](QPushButton* button, ChartKind kind) {
        connect(button, &QPushButton::clicked, this, [this, kind] { m_charts.draw(kind); });
    };
    drawOn(Command1, ChartKind::NtvsT);
    drawOn(Command3, ChartKind::dNvsT);
    drawOn(Command7, ChartKind::dNperNvsN);
    drawOn(Command8, ChartKind::NdNvsT);
    drawOn(Command9, ChartKind::LogNvsT);
    drawOn(Command2, ChartKind::dNvsN);
    drawOn(cmdDNperNvsNinLine, ChartKind::dNperNvsNinLine);
    drawOn(cmddNvsNinLine, ChartKind::dNvsNinLine);
    drawOn(cmdNtnextvsNt, ChartKind::NtvsNtnextinLine);
    drawOn(Command5, ChartKind::NtvsNtnext);
    connect(Command6, &QPushButton::clicked, this, &LargeGraphWindow::printRequested);
    connect(Command4, &QPushButton::clicked, this, &LargeGraphWindow::backToMainWindow);
    connect(MSChart1, &ChartControl::clicked, this, &LargeGraphWindow::chartClicked);
}

void LargeGraphWindow::backToMainWindow() { m_navigator.move(WindowId::larggraf, WindowId::Form1); }

void LargeGraphWindow::chartClicked() { m_charts.draw(advanceChartCycle(m_state.ChartCycleLarge)); }

void LargeGraphWindow::closeEvent(QCloseEvent* event)
{
    // Leaving through the close box is leaving through "Main form", except that the window goes.
    backToMainWindow();
    event->accept();
}

} // namespace tarnis
