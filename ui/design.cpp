// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/design.h"

#include "ui/accessibility.h"
#include "ui/twips.h"

#include <QCursor>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

namespace tarnis {

QFont timesFont(double pointSize, Weight weight, bool italic)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(pointSize);
    font.setBold(weight == Weight::Bold);
    font.setItalic(italic);
    return font;
}

QFont sansSerifFont(double pointSize, Weight weight)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setBold(weight == Weight::Bold);
    return font;
}

QFont arialFont(double pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    return font;
}

void installFontSubstitutes()
{
    // Debian's Liberation fonts share the metrics of the fonts that the designs were laid out in,
    // so texts fit their boxes; fontconfig usually knows the first two already.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void placeTwips(QWidget* widget, double left, double top, double width, double height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

PictureLabel::PictureLabel(const QString& resource, QWidget* parent)
    : QLabel(parent)
    , m_resource(resource)
{
}

void PictureLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (size().isEmpty())
        return;
    // Read without the pixmap cache, which would keep the original as well.
    const qreal ratio = devicePixelRatioF();
    QImage picture = QImage(m_resource).scaled(size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    setPixmap(QPixmap::fromImage(std::move(picture)));
}

QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, const PictureWords& words)
{
    auto* picture = new PictureLabel(resource, parent);
    setAccessibleRole(*picture, QAccessible::Graphic);
    picture->setAccessibleName(words.name);
    picture->setAccessibleDescription(words.description);
    return named(picture, name);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void applyLook(QLabel* label, const LabelLook& look)
{
    label->setFont(look.font);
    setTextColour(label, look.text);
    if (look.background.isValid())
        setBackground(label, look.background);
    else
        label->setAutoFillBackground(false);
    label->setAlignment(look.alignment);
    label->setWordWrap(look.wordWrap);
    if (look.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& toolTip,
                        const QFont& font)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setFont(font);
    button->setToolTip(toolTip);
    // Enter presses the focused button, as on the desktops that these windows were designed for.
    button->setAutoDefault(true);
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption)
{
    auto* frame = named(new QGroupBox(caption, parent), name);
    frame->setFont(timesFont(9.6));
    return frame;
}

const QCursor& handCursor()
{
    // The tip of the index finger is the hot spot.
    static const QCursor cursor(QPixmap(QStringLiteral(":/pictures/hand-cursor.png")), 12, 1);
    return cursor;
}

} // namespace tarnis
