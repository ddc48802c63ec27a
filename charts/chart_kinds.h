// The eleven kinds of chart that Tarnis draws from the result store.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tarnis {

enum class ChartKind {
    NtvsT,
    dNvsT,
    LogNvsT,
    NtKvsT,
    NdNvsT,
    dNvsN,
    dNvsNinLine,
    dNperNvsN,
    dNperNvsNinLine,
    NtvsNtnext,
    NtvsNtnextinLine,
};

} // namespace tarnis
