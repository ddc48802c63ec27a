// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"

#include "ui/localized.h"

#include "charts/chart_description.h"
#include "charts/chart_fonts.h"
#include "charts/chart_readout.h"
#include "charts/chart_viewport.h"
#include "ui/accessibility.h"
#include "ui/click_tracker.h"
#include "ui/design.h"
#include "ui/focus_frame.h"
#include "ui/locale_numbers.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPicture>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tarnis {

namespace {

// The heading in the first row of the chart's layout, over the plot, with the title in its first row.
QCPLayoutGrid* headingOver(QCustomPlot& plot, QCPTextElement* title)
{
    auto* heading = new QCPLayoutGrid;
    plot.plotLayout()->insertRow(0);
    plot.plotLayout()->addElement(0, 0, heading);
    heading->setRowSpacing(0);
    heading->addElement(0, 0, title);
    return heading;
}

} // namespace

ChartControl::ChartControl(QWidget* parent)
    : QCustomPlot(parent)
    , m_title(new QCPTextElement(this, QString(), arialFont(ChartTitlePoints)))
    , m_heading(headingOver(*this, m_title))
    , m_axes(*this, [this] { updateLayout(); })
    , m_legend(*this)
    , m_series(*this)
    , m_viewport(std::make_unique<ChartViewport>(*this))
    , m_readout(std::make_unique<ChartReadout>(*this))
{
    setAccessibleRole(*this, QAccessible::Chart);
    setAccessibleName(localized("Chart"));
    setFocusPolicy(Qt::TabFocus); // reached by Tab; a click steps the cycle and leaves the focus where it was
    setBackground(Qt::white);
    setMouseTracking(true); // the readout follows the pointer with no button down
    addFocusFrame(*this);
    // The chart widget keeps its own mouse handling; a press that becomes a drag pans and is no click.
    connect(new ClickTracker(*this, {.passOn = true, .stayWithin = QApplication::startDragDistance()}),
            &ClickTracker::clicked, this, &ChartControl::clicked);
    describe();
}

ChartControl::~ChartControl() = default;

void ChartControl::setPictureNote(const QString& note) { m_pictureNote = note; }

void ChartControl::showPictureNote(bool shown) { layOutHeading(shown); }

void ChartControl::setNote(const QString& note)
{
    if (note == m_note)
        return;
    m_note = note;
    layOutHeading(m_pictureLine != nullptr);
    describe();
}

// The lines under the title, made anew: the heading's rows follow what there is to say.
void ChartControl::layOutHeading(bool pictureNoteShown)
{
    for (QCPTextElement** line : {&m_pictureLine, &m_noteLine}) {
        if (*line)
            m_heading->remove(*line);
        *line = nullptr;
    }
    m_heading->simplify();
    if (pictureNoteShown && !m_pictureNote.isEmpty())
        m_pictureLine = addHeadingLine(m_pictureNote);
    if (!m_note.isEmpty())
        m_noteLine = addHeadingLine(m_note);
}

QCPTextElement* ChartControl::addHeadingLine(const QString& text)
{
    auto* line = new QCPTextElement(this, text, arialFont(LegendPoints));
    line->setMargins(QMargins(0, 0, 0, 4));
    m_heading->addElement(m_heading->rowCount(), 0, line);
    return line;
}

void ChartControl::setTitles(const QString& chart, const QString& yAxisTitle, const QString& xAxisTitle)
{
    m_title->setText(chart);
    yAxis->setLabel(yAxisTitle);
    xAxis->setLabel(xAxisTitle);
    setDataTitles(yAxisTitle, xAxisTitle);
}

void ChartControl::setDataTitles(const QString& yAxisTitle, const QString& xAxisTitle)
{
    m_yDataTitle = yAxisTitle;
    m_xDataTitle = xAxisTitle;
}

QString ChartControl::chartTitle() const { return m_title->text(); }

QString ChartControl::yAxisTitle() const { return yAxis->label(); }

QString ChartControl::xAxisTitle() const { return xAxis->label(); }

void ChartControl::setLogarithmicY(bool on)
{
    m_series.setPositiveYOnly(on);
    m_axes.setLogarithmicY(on);
}

void ChartControl::setLogNAxisChosen(bool chosen)
{
    if (m_axes.chooseLogNAxis(chosen))
        emit logNAxisChoiceChanged();
}

void ChartControl::setContinuousChosen(bool chosen)
{
    if (chosen == m_continuousChosen)
        return;
    m_continuousChosen = chosen;
    emit continuousChoiceChanged();
}

// Before the chart is drawn anew: the readout's points are gone, the kept runs take the looks the
// chart's own series have now, and the legend takes its room, on which the plot's size depends.
void ChartControl::prepareDrawing()
{
    m_readout->forget();
    m_series.matchKeptLooks();
    m_legend.show(m_series);
}

void ChartControl::fitAxesAndReplot()
{
    prepareDrawing();
    m_axes.fitTo(m_series.drawnCurves());
    replot();
    describe();
}

void ChartControl::replotInUserView()
{
    if (!m_axes.hasUserView()) {
        fitAxesAndReplot();
        return;
    }
    prepareDrawing();
    replot();
    describe();
}

