// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/run_player.h"

#include "ui/localized.h"

#include "charts/chart_control.h"
#include "model/run/play_pace.h"
#include "ui/design.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace tarnis {

namespace {

constexpr double BarPoints = 8.0;
constexpr int BarTop = 2; // over the chart's title, which the bar hides while the play is on

// Looked up when shown, in the language chosen at start-up.
QString pauseText() { return localized("Pause"); }
QString runOnText() { return localized("Play"); }

template <typename W> W* named(W* widget, const char* objectName, const QString& accessibleName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    widget->setFont(arialFont(BarPoints));
    return widget;
}

QToolButton* textButton(const QString& text)
{
    auto* button = new QToolButton;
    button->setText(text);
    button->setFocusPolicy(Qt::StrongFocus); // a tool button takes no Tab by default
    return button;
}

// As wide as the longer of the button's text and the other it shows in turn, so that the bar keeps its
// size; measured as the style draws it.
void keepWidthForBoth(QToolButton& button, const QString& other)
{
    button.ensurePolished();
    const QString text = button.text();
    button.setText(other);
    const int otherWidth = button.sizeHint().width();
    button.setText(text);
    button.setMinimumWidth(std::max(otherWidth, button.sizeHint().width()));
}

} // namespace

RunPlayer::RunPlayer(ChartControl& chart, Drawing drawing)
    : m_chart(chart)
    , m_drawing(std::move(drawing))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(FrameMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &RunPlayer::tick);
}

RunPlayer::~RunPlayer() = default;

// The bar is made on the first play: most charts are never played.
void RunPlayer::buildBar()
{
    m_bar = named(new QFrame(&m_chart), "playBar", localized("Play of the run"));
    m_bar->setFrameShape(QFrame::StyledPanel);
    m_bar->setAutoFillBackground(true);
    // A click on the bar is the bar's, never a click on the chart that would end the play.
    m_bar->setAttribute(Qt::WA_NoMousePropagation);
    m_bar->setCursor(Qt::ArrowCursor);
    // Tool buttons, as small as their words, so that the bar fits over the main window's chart.
    m_pause = named(textButton(pauseText()), "playPause", pauseText());
    auto* step = named(textButton(localized("Step")), "playStep", localized("One step on"));
    m_speedBox = named(new QComboBox, "playSpeed", localized("Speed"));
    for (const int speed : PlaySpeeds)
        m_speedBox->addItem(QString::fromStdString(playSpeedText(speed)), speed);
    // The label's text is what a screen reader reads: where the play stands.
    m_position = named(new QLabel, "playPosition", QString());
    // Room for the longest position, so that the bar keeps its size while the play runs.
    m_position->setMinimumWidth(
        m_position->fontMetrics().horizontalAdvance(QString::fromStdString(playPositionText(9999, 9999))));
    m_position->setAccessibleDescription(localized("Step on show"));
    auto* stop = named(textButton(localized("Stop")), "playStop", localized("Stop the play"));
    // The buttons and the speed in one row, the position and Stop in another: side by side where the
    // chart has the room, else one over the other.
    m_barRows = new QBoxLayout(QBoxLayout::LeftToRight, m_bar);
    m_barRows->setContentsMargins(4, 2, 4, 2);
    m_barRows->setSpacing(4);
    for (const auto& row : {std::initializer_list<QWidget*>{m_pause, step, m_speedBox}, {m_position, stop}}) {
        auto* rowLayout = new QHBoxLayout;
        rowLayout->setSpacing(4);
        for (QWidget* widget : row)
            rowLayout->addWidget(widget);
        rowLayout->addStretch(1);
        m_barRows->addLayout(rowLayout);
    }
    keepWidthForBoth(*m_pause, runOnText());
    connect(m_pause, &QToolButton::clicked, this, &RunPlayer::pauseOrResume);
    connect(step, &QToolButton::clicked, this, &RunPlayer::step);
    connect(stop, &QToolButton::clicked, this, &RunPlayer::stop);
    connect(m_speedBox, &QComboBox::activated, this,
            [this](int index) { setSpeed(m_speedBox->itemData(index).toInt()); });
    // Escape anywhere on the bar stops the play, as the Stop button does.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), m_bar, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
            &QShortcut::activated, this, &RunPlayer::stop);
    m_bar->hide();
}

void RunPlayer::play()
{
    const int total = m_drawing.rows();
    if (total <= 0)
        return;
    if (!m_bar)
        buildBar();
    m_active = true;
    m_total = total;
    setSpeed(firstPlaySpeed(total - 1));
    show(1);
    showBar(true);
    m_pause->setFocus(Qt::OtherFocusReason); // the keys work the bar at once
    restartClock();
    m_timer->start();
    m_pause->setText(pauseText());
    m_pause->setAccessibleName(pauseText());
}

bool RunPlayer::running() const { return m_active && m_timer->isActive(); }

void RunPlayer::pauseOrResume()
{
    if (!m_active)
        return;
    if (running())
        m_timer->stop();
    else {
        restartClock();
        m_timer->start();
    }
    const QString text = running() ? pauseText() : runOnText();
    m_pause->setText(text);
    m_pause->setAccessibleName(text);
}

void RunPlayer::step()
{
    if (!m_active)
        return;
    if (running())
        pauseOrResume();
    if (m_rows + 1 >= m_total)
        return stop();
    show(m_rows + 1);
}

void RunPlayer::setSpeed(int stepsPerSecond)
{
    m_speed = stepsPerSecond;
    if (m_speedBox)
        m_speedBox->setCurrentIndex(m_speedBox->findData(stepsPerSecond));
    restartClock(); // the steps to come at the new speed, from the one on show
}

void RunPlayer::stop()
{
    if (!m_active)
        return;
    showBar(false);
    m_drawing.drawAll();
    m_chart.markOwnRow(m_total - 1);
}

void RunPlayer::abandon()
{
    if (m_active)
        showBar(false);
}

// The bar comes and goes with the play; the keys it had go back to the chart.
void RunPlayer::showBar(bool shown)
{
    if (!shown) {
        m_active = false;
        m_timer->stop();
        if (!m_bar)
            return;
        const bool hadKeys = m_bar->isAncestorOf(QApplication::focusWidget());
        m_bar->hide();
        if (hadKeys)
            m_chart.setFocus(Qt::OtherFocusReason);
        return;
    }
    m_barRows->setDirection(QBoxLayout::LeftToRight);
    if (m_barRows->sizeHint().width() > m_chart.width())
        m_barRows->setDirection(QBoxLayout::TopToBottom);
    m_bar->adjustSize();
    m_bar->move(std::max(0, (m_chart.width() - m_bar->width()) / 2), BarTop);
    m_bar->show();
    m_bar->raise();
}

void RunPlayer::restartClock()
{
    m_fromRows = m_rows;
    m_clock.start();
}

// A play runs only while its chart is on screen: a hidden one gets the whole run, to show when it comes
// back.
void RunPlayer::tick()
{
    if (!m_chart.isVisible())
        return stop();
    const int rows = stepsAfter(m_fromRows, double(m_clock.elapsed()) / 1000.0, m_speed, m_total);
    if (rows >= m_total)
        return stop();
    if (rows != m_rows)
        show(rows);
}

void RunPlayer::show(int rows)
{
    m_rows = rows;
    m_drawing.drawFirst(rows);
    m_chart.markOwnRow(rows - 1);
    m_position->setText(QString::fromStdString(playPositionText(rows - 1, m_total - 1)));
}

} // namespace tarnis
