// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text_fitting.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnis {

namespace {

constexpr double SmallestPoints = 6.0;
constexpr double PointStep = 0.5;
// What a button's frame and margins take of its width, as the window style draws them.
constexpr double ButtonMargins = 6.0;
constexpr double FrameTitleMargins = 16.0;
constexpr double IndicatorRoom = 22.0; // a check box's or radio button's box and the gap after it

const char* const DesignedFont = "tarnisDesignedFont";
const char* const FittedFor = "tarnisFittedFor";

QString textOf(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText
            ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
            : label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget))
        return frame->title();
    return {};
}

// How far a text runs over its room: at most 1 where it fits, with half a pixel of rounding either way;
// else what it needs over what it has. A wrapped text's lines also grow fewer as its font shrinks, so its
// area, not its width, scales with the font: about the square of the size.
struct Overrun {
    double ratio;
    bool wrapped;
};

double over(double needed, double room)
{
    return room + 0.5 > 0.0 ? needed / (room + 0.5) : std::numeric_limits<double>::infinity();
}

Overrun labelOverrun(const QLabel& label, const QString& text, const QFont& font)
{
    const QRectF room
        = QRectF(label.contentsRect()).adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(room, flags, text);
    const double across = over(needed.width(), room.width());
    // A single line's height is the design's own: a box drawn lower than the font's line spacing still
    // shows the letters whole.
    const bool oneLine = needed.height() <= metrics.lineSpacing() + 0.5;
    const double down = oneLine ? 0.0 : over(needed.height(), room.height());
    return {std::max(across, down), label.wordWrap() && down > across};
}

// The text's own width in the font: the widest of its lines ("&&" is one ampersand, "&x" a mnemonic).
double lineWidth(const QString& text, const QFont& font)
{
    QString shown = text;
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    const QFontMetricsF metrics(font);
    double widest = 0.0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

Overrun overrunOf(const QWidget& widget, const QFont& font)
{
    const QString text = textOf(widget);
    if (text.trimmed().isEmpty())
        return {0.0, false};
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->pixmap().isNull() ? labelOverrun(*label, text, font) : Overrun{0.0, false};
    double room = widget.width() - ButtonMargins;
    if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget))
        room = widget.width() - IndicatorRoom;
    else if (qobject_cast<const QGroupBox*>(&widget))
        room = widget.width() - FrameTitleMargins;
    return {over(lineWidth(text, font), room), false};
}

// The largest size, in steps down from the design's, at which the text fits; the smallest (6 points)
// where none does. Laying out a long wrapped text is costly, so the search starts where the overrun at
// the design's size says the text will fit and walks from there, mostly one or two steps.
QFont fittedFont(const QWidget& widget, QFont font)
{
    const Overrun designed = overrunOf(widget, font);
    if (designed.ratio <= 1.0)
        return font;
    const double size = font.pointSizeF();
    const int smallest = int((size - SmallestPoints) / PointStep);
    if (smallest < 1)
        return font;
    const auto fitsAt = [&](int step) {
        font.setPointSizeF(size - step * PointStep);
        return overrunOf(widget, font).ratio <= 1.0;
    };
    const double scale = designed.wrapped ? std::sqrt(designed.ratio) : designed.ratio;
    int step = std::clamp(int(std::ceil((size - size / scale) / PointStep)), 1, smallest);
    if (fitsAt(step))
        while (step > 1 && fitsAt(step - 1))
            --step;
    else
        do
            ++step;
        while (step < smallest && !fitsAt(step));
    font.setPointSizeF(size - step * PointStep);
    return font;
}

} // namespace

bool textFitsItsBox(const QWidget& widget, const QFont& font) { return overrunOf(widget, font).ratio <= 1.0; }

namespace {

// Fits a widget's font to its text and size, once for each text and size it has.
class TextFitter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            fit(*static_cast<QWidget*>(watched));
        return QObject::eventFilter(watched, event);
    }

private:
    static void fit(QWidget& widget)
    {
        const QString key = textOf(widget) + QLatin1Char('\x1f') + QString::number(widget.width()) + QLatin1Char('x')
            + QString::number(widget.height());
        if (widget.property(FittedFor).toString() == key)
            return;
        widget.setProperty(FittedFor, key);
        if (!widget.property(DesignedFont).isValid())
            widget.setProperty(DesignedFont, widget.font());
        const QFont font = fittedFont(widget, widget.property(DesignedFont).value<QFont>());
        if (font != widget.font())
            widget.setFont(font);
    }
};

} // namespace

void keepTextsInTheirBoxes(QWidget& window)
{
    auto* fitter = new TextFitter(&window);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) || qobject_cast<QGroupBox*>(child))
            child->installEventFilter(fitter);
    }
}

} // namespace tarnis
