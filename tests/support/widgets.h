// Finding and driving the widgets of a window by their object names, failing with a clear message
// when one is missing, hidden or disabled.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

class QCustomPlot;

namespace tarnis::test {

// The top-level window with this object name, or nullptr.
QWidget* topLevel(const QString& objectName);

// The child of `window` with this name and type; the test fails when there is none.
template <typename T> T* child(QWidget* window, const char* objectName)
{
    if (!window) {
        QTest::qFail(qPrintable(QStringLiteral("no window to look for %1 in").arg(QLatin1String(objectName))), __FILE__,
                     __LINE__);
        return nullptr;
    }
    T* widget = window->findChild<T*>(QLatin1String(objectName));
    if (!widget)
        QTest::qFail(qPrintable(QStringLiteral("%1 has no %2 named %3")
                                    .arg(window->objectName(), QLatin1String(T::staticMetaObject.className()),
                                         QLatin1String(objectName))),
                     __FILE__, __LINE__);
    return widget;
}

// Clicks a button as a user would; false (and a test failure message) when it is disabled or hidden.
[[nodiscard]] bool clickButton(QWidget* window, const char* objectName);

// Replaces the text of a box by typing, as a user would (each key raises the box's change).
void typeInto(QLineEdit* edit, const QString& text);

// Replaces the text of a box as a user would give it: typed on the keyboard when it is short printable
// ASCII, else pasted (a tab or a line feed typed would move the focus or confirm the box; other
// scripts come from an input method or a paste; nobody types thousands of characters).
void typeOrPaste(QLineEdit* edit, const QString& text);

// A click as the window system delivers it, through the widget's window: only that way does a right
// click also ask for the context menu, as it does on a desktop.
void clickAsUser(QWidget* widget, Qt::MouseButton button, QPoint at = QPoint(40, 40));

// Enter in a box.
void pressEnter(QWidget* widget);

// Lets pending events and deferred deletions run.
void settle();

// Where two neighbouring tick labels of a plot touch (each label's rectangle, in its axis' font,
// centred on its tick), named as "plot: 0 and 100"; empty where none do.
QString touchingTickLabels(QCustomPlot& plot);

} // namespace tarnis::test
