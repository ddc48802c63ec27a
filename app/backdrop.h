// The backdrop tarnis4: a borderless night-blue window that covers the desktop behind the windows of
// Tarnis for the life of the process. It takes no input, so a click on it never raises it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tarnis {

class Backdrop : public QWidget {
    Q_OBJECT
public:
    Backdrop();

    // Shows the backdrop over the whole screen. It asks to be maximised, and also takes the
    // screen's size itself, since without a window manager nobody would maximise it.
    void coverScreen();
};

} // namespace tarnis
