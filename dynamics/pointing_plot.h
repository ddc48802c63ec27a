// A plot whose places the user points at, the stability map's cells or the bifurcation diagram's
// columns: the pointer, or the keys once the plot has the focus, points at one, which the plot marks on
// a layer of its own and names in words; a click (a press and release in place, never a drag) or
// Enter chooses it. What a place is, where it lies and what choosing it means is the plot's own.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <optional>

namespace tarnis {

class PointingPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit PointingPlot(QWidget* parent = nullptr);

    std::optional<std::size_t> pointedPlace() const { return m_pointed; }

signals:
    // The place pointed at, in words; empty when none is.
    void pointed(const QString& words);

protected:
    // The place under a point of the widget; none off the places.
    virtual std::optional<std::size_t> placeAt(QPointF pixel) const = 0;
    // The last run's place, where the keys start when nothing is pointed at.
    virtual std::optional<std::size_t> runPlace() const = 0;
    virtual QString placeWords(std::size_t place) const = 0;
    // Moves the pointer's mark there (or hides it) and draws the pointer's layer again, nothing else.
    virtual void markPlace(std::optional<std::size_t> place) = 0;
    virtual void choose(std::size_t place) = 0;

    void point(std::optional<std::size_t> place);
    void choosePointed();
    // Names the place pointed at again, once its numbers have come.
    void retellPointed();
    // Where a key moves the pointer from.
    std::optional<std::size_t> keyStart() const { return m_pointed ? m_pointed : runPlace(); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Enter and Space choose the place pointed at; the plot moves the pointer with its own keys.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<std::size_t> m_pointed;
    QPoint m_pressedAt;
};

} // namespace tarnis
