// Answers to what the windows ask of the world, for tests: file names from a list, messages that are
// recorded and answered, a clock that stands still, and an end of the process that is only noted.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services.h"

#include <QStringList>

namespace tarnis::test {

class QueuedFileNames final : public FileNameProvider
{
public:
    QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter) override;

    QStringList answers;  // taken from the front; an empty list answers "no file chosen"
    QStringList suggestions; // what each call offered
    int calls = 0;
};

class RecordingMessenger final : public Messenger
{
public:
    void inform(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text, const QString& yesText) override;

    QStringList messages; // every text shown, questions included
    bool answer = false;  // what ask() answers
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 8), QTime(9, 30, 15)};
};

class RecordingProcessEnder final : public ProcessEnder
{
public:
    void endProcess() override { ++ends; }
    int ends = 0;
};

// All four, as a window takes them.
struct FakeServices {
    QueuedFileNames fileNames;
    RecordingMessenger messages;
    FixedClock clock;
    RecordingProcessEnder processEnd;

    Services services() { return {fileNames, messages, clock, processEnd}; }
};

} // namespace tarnis::test
