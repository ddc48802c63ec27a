// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_services.h"

namespace tarnis::test {

QString QueuedFileNames::saveFileName(QWidget*, const QString& suggestedName, const QString&)
{
    ++calls;
    suggestions << suggestedName;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

void RecordingMessenger::inform(QWidget*, const QString& text) { messages << text; }

bool RecordingMessenger::ask(QWidget*, const QString& text, const QString&)
{
    messages << text;
    return answer;
}

} // namespace tarnis::test
