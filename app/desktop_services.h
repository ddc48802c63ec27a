// The answers of a real desktop session to what the windows ask: the file dialog, message boxes, the
// system clock, the end of the event loop and the default printer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

#include <memory>

namespace tarnis {

class DesktopServices {
public:
    DesktopServices();
    ~DesktopServices();
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    Services services();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace tarnis
