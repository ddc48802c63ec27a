// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility.h"

#include "ui/click_tracker.h"
#include "ui/fixed_window.h"

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QLabel>

namespace tarnis {

namespace {

constexpr char RoleProperty[] = "tarnisAccessibleRole";

// A label that does something when clicked: its text, and the press action a click would be.
class PressableLabel : public QAccessibleWidget {
public:
    explicit PressableLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
        addControllingSignal(QStringLiteral("linkActivated(QString)"));
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return;
        if (auto* tracker = widget()->findChild<ClickTracker*>(QString(), Qt::FindDirectChildrenOnly))
            tracker->click();
    }
};

QAccessibleInterface* tarnisInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (const QVariant role = widget->property(RoleProperty); role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    if (auto* window = qobject_cast<FixedWindow*>(widget)) {
        const bool dialog = window->windowType() == Qt::Dialog;
        return new QAccessibleWidget(window, dialog ? QAccessible::Dialog : QAccessible::Window);
    }
    if (auto* label = qobject_cast<QLabel*>(widget);
        label && label->findChild<ClickTracker*>(QString(), Qt::FindDirectChildrenOnly))
        return new PressableLabel(label);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(tarnisInterface);
}

void setAccessibleRole(QWidget& widget, QAccessible::Role role) { widget.setProperty(RoleProperty, int(role)); }

void forgetAccessibleInterface(QWidget& widget)
{
    if (!QAccessible::isActive())
        return; // nothing has asked, and nothing was kept
    if (QAccessibleInterface* told = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(told));
}

} // namespace tarnis
