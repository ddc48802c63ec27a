// Answers to what the windows ask of the world, for tests: file names from a list, messages that are
// recorded and answered, a clock that stands still, an end of the process that is only noted, and a
// printer that is a PDF file.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/services.h"

#include <QPageSize>
#include <QStringList>

namespace tarnis::test {

class QueuedFileNames final : public FileNameProvider {
public:
    QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& filter) override;

    QStringList answers;     // taken from the front, for saving and opening; empty: "no file chosen"
    QStringList suggestions; // what each call to save offered
    QStringList filters;     // what each call offered to choose from
    int calls = 0;
};

class RecordingMessenger final : public Messenger {
public:
    void inform(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text, const QString& yesText) override;

    QStringList messages; // every text shown, questions included
    bool answer = false;  // what ask() answers
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 8), QTime(9, 30, 15)};
};

class RecordingProcessEnder final : public ProcessEnder {
public:
    void endProcess() override { ++ends; }
    int ends = 0;
};

// Prints each document into a PDF file on A4 with 10 mm margins, or on the paper set. Without a file name it answers as
// a computer without a printer; with a failure set it draws the page and then fails with that reason.
class PdfFilePrinter final : public PrintTarget {
public:
    Result printPage(const QString& jobTitle, const PagePainter& paintPage) override;

    QString fileName;               // where the page goes; empty: no printer
    QPageSize paper{QPageSize::A4}; // or Letter, as a printer in America has it
    QString failure;                // the reason the print fails, if it does
    QStringList titles;             // the title of every page asked for
};

// All five, as a window takes them.
struct FakeServices {
    QueuedFileNames fileNames;
    RecordingMessenger messages;
    FixedClock clock;
    RecordingProcessEnder processEnd;
    PdfFilePrinter printer;

    Services services() { return {fileNames, messages, clock, processEnd, printer}; }
};

} // namespace tarnis::test
