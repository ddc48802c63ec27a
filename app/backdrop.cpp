// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backdrop.h"

#include "ui/design.h"

#include <QGuiApplication>
#include <QScreen>

namespace tarnis {

Backdrop::Backdrop()
    : QWidget(nullptr,
              Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("tarnis4"));
    setWindowTitle(QStringLiteral("Tarnis"));
    setBackground(this, colours::nightBlue);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setEnabled(false);
}

void Backdrop::coverScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    showMaximized();
}

} // namespace tarnis
