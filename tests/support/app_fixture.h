// A whole Tarnis with fake services and a fresh state, started as the program starts and brought to
// the main window, for tests that drive its windows.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tarnis_app.h"
#include "model/run/store.h"
#include "tests/support/fake_services.h"

#include <memory>

namespace tarnis::test {

class AppFixture {
public:
    // The fakes answer everything; a printer given here takes the place of the fake one.
    explicit AppFixture(PrintTarget* printer = nullptr);
    ~AppFixture();

    // Starts Tarnis (as if given the set-up file on its command line, when one is named) and leaves the
    // title screen, if there is one, so that the main window is shown.
    void startAtMainWindow(const QString& setupFile = {});
    // Presses Run on the main window with whatever its boxes hold.
    void run();
    // Presses "LG" and waits for the large graph window; nullptr (and a failure) when it does not come.
    QWidget* openLargeGraph();

    SharedState& state() { return *m_state; }
    FakeServices& fakes() { return m_fakes; }
    TarnisApp& app() { return *m_app; }
    QWidget* mainWindow();

private:
    std::unique_ptr<SharedState> m_state = std::make_unique<SharedState>();
    FakeServices m_fakes;
    std::unique_ptr<TarnisApp> m_app;
};

// A fresh Tarnis at its main window, as most window tests begin.
enum class AfterStart { Nothing, RunDefaults };
std::unique_ptr<AppFixture> startTarnis(AfterStart after = AfterStart::Nothing);

} // namespace tarnis::test
