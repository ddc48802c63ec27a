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

bool labelFits(const QLabel& label, const QString& text, const QFont& font)
{
    const QRectF room
        = QRectF(label.contentsRect()).adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetricsF metrics(font);
    const QRectF needed = metrics.boundingRect(room, flags, text);
    // Half a pixel of rounding either way. A single line's height is the design's own: a box drawn
    // lower than the font's line spacing still shows the letters whole.
    const bool oneLine = needed.height() <= metrics.lineSpacing() + 0.5;
    return needed.width() <= room.width() + 0.5 && (oneLine || needed.height() <= room.height() + 0.5);
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

} // namespace

bool textFitsItsBox(const QWidget& widget, const QFont& font)
{
    const QString text = textOf(widget);
    if (text.trimmed().isEmpty())
        return true;
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->pixmap().isNull() ? labelFits(*label, text, font) : true;
    double room = widget.width() - ButtonMargins;
    if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget))
        room = widget.width() - IndicatorRoom;
    else if (qobject_cast<const QGroupBox*>(&widget))
        room = widget.width() - FrameTitleMargins;
    return lineWidth(text, font) <= room + 0.5;
}

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
        QFont font = widget.property(DesignedFont).value<QFont>();
        while (!textFitsItsBox(widget, font) && font.pointSizeF() - PointStep >= SmallestPoints)
            font.setPointSizeF(font.pointSizeF() - PointStep);
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
