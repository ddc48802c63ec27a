// A plot whose places the user points at, the stability map's cells or the bifurcation diagram's
// columns: the pointer, or the keys once the plot has the focus, points at one, which the plot marks on
// a layer of its own above every line and names in words; a click (a press and release in place, never
// a drag) or Enter chooses it. The wheel zooms and a drag pans, as on the run charts, until "Fit to
// data" shows the whole plot again. What a place is, where it lies and what choosing it means is the
// plot's own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/run/run.h"

#include <qcustomplot.h>

#include <memory>
#include <optional>

namespace tarnis {

class ChartViewport;

// The mark of the place pointed at: an outlined box around a cell, or a highlighted band over a column
// through every axis rect of the plot; never thinner than a few pixels, so that it shows on the
// smallest cell and beside any line.
class PlaceMark : public QCPAbstractItem {
public:
    PlaceMark(QCustomPlot& plot, QList<QCPAxisRect*> rects, bool column);

    // The place in the coordinates of the first rect's axes; `up` is ignored for a column.
    void place(const QCPRange& across, const QCPRange& up = {});
    double selectTest(const QPointF&, bool, QVariant* = nullptr) const override { return -1.0; }

protected:
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    QRectF pixelsIn(const QCPAxisRect* rect) const;

    QList<QCPAxisRect*> m_rects;
    bool m_column;
    QCPRange m_across;
    QCPRange m_up;
};

class PointingPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit PointingPlot(QWidget* parent = nullptr);
    ~PointingPlot() override;

    std::optional<std::size_t> pointedPlace() const { return m_pointed; }
    // The run that the place pointed at stands for (the last run's, with the place's r and lag), and
    // its words; none while nothing is pointed at.
    std::optional<RunParameters> pointedRun() const;
    QString pointedWords() const;
    // The whole plot again, after zooming or panning.
    void fitToData();
    bool hasUserView() const { return m_userView; }

signals:
    // The place pointed at, in words; empty when none is.
    void pointed(const QString& words);

protected:
    // The place under a point of the widget; none off the places.
    virtual std::optional<std::size_t> placeAt(QPointF pixel) const = 0;
    // The last run's place, where the keys start when nothing is pointed at.
    virtual std::optional<std::size_t> runPlace() const = 0;
    virtual QString placeWords(std::size_t place) const = 0;
    virtual RunParameters placeRun(std::size_t place) const = 0;
    // Moves the pointer's mark there (or hides it); the pointer's layer is drawn again after it.
    virtual void markPlace(std::optional<std::size_t> place) = 0;
    virtual void choose(std::size_t place) = 0;
    // The ranges that show all the plot holds, for the widget's size of the moment.
    virtual std::pair<QCPRange, QCPRange> fittedView() = 0;
    // Shows these ranges of x and y; the plot's other axes that follow them follow here.
    virtual void showView(const QCPRange& x, const QCPRange& y);

    // Fits the view to the data unless the user chose one; `always` fits it whatever the user chose.
    void fitView(bool always);
    void point(std::optional<std::size_t> place);
    void choosePointed();
    // Names the place pointed at again, once its numbers have come.
    void retellPointed();
    // Where a key moves the pointer from.
    std::optional<std::size_t> keyStart() const { return m_pointed ? m_pointed : runPlace(); }
    // A place chosen by the keys: it stays when the pointer leaves the plot.
    void pointByKeys(std::size_t place);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Enter and Space choose the place pointed at; the plot moves the pointer with its own keys.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void userView(const QCPRange& x, const QCPRange& y);

    std::optional<std::size_t> m_pointed;
    bool m_pointedByKeys = false;
    std::optional<QPointF> m_pointer; // where the pointer rests over the plot
    QPoint m_pressedAt;
    std::unique_ptr<ChartViewport> m_viewport;
    QCPRange m_fittedX;
    QCPRange m_fittedY;
    bool m_userView = false;
};

} // namespace tarnis
