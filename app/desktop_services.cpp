// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_services.h"

#include "output/default_printer.h"
#include "ui/identity.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarnis {

namespace {

class DialogFileNames final : public FileNameProvider {
public:
    QString saveFileName(QWidget* parent, const QString& suggestedName, const QString& filter) override
    {
        // The platform's save dialog asks before it replaces an existing file.
        return QFileDialog::getSaveFileName(parent, QString(), suggestedName, filter);
    }

    QString openFileName(QWidget* parent, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    }
};

class MessageBoxes final : public Messenger {
public:
    void inform(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, identity::programTitle(), text);
    }

    bool ask(QWidget* parent, const QString& text, const QString& yesText) override
    {
        QMessageBox box(QMessageBox::Question, identity::programTitle(), text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(yesText, QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class EventLoopEnd final : public ProcessEnder {
public:
    void endProcess() override
    {
        // Nothing of any window runs after this: hide them all now, and leave the event loop.
        for (QWidget* window : QApplication::topLevelWidgets())
            window->hide();
        QCoreApplication::exit(0);
    }
};

} // namespace

struct DesktopServices::Parts {
    DialogFileNames fileNames;
    MessageBoxes messages;
    SystemClock clock;
    EventLoopEnd processEnd;
    DefaultPrinter printer;
};

DesktopServices::DesktopServices()
    : m_parts(std::make_unique<Parts>())
{
}

DesktopServices::~DesktopServices() = default;

Services DesktopServices::services()
{
    return {m_parts->fileNames, m_parts->messages, m_parts->clock, m_parts->processEnd, m_parts->printer};
}

} // namespace tarnis
