// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/widgets.h"

#include <QApplication>
#include <QClipboard>

#include <algorithm>

namespace tarnis::test {

QWidget* topLevel(const QString& objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == objectName)
            return widget;
    }
    return nullptr;
}

bool clickButton(QWidget* window, const char* objectName)
{
    auto* button = child<QAbstractButton>(window, objectName);
    if (!button)
        return false;
    if (!button->isEnabled() || !button->isVisibleTo(window)) {
        qWarning("%s is %s", objectName, button->isEnabled() ? "hidden" : "disabled");
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    if (!text.isEmpty())
        QTest::keyClicks(edit, text);
}

void typeOrPaste(QLineEdit* edit, const QString& text)
{
    const bool typeable = text.size() < 100
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    if (typeable) {
        typeInto(edit, text);
        return;
    }
    QApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void pressEnter(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Return); }

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void clickAsUser(QWidget* widget, Qt::MouseButton button, QPoint at)
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), button, {}, widget->mapTo(top, at));
}

} // namespace tarnis::test
