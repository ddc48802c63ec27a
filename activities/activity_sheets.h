// The printed sheets of the activities: the worksheet of one activity, for a class to write on, and
// the teacher's key of them all. The words and numbers are the model's; the pages are drawn in vectors
// at the printer's own resolution on whatever paper it has (A4, Letter), the charts by their own
// drawing, and a step is never split across two pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/lessons/activities.h"

#include <QString>

class QPagedPaintDevice;

namespace tarnis {

// Where a worksheet sends its reader to open the activity in the page: the page's address with the
// first step's fragment, printed with a QR code of it; where this copy knows no address of the page,
// the fragment alone under the model's note of where it goes, and no code.
struct SheetAddress {
    QString line;    // the words before the address
    QString address; // what is printed, and what the code holds
    bool withCode = false;
};
SheetAddress sheetAddress(const Activity& activity, const QString& homePage);

// The activity's title and aim, its address, and for each step its heading, set-up, what to look at,
// the chart "N vs. t" of its runs, the question and ruled lines to answer on. False when the device
// cannot be painted on.
bool paintWorksheet(QPagedPaintDevice& device, const Activity& activity, char separator, const QString& homePage);

// The key's title, then for each activity its title and for each step the question and the model's
// answer.
bool paintTeachersKey(QPagedPaintDevice& device, char separator);

} // namespace tarnis
