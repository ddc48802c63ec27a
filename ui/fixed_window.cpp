// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fixed_window.h"

#include "ui/text_fitting.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

namespace tarnis {

namespace {

Qt::WindowFlags flagsFor(FrameStyle frame)
{
    if (frame == FrameStyle::None)
        return Qt::Window | Qt::FramelessWindowHint;
    // A caption with a close box and nothing else: the designs have a fixed size.
    const Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    return (frame == FrameStyle::Dialog ? Qt::Dialog : Qt::Window) | caption;
}

} // namespace

FixedWindow::FixedWindow(const WindowDesign& design)
    : QWidget(nullptr, flagsFor(design.frame))
    , m_frameKnown(design.frame == FrameStyle::None)
{
    setObjectName(QString::fromLatin1(design.name));
    setWindowTitle(design.caption);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    setFixedSize(twipsSize(design.clientTwips.width(), design.clientTwips.height()));
    setAttribute(Qt::WA_DeleteOnClose, design.closeDestroys);
}

bool FixedWindow::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && !m_shownOnce) {
        m_shownOnce = true;
        keepTextsInTheirBoxes(*this); // every caption is built by now
        centre();
    } else if (!m_frameKnown && m_shownOnce
               && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate)
               && frameGeometry().size() != size()) {
        // The window manager framed the window after it was placed, so the caption bar pushed it down
        // by its height. Centre it again, frame included, this once.
        m_frameKnown = true;
        centre();
    }
    return QWidget::event(event);
}

void FixedWindow::centre()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace tarnis
