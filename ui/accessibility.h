// What assistive technology is told about the widgets of Tarnis where Qt cannot tell it from their
// class: the windows are windows (not panes), the labels that act on a click can be pressed, and a
// widget can name its own role (the charts are charts).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

namespace tarnis {

// Once, before the first window is built.
void installAccessibility();

// The role the widget reports instead of the one its class would; call it before the widget gets a
// name or a text, which is when assistive technology first asks about it.
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

// Drops what assistive technology was told about the widget so far, so that it asks again; for a
// widget that has become something more since (a label that can be pressed).
void forgetAccessibleInterface(QWidget& widget);

} // namespace tarnis
