// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backdrop.h"

#include "app/design.h"

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

} // namespace tarnis