void ChartControl::replotInView()
{
    m_readout->forget();
    replot();
    describe();
}

void ChartControl::setUserView(const QCPRange& x, const QCPRange& y)
{
    m_axes.setUserView(x, y);
    replot(rpQueuedReplot);
    describe(); // the ranges it names
}

void ChartControl::paintOnPage(QPainter& painter)
{
    // The chart widget draws only through a painter of its own kind; a recording of what it draws
    // replays into any painter, at that painter's resolution.
    m_readout->hide(); // the mark under the pointer is no part of the page
    QPicture drawing;
    QCPPainter recorder;
    if (!recorder.begin(&drawing))
        return;
    recorder.setMode(QCPPainter::pmVectorized);
    toPainter(&recorder, width(), height());
    recorder.end();
    // A recording replays enlarged by the device's resolution over the screen's; the painter's
    // transform already carries the chart to its size on the page.
    if (const QPaintDevice* device = painter.device(); device && device->logicalDpiX() > 0) {
        painter.scale(double(drawing.logicalDpiX()) / device->logicalDpiX(),
                      double(drawing.logicalDpiY()) / device->logicalDpiY());
    }
    painter.drawPicture(0, 0, drawing);
}

void ChartControl::describe()
{
    const QStringList marked = hasFocus() && m_readout->shown() ? m_readout->lines() : QStringList();
    QString description = chartDescription(*this, marked, localeDecimalSeparator());
    if (!m_note.isEmpty())
        description += QLatin1Char(' ') + m_note;
    // Tells assistive technology that the description changed.
    setAccessibleDescription(description);
}

// The first of the chart's own series among those drawn.
std::optional<int> ChartControl::ownSeriesIndex() const
{
    const auto drawn = m_series.drawnSeries();
    const auto own = std::find_if(drawn.begin(), drawn.end(),
                                  [](const ChartSeries::Drawn& d) { return d.run == ChartSeries::OwnRun; });
    if (own == drawn.end() || m_series.rowCount() == 0)
        return std::nullopt;
    return int(own - drawn.begin());
}

// Marks a row, or the nearest one in the direction given (-1 or 1) with a value.
void ChartControl::markOwn(int row, int direction)
{
    const auto own = ownSeriesIndex();
    if (!own)
        return;
    m_readout->show({*own, std::clamp(row, 0, m_series.rowCount() - 1)});
    if (m_readout->shown()
        && !std::isfinite(m_series.yData(ChartSeries::FirstSeries).value(m_readout->shown()->row, qQNaN())))
        m_readout->step(direction);
    describe();
}

void ChartControl::markOwnRow(int row) { markOwn(row, -1); }

void ChartControl::stepReadout(int steps)
{
    // The first key marks the chart's own run at its first or last step.
    if (!m_readout->shown())
        return markOwn(steps > 0 ? 0 : m_series.rowCount() - 1, steps);
    m_readout->step(steps);
    describe();
}

void ChartControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        stepReadout(event->key() == Qt::Key_Right ? 1 : -1);
        return;
    case Qt::Key_Menu:
    case Qt::Key_F10:
        // The menu key, or Shift+F10 where there is none, opens the chart's menu at the mark or in the
        // middle; the window system does not turn the key into a menu request by itself here.
        if (event->key() == Qt::Key_Menu || event->modifiers() == Qt::ShiftModifier) {
            const QPoint place = m_readout->shown() ? m_readout->markedPixel().toPoint() : rect().center();
            emit customContextMenuRequested(place);
            return;
        }
        break;
    case Qt::Key_Escape:
        if (m_readout->shown()) {
            m_readout->hide();
            describe();
            return;
        }
        break;
    default:
        break;
    }
    QCustomPlot::keyPressEvent(event);
}

bool ChartControl::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QCustomPlot::event(event);
    if (showLegendToolTip(*static_cast<const QHelpEvent*>(event)))
        return true;
    QToolTip::hideText();
    event->ignore();
    return true;
}

bool ChartControl::showLegendToolTip(const QHelpEvent& help)
{
    const RunLegendItem* line = m_legend.toolTipLineAt(help.pos());
    if (!line)
        return false;
    QToolTip::showText(help.globalPos(), line->toolTip(), this, line->outerRect());
    return true;
}

void ChartControl::mousePressEvent(QMouseEvent* event)
{
    m_readout->hide();
    m_viewport->press(*event);
    QCustomPlot::mousePressEvent(event);
}

void ChartControl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_viewport->move(*event))
        m_readout->hide();
    else if (event->buttons() == Qt::NoButton)
        m_readout->hover(event->position());
    QCustomPlot::mouseMoveEvent(event);
}

void ChartControl::mouseReleaseEvent(QMouseEvent* event)
{
    m_viewport->release(*event);
    QCustomPlot::mouseReleaseEvent(event);
}

void ChartControl::wheelEvent(QWheelEvent* event)
{
    if (m_viewport->wheel(*event))
        m_readout->hover(event->position());
    event->accept();
}

void ChartControl::leaveEvent(QEvent* event)
{
    m_readout->hide();
    QCustomPlot::leaveEvent(event);
}

} // namespace tarnis
