// The process-wide state of Tarnis: the result store of the last run and the small counters that
// the windows share. One instance lives for the whole process and is never cleared, so every reader
// stops at LastStep.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarnis {

// Indices 0 to 10000: a run of at most 9999 steps also writes N at LastStep + 1.
inline constexpr int StoreSize = 10001;
inline constexpr int MaxStoreIndex = StoreSize - 1;

struct ResultStore {
    std::array<double, StoreSize> PopN{};      // population size N(t)
    std::array<double, StoreSize> PopDN{};     // change dN(t), the step from N(t) to N(t+1)
    std::array<double, StoreSize> PopDNperN{}; // per-capita change dN(t)/N(t)
    double ParamR = 0.0;                       // r of the last run
    double ParamK = 0.0;                       // K of the last run
    std::int16_t LastStep = 0;                 // last time step of the last run
};

// Which title variant the title screen shows; both start at 0.
struct TitleAnimation {
    std::int16_t ShownTitle = 0; // element made visible by the last tick
    std::int16_t NextTitle = 0;  // element drawn by the latest tick
};

// Everything the windows share for the life of the process.
struct SharedState {
    ResultStore store;
    std::int16_t ChartCycleMain = 0;  // position of the main window's chart in the click cycle
    std::int16_t ChartCycleLarge = 0; // position of the large graph window's chart in the click cycle
    TitleAnimation title;
    std::string lastExportFileName; // the file that "S" wrote last, offered again in the dialog
};

} // namespace tarnis
