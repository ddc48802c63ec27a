// What the windows ask of the world outside them: a file name, a message, the time, a printer, the end
// of the process. The program answers with dialogs, the system clock and the default printer
// (app/desktop_services.h); tests answer without blocking.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace tarnis {

class FileNameProvider {
public:
    virtual ~FileNameProvider() = default;
    // The name of a file to write, or an empty string when the user chose none.
    virtual QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter) = 0;
    // The name of an existing file to read, or an empty string when the user chose none.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
};

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // A question with a yes and a no answer; true for yes.
    virtual bool ask(QWidget* parent, const QString& text, const QString& yesText) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class ProcessEnder {
public:
    virtual ~ProcessEnder() = default;
    // Ends the program at once, every window with it.
    virtual void endProcess() = 0;
};

class PrintTarget {
public:
    enum class Outcome { Printed, NoPrinter, Failed };
    struct Result {
        Outcome outcome = Outcome::Printed;
        QString reason; // with Failed: the printer and what went wrong
    };
    // Paints the document on a device whose size is the printable area, calling its newPage() before
    // each page after the first; false when it could not.
    using PagePainter = std::function<bool(QPagedPaintDevice&)>;

    virtual ~PrintTarget() = default;
    // Prints the document (a window's one page, an activity's sheets) on the user's default printer, as
    // one job and with no dialog.
    virtual Result printPage(const QString& jobTitle, const PagePainter& paintPage) = 0;
};

struct Services {
    FileNameProvider& fileNames;
    Messenger& messages;
    Clock& clock;
    ProcessEnder& processEnd;
    PrintTarget& printer;
};

} // namespace tarnis
