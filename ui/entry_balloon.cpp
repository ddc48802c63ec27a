// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entry_balloon.h"

#include "ui/accessibility.h"

#include <QAccessibleEvent>
#include <QLineEdit>
#include <QScreen>

namespace tarnis {

namespace {

constexpr int ShownMilliseconds = 12'000; // long enough to read twice
constexpr int WidestPixels = 360;

} // namespace

EntryBalloon::EntryBalloon(QWidget* window)
    : QLabel(window, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("entryNote"));
    setAccessibleRole(*this, QAccessible::AlertMessage);
    setWordWrap(true);
    setMaximumWidth(WidestPixels);
    setMargin(6);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(ShownMilliseconds);
    connect(&m_timeout, &QTimer::timeout, this, &EntryBalloon::dismiss);
    window->installEventFilter(this);
}

bool EntryBalloon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && (event->type() == QEvent::Hide || event->type() == QEvent::Move))
        dismiss();
    return QLabel::eventFilter(watched, event);
}

void EntryBalloon::showFor(QLineEdit* box, const QString& note)
{
    dismiss();
    if (note.isEmpty())
        return;
    m_box = box;
    setText(note);
    setAccessibleName(note);
    box->setAccessibleDescription(note);
    connect(box, &QLineEdit::textEdited, this, &EntryBalloon::dismiss, Qt::SingleShotConnection);
    adjustSize();
    // Under the box, moved back onto its screen where the box stands at an edge.
    QPoint place = box->mapToGlobal(QPoint(0, box->height() + 2));
    if (const QScreen* screen = box->screen()) {
        const QRect room = screen->availableGeometry();
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - width())));
        place.setY(std::min(place.y(), std::max(room.top(), room.bottom() - height())));
    }
    move(place);
    show();
    raise();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    m_timeout.start();
}

void EntryBalloon::dismiss()
{
    m_timeout.stop();
    if (m_box)
        m_box->setAccessibleDescription({});
    m_box = nullptr;
    hide();
}

} // namespace tarnis
