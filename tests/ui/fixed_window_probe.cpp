// Shows one fixed-design window on the display it is given and says where the window manager framed
// it: "frame X Y W H screen X Y W H", once the window stands framed in the middle of the screen and has
// stayed there a while, or after 60 s when it never gets there. A busy machine may take long to move
// it; the probe waits for the place, not for a time.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fixed_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    tarnis::FixedWindow window({"probe", QStringLiteral("Probe"), {9000, 6000}});
    window.show();
    QElapsedTimer waited, unchanged;
    waited.start();
    unchanged.start();
    QRect last;
    const auto centred = [&window](const QRect& frame) {
        return (frame.center() - window.screen()->availableGeometry().center()).manhattanLength() <= 2;
    };
    // Settled: framed, in the middle, and still there half a second later (a late move shows).
    while (waited.elapsed() < 60000 && !(last.size() != window.size() && centred(last) && unchanged.elapsed() > 500)) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (window.frameGeometry() != last) {
            last = window.frameGeometry();
            unchanged.restart();
        }
    }
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->availableGeometry();
    std::printf("frame %d %d %d %d screen %d %d %d %d\n", frame.x(), frame.y(), frame.width(), frame.height(),
                screen.x(), screen.y(), screen.width(), screen.height());
    std::fflush(stdout); // before a leak checker's report at exit could end the process
    return frame.size() != window.size() ? 0 : 1;
}
