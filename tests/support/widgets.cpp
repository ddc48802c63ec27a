// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/widgets.h"

#include <qcustomplot.h>

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

QString touchingTickLabels(QCustomPlot& plot)
{
    for (QCPAxisRect* rect : plot.axisRects()) {
        for (QCPAxis* axis : rect->axes()) {
            if (!axis->visible() || !axis->tickLabels())
                continue;
            const QFontMetrics metrics(axis->tickLabelFont());
            const QVector<double> ticks = axis->tickVector();
            const QVector<QString> labels = axis->tickVectorLabels();
            std::optional<QRectF> previous;
            for (qsizetype i = 0; i < ticks.size() && i < labels.size(); ++i) {
                if (!axis->range().contains(ticks[i]))
                    continue;
                const QSizeF size = metrics.boundingRect(labels[i]).size();
                const double at = axis->coordToPixel(ticks[i]);
                const QRectF box = axis->orientation() == Qt::Vertical
                    ? QRectF(0, at - size.height() / 2, size.width(), size.height())
                    : QRectF(at - size.width() / 2, 0, size.width(), size.height());
                if (previous && box.intersects(*previous))
                    return plot.objectName() + QStringLiteral(": ") + labels[i - 1] + QStringLiteral(" and ") + labels[i];
                previous = box;
            }
        }
    }
    return {};
}


} // namespace tarnis::test
