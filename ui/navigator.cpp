// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/navigator.h"

namespace tarnis {

Navigator::Navigator(QObject* parent)
    : QObject(parent)
{
}

Navigator::~Navigator()
{
    // Windows are top-level widgets without a parent; the navigator owns them.
    for (auto& [id, entry] : m_windows)
        delete entry.widget.data();
}

void Navigator::registerWindow(WindowId id, Factory factory) { m_windows[id].factory = std::move(factory); }

QWidget* Navigator::window(WindowId id)
{
    const auto found = m_windows.find(id);
    if (found == m_windows.end())
        return nullptr;
    Entry& entry = found->second;
    if (!entry.widget && entry.factory)
        entry.widget = entry.factory();
    return entry.widget;
}

QWidget* Navigator::existing(WindowId id) const
{
    const auto found = m_windows.find(id);
    return found == m_windows.end() ? nullptr : found->second.widget.data();
}

void Navigator::show(WindowId id)
{
    if (QWidget* widget = window(id)) {
        widget->show();
        widget->raise();
        widget->activateWindow();
    }
}

void Navigator::hide(WindowId id)
{
    if (QWidget* widget = existing(id))
        widget->hide();
}

void Navigator::move(WindowId from, WindowId to, MoveOrder order)
{
    if (!window(to))
        return;
    if (order == MoveOrder::ShowFirst) {
        show(to);
        hide(from);
    } else {
        hide(from);
        show(to);
    }
}

} // namespace tarnis
