// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/pointing_plot.h"

#include "charts/chart_viewport.h"
#include "ui/click_tracker.h"
#include "ui/focus_frame.h"

#include <QApplication>

namespace tarnis {

namespace {

// The smallest mark across and up, in pixels: a cell of the map may be one pixel high.
constexpr double SmallestCellMark = 10.0;
constexpr double SmallestColumnMark = 5.0;

// The interval [low, high] of pixels, widened about its middle to at least `least`.
std::pair<double, double> atLeast(double a, double b, double least)
{
    const double low = std::min(a, b), high = std::max(a, b);
    const double grow = std::max(0.0, least - (high - low)) / 2.0;
    return {low - grow, high + grow};
}

} // namespace

PlaceMark::PlaceMark(QCustomPlot& plot, QList<QCPAxisRect*> rects, bool column)
    : QCPAbstractItem(&plot)
    , m_rects(std::move(rects))
    , m_column(column)
{
    setClipToAxisRect(false); // clipRect below: the rects it spans
    setVisible(false);
}

void PlaceMark::place(const QCPRange& across, const QCPRange& up)
{
    m_across = across;
    m_up = up;
}

QRectF PlaceMark::pixelsIn(const QCPAxisRect* rect) const
{
    const QCPAxis* x = m_rects.front()->axis(QCPAxis::atBottom);
    const auto [left, right] = atLeast(x->coordToPixel(m_across.lower), x->coordToPixel(m_across.upper),
                                       m_column ? SmallestColumnMark : SmallestCellMark);
    if (m_column)
        return QRectF(QPointF(left, rect->top()), QPointF(right, rect->bottom()));
    const QCPAxis* y = m_rects.front()->axis(QCPAxis::atLeft);
    const auto [top, bottom] = atLeast(y->coordToPixel(m_up.upper), y->coordToPixel(m_up.lower), SmallestCellMark);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// A cell: a black outline with a white one outside it, which shows on every colour of the map. A
// column: a pale band with dark edges, through which the points stay readable.
void PlaceMark::draw(QCPPainter* painter)
{
    painter->setAntialiasing(false);
    if (!m_column) {
        const QRectF cell = pixelsIn(m_rects.front());
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Qt::white, 4.0));
        painter->drawRect(cell.adjusted(-1.5, -1.5, 1.5, 1.5));
        painter->setPen(QPen(Qt::black, 2.0));
        painter->drawRect(cell);
        return;
    }
    for (const QCPAxisRect* rect : m_rects) {
        const QRectF band = pixelsIn(rect);
        painter->setPen(QPen(QColor(60, 60, 60), 1.0));
        painter->setBrush(QColor(255, 210, 0, 90));
        painter->drawRect(band);
    }
}

QRect PlaceMark::clipRect() const
{
    QRect all;
    for (const QCPAxisRect* rect : m_rects)
        all = all.united(rect->rect());
    return all;
}

PointingPlot::PointingPlot(QWidget* parent)
    : QCustomPlot(parent)
    , m_viewport(std::make_unique<ChartViewport>(
          ViewportHost{*this, [this](const QCPAxis* axis) { return axis == xAxis ? m_fittedX : m_fittedY; },
                       [this](const QCPRange& x, const QCPRange& y) { userView(x, y); }}))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    addFocusFrame(*this);
    connect(new ClickTracker(*this, {.passOn = true, .stayWithin = QApplication::startDragDistance()}),
            &ClickTracker::clicked, this, [this] {
                point(placeAt(m_pressedAt));
                choosePointed();
            });
}

PointingPlot::~PointingPlot() = default;

void PointingPlot::point(std::optional<std::size_t> place)
{
    m_pointedByKeys = false;
    if (place == m_pointed)
        return;
    m_pointed = place;
    markPlace(place);
    layer(QStringLiteral("pointer"))->replot();
    emit pointed(place ? placeWords(*place) : QString());
}

std::optional<RunParameters> PointingPlot::pointedRun() const
{
    return m_pointed ? std::optional(placeRun(*m_pointed)) : std::nullopt;
}

QString PointingPlot::pointedWords() const { return m_pointed ? placeWords(*m_pointed) : QString(); }

void PointingPlot::pointByKeys(std::size_t place)
{
    point(place);
    m_pointedByKeys = true;
}

void PointingPlot::choosePointed()
{
    if (m_pointed)
        choose(*m_pointed);
}

void PointingPlot::retellPointed()
{
    if (m_pointed)
        emit pointed(placeWords(*m_pointed));
}

void PointingPlot::fitToData() { fitView(true); }

void PointingPlot::fitView(bool always)
{
    if (m_userView && !always)
        return;
    const auto [x, y] = fittedView();
    m_fittedX = x;
    m_fittedY = y;
    m_userView = false;
    showView(x, y);
}

void PointingPlot::showView(const QCPRange& x, const QCPRange& y)
{
    xAxis->setRange(x);
    yAxis->setRange(y);
    replot(rpQueuedReplot);
}

// The view moved under the pointer: what it points at is what now lies under it.
void PointingPlot::userView(const QCPRange& x, const QCPRange& y)
{
    m_userView = true;
    showView(x, y);
    if (m_pointer && !m_pointedByKeys)
        point(placeAt(*m_pointer));
    else if (m_pointed)
        markPlace(m_pointed);
}

void PointingPlot::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = event->pos();
    m_viewport->press(*event);
    QCustomPlot::mousePressEvent(event);
}

void PointingPlot::mouseMoveEvent(QMouseEvent* event)
{
    m_pointer = event->position();
    if (!m_viewport->move(*event) && event->buttons() == Qt::NoButton)
        point(placeAt(event->position()));
    QCustomPlot::mouseMoveEvent(event);
}

void PointingPlot::mouseReleaseEvent(QMouseEvent* event)
{
    m_viewport->release(*event);
    QCustomPlot::mouseReleaseEvent(event);
}

void PointingPlot::wheelEvent(QWheelEvent* event)
{
    m_pointer = event->position();
    m_viewport->wheel(*event);
    event->accept();
}

// What the pointer pointed at goes with it; a place the keys chose stays for Enter.
void PointingPlot::leaveEvent(QEvent* event)
{
    m_pointer.reset();
    if (!m_pointedByKeys)
        point(std::nullopt);
    QCustomPlot::leaveEvent(event);
}

void PointingPlot::focusInEvent(QFocusEvent* event)
{
    if (!m_pointed && event->reason() != Qt::MouseFocusReason) {
        if (const auto place = runPlace())
            pointByKeys(*place);
    }
    QCustomPlot::focusInEvent(event);
}

// The keys' place goes with the keyboard, unless the plot's own menu took it for a moment or another
// window did, which hands it back.
void PointingPlot::focusOutEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (m_pointedByKeys && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        point(std::nullopt);
    QCustomPlot::focusOutEvent(event);
}

// A fitted view follows the size, so that the marks at its ends keep their room.
void PointingPlot::resizeEvent(QResizeEvent* event)
{
    QCustomPlot::resizeEvent(event);
    fitView(false);
}

void PointingPlot::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return choosePointed();
    default:
        QCustomPlot::keyPressEvent(event);
    }
}

} // namespace tarnis
