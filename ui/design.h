// Small builders for the controls of the fixed window designs: fonts, colours, borders and places,
// so that each window's constructor reads like its design table.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarnis {

namespace colours {
inline const QColor white{255, 255, 255};
inline const QColor black{0, 0, 0};
inline const QColor red{255, 0, 0};
inline const QColor yellow{255, 255, 0};
inline const QColor blue{0, 0, 255};
inline const QColor navy{0, 0, 128};
inline const QColor darkGreen{0, 128, 0};
inline const QColor cyan{0, 255, 255};
inline const QColor silver{192, 192, 192};
inline const QColor lightGreen{128, 255, 128};
inline const QColor nightBlue{0, 0, 64}; // backdrop and title screen
} // namespace colours

enum class Weight { Regular, Bold };

QFont timesFont(double pointSize, Weight weight = Weight::Bold, bool italic = false);
QFont sansSerifFont(double pointSize, Weight weight = Weight::Regular); // the designs' small dialog font
QFont arialFont(double pointSize);

// Maps the design's font names onto installed fonts of the same metrics.
void installFontSubstitutes();

// Places a widget at a design rectangle in twips, relative to its parent.
void placeTwips(QWidget* widget, double left, double top, double width, double height);

// Gives a widget a name, which tests and the window code find it by.
template <typename W> W* named(W* widget, const char* objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// A stored picture shown at the size of its box. It is scaled once, smoothly, when the box gets its
// size (a window shows it), and only that copy is kept: the pictures are stored at twice their design
// size, so a box that kept the original would hold four times the pixels it shows.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    PictureLabel(const QString& resource, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_resource;
};

// What a picture shows, for those who cannot see it: a short name and, where the picture holds more
// (a text, a scene), a description of it.
struct PictureWords {
    QString name;
    QString description;
};

QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, const PictureWords& words);

struct LabelLook {
    QFont font;
    QColor text = colours::black;
    QColor background; // invalid: transparent
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool border = false;
    bool wordWrap = true;
};

void applyLook(QLabel* label, const LabelLook& look);
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& toolTip,
                        const QFont& font);
QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption);

// The pointing-hand pointer shown over the main buttons of the windows.
const QCursor& handCursor();

} // namespace tarnis
