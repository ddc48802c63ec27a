// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/window_printing.h"

#include "output/document_printing.h"
#include "ui/page_painted.h"

#include <QApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

namespace tarnis {

namespace {

QString pageTitle(const QWidget& window)
{
    const QString title = window.windowTitle();
    return title.isEmpty() ? QApplication::applicationName() : title;
}

// The client area with every visible control as it stands, at three times the screen's pixels so
// that the texts stay sharp on paper.
QImage windowPicture(QWidget& window)
{
    constexpr int scale = 3;
    QImage picture(window.size() * scale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::white);
    window.render(&picture);
    return picture;
}

// The visible parts of the window that draw themselves onto a page, with their places in the window.
QList<std::pair<PagePainted*, QRect>> pagePaintedParts(QWidget& window)
{
    QList<std::pair<PagePainted*, QRect>> parts;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (auto* part = dynamic_cast<PagePainted*>(child); part && child->isVisibleTo(&window))
            parts.append({part, QRect(child->mapTo(&window, QPoint(0, 0)), child->size())});
    }
    return parts;
}

} // namespace

QRect pagePlace(const QSize& picture, const QSize& printableArea)
{
    if (picture.isEmpty() || printableArea.isEmpty())
        return {};
    const QSize size = picture.scaled(printableArea, Qt::KeepAspectRatio);
    return {QPoint((printableArea.width() - size.width()) / 2, 0), size};
}

WindowPage windowPage(QWidget& window) { return {windowPicture(window), &window}; }

bool paintWindowPage(QPagedPaintDevice& page, const WindowPage& windowPage)
{
    QPainter painter;
    if (!painter.begin(&page))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage& picture = windowPage.picture;
    const QRect place = pagePlace(picture.size(), QSize(page.width(), page.height()));
    painter.drawImage(place, picture);
    if (windowPage.window && !place.isEmpty()) {
        // The window's own coordinates, carried onto its place on the page.
        const QSize windowSize = windowPage.window->size();
        painter.translate(place.topLeft());
        painter.scale(double(place.width()) / windowSize.width(), double(place.height()) / windowSize.height());
        for (const auto& [part, rect] : pagePaintedParts(*windowPage.window)) {
            painter.save();
            painter.setClipRect(rect);
            painter.fillRect(rect, Qt::white);
            painter.translate(rect.topLeft());
            part->paintOnPage(painter);
            painter.restore();
        }
    }
    return painter.end();
}

QByteArray pdfPage(const WindowPage& windowPage, const QString& title)
{
    return pdfDocument([&windowPage](QPagedPaintDevice& device) { return paintWindowPage(device, windowPage); }, title);
}

void printWindow(QWidget& window, Services services)
{
    const WindowPage page = windowPage(window);
    printDocument(
        window, pageTitle(window), [&page](QPagedPaintDevice& device) { return paintWindowPage(device, page); },
        services);
}

} // namespace tarnis
