// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_services.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace tarnis::test {

QString QueuedFileNames::saveFileName(QWidget*, const QString& suggestedName, const QString& filter)
{
    ++calls;
    suggestions << suggestedName;
    filters << filter;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

QString QueuedFileNames::openFileName(QWidget*, const QString& filter)
{
    ++calls;
    filters << filter;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

void RecordingMessenger::inform(QWidget*, const QString& text) { messages << text; }

bool RecordingMessenger::ask(QWidget*, const QString& text, const QString&)
{
    messages << text;
    return answer;
}

PrintTarget::Result PdfFilePrinter::printPage(const QString& jobTitle, const PagePainter& paintPage)
{
    titles << jobTitle;
    if (fileName.isEmpty())
        return {Outcome::NoPrinter, {}};
    QPdfWriter page(fileName);
    page.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    page.setTitle(jobTitle);
    if (!paintPage(page))
        return {Outcome::Failed, QStringLiteral("The page could not be drawn.")};
    if (!failure.isEmpty())
        return {Outcome::Failed, failure};
    return {Outcome::Printed, {}};
}

} // namespace tarnis::test
