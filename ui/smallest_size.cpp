// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/smallest_size.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace tarnis {

namespace {

// Before the layout acts on a request, the window's smallest size takes in what its items now need.
class SmallestSize : public QObject {
public:
    SmallestSize(QWidget& window, QSize designed)
        : QObject(&window)
        , m_window(window)
        , m_designed(designed)
    {
        apply();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            apply();
        return false;
    }

    void apply()
    {
        const QLayout* layout = m_window.layout();
        m_window.setMinimumSize(layout ? m_designed.expandedTo(layout->totalMinimumSize()) : m_designed);
    }

private:
    QWidget& m_window;
    QSize m_designed;
};

} // namespace

void keepSmallestSize(QWidget& window, QSize designed)
{
    window.installEventFilter(new SmallestSize(window, designed));
}

} // namespace tarnis
