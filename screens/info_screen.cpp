// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/info_screen.h"

#include "app/design.h"
#include "app/twips.h"

#include <QCloseEvent>
#include <QLabel>

namespace tarnis {

namespace {

Qt::WindowFlags flagsFor(FrameStyle frame)
{
    // A caption with a close box and nothing else: the screens have a fixed size.
    const Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    return (frame == FrameStyle::Dialog ? Qt::Dialog : Qt::Window) | caption;
}

} // namespace

InfoScreen::InfoScreen(const char* name, const QString& caption, QSizeF clientTwips, const QColor& background,
                       FrameStyle frame)
    : QWidget(nullptr, flagsFor(frame))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    setFixedSize(twipsSize(clientTwips.width(), clientTwips.height()));
    // Only the window's own colour: buttons and text boxes keep the look of the desktop.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose);
}

void InfoScreen::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_closedStep)
        m_closedStep();
}

std::function<void()> moveStep(Navigator& navigator, WindowId from, WindowId to, MoveOrder order)
{
    return [&navigator, from, to, order] { navigator.move(from, to, order); };
}


} // namespace tarnis
