// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/info_screen.h"

#include <QCloseEvent>

namespace tarnis {

InfoScreen::InfoScreen(const char* name, const QString& caption, QSizeF clientTwips, const QColor& background,
                       FrameStyle frame)
    : FixedWindow({name, caption, clientTwips, frame})
{
    // Only the window's own colour: buttons and text boxes keep the look of the desktop.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
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
