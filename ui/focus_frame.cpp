// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focus_frame.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace tarnis {

namespace {

class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget& watched)
        : QWidget(&watched)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(watched.rect());
        setVisible(watched.hasFocus());
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Resize:
            setGeometry(widget->rect());
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            setVisible(widget->hasFocus());
            raise(); // above any layer the widget added since
            break;
        default:
            break;
        }
        return false;
    }

    // The style's highlight, with a white line inside it that keeps it apart from dark pictures.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRectF outer = QRectF(rect()).adjusted(1.0, 1.0, -1.0, -1.0);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), FocusFrameWidth - 1));
        painter.drawRect(outer);
        painter.setPen(QPen(Qt::white, 1.0));
        painter.drawRect(
            outer.adjusted(FocusFrameWidth - 1.5, FocusFrameWidth - 1.5, 1.5 - FocusFrameWidth, 1.5 - FocusFrameWidth));
    }
};

} // namespace

void addFocusFrame(QWidget& widget) { new FocusFrame(widget); }

} // namespace tarnis
