// Runs the start-up of Tarnis as the program does and stops at a chosen point, so that scripts/bench
// can time the process and read its peak memory:
//   startup_probe title   exits once the title screen has been painted, printing the wall-clock
//                         time of that paint in nanoseconds
//   startup_probe visit   leaves the title screen, runs the defaults and shows every window once
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tarnis_app.h"
#include "tests/support/fake_services.h"
#include "ui/localized.h"
#include "ui/navigator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace tarnis;

namespace {

// Notes the moment the watched window has finished its first paint, then ends the event loop.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

void visitEveryWindow(TarnisApp& tarnis)
{
    Navigator& navigator = tarnis.navigator();
    navigator.move(WindowId::Title, WindowId::Main);
    navigator.existing(WindowId::Main)->findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
    for (const WindowId id : {WindowId::LargeGraph, WindowId::Introduction, WindowId::References,
                              WindowId::FurtherRemarks, WindowId::Quiz, WindowId::Notice, WindowId::Dedication}) {
        navigator.move(WindowId::Main, id);
        QCoreApplication::processEvents();
        navigator.move(id, WindowId::Main);
    }
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    const bool visit = argc > 1 && std::string_view(argv[1]) == "visit";
    QApplication application(argc, argv);
    prepareApplication();
    speakSystemLanguage(application); // as the program does: the benchmark may run in any language
    auto state = std::make_unique<SharedState>();
    test::FakeServices services;
    TarnisApp tarnis(*state, services.services());
    FirstPaint firstPaint;
    tarnis.start();
    if (visit) {
        visitEveryWindow(tarnis);
        return 0;
    }
    tarnis.navigator().existing(WindowId::Title)->installEventFilter(&firstPaint);
    return QApplication::exec();
}
