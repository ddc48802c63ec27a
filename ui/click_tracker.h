// A click as users mean it on a widget that is no button: a press and its release in place. The
// labels that react to a click, the charts and the screens that leave on a click all watch their
// widget through one of these.
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
    };

    // Watches the widget, which owns the tracker.
    ClickTracker(QWidget& widget, Rules rules);
    explicit ClickTracker(QWidget& widget);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool counts(const QMouseEvent& event) const;

    QWidget& m_widget;
    Rules m_rules;
    bool m_pressed = false;
};

} // namespace tarnis
