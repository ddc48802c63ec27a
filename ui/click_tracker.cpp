// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/click_tracker.h"

#include "ui/accessibility.h"

#include <QMouseEvent>
#include <QWidget>

namespace tarnis {

ClickTracker::ClickTracker(QWidget& widget, Rules rules)
    : QObject(&widget)
    , m_widget(widget)
    , m_rules(std::move(rules))
{
    widget.installEventFilter(this);
    // A label that acts on a click can now be pressed: assistive technology that already asked about
    // it is told anew.
    forgetAccessibleInterface(widget);
}

ClickTracker::ClickTracker(QWidget& widget)
    : ClickTracker(widget, Rules{})
{
}

bool ClickTracker::counts(const QMouseEvent& event) const
{
    const QPoint place = event.position().toPoint();
    return (m_rules.buttons & event.button())
        && (m_rules.countsAt ? m_rules.countsAt(place) : m_widget.rect().contains(place));
}

bool ClickTracker::wentTooFar(const QMouseEvent& event) const
{
    return m_rules.stayWithin >= 0 && (event.position().toPoint() - m_pressedAt).manhattanLength() > m_rules.stayWithin;
}

bool ClickTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_widget)
        return false;
    // A click may close the window and the tracker with it: nothing of the tracker is read after it.
    const bool passOn = m_rules.passOn;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = counts(*static_cast<QMouseEvent*>(event));
        m_pressedAt = static_cast<QMouseEvent*>(event)->position().toPoint();
        break;
    case QEvent::MouseMove:
        if (wentTooFar(*static_cast<QMouseEvent*>(event)))
            m_pressed = false;
        return false; // the widget's own handling (hover, pan) always sees the pointer move
    case QEvent::MouseButtonRelease:
        if (std::exchange(m_pressed, false) && counts(*static_cast<QMouseEvent*>(event))
            && !wentTooFar(*static_cast<QMouseEvent*>(event)))
            emit clicked();
        break;
    default:
        return false;
    }
    if (passOn)
        return false;
    event->accept();
    return true;
}

} // namespace tarnis
