// A click as users mean it on a widget that is no button: a press and its release in place. The
// labels that react to a click, the charts and the screens that leave on a click all watch their
// widget through one of these. A widget that is also dragged (a chart that pans) tells a click from
// a drag by how far the pointer went from the press.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QMouseEvent;
class QWidget;

namespace tarnis {

class ClickTracker : public QObject {
    Q_OBJECT
public:
    struct Rules {
        Qt::MouseButtons buttons = Qt::LeftButton;
        // Where on the widget a press and its release count; anywhere inside it when not given.
        std::function<bool(const QPoint&)> countsAt;
        // The widget's own mouse handling sees the press and release as well (a chart that also
        // pans); otherwise the tracker takes them.
        bool passOn = false;
        // When not negative: the press no longer counts once the pointer has gone further than this
        // many pixels from it (the Manhattan length, as Qt measures the start of a drag), even if it
        // comes back, so that a drag is never a click.
        int stayWithin = -1;
    };

    // Watches the widget, which owns the tracker.
    ClickTracker(QWidget& widget, Rules rules);
    explicit ClickTracker(QWidget& widget);

    // What a click does, for a key or for assistive technology that presses the widget.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool counts(const QMouseEvent& event) const;
    bool wentTooFar(const QMouseEvent& event) const;

    QWidget& m_widget;
    Rules m_rules;
    bool m_pressed = false;
    QPoint m_pressedAt;
};

} // namespace tarnis
