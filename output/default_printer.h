// The user's default printer, as the desktop program prints on it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

namespace tarnis {

// The page is drawn with Qt Print Support on the default printer's own page size and margins, and
// handed to the system's print service as a PDF job, as Qt's own printing does. The job is
// submitted here rather than by Qt because Qt drops the service's answer: a queue that refuses
// the job would pass for a page printed.
class DefaultPrinter final : public PrintTarget {
public:
    Result printPage(const QString& jobTitle, const PagePainter& paintPage) override;
};

} // namespace tarnis
