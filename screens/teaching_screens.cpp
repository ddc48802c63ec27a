// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/teaching_screens.h"

#include "model/screens/teaching_texts.h"
#include "screens/teaching_texts.h"
#include "ui/click_tracker.h"
#include "ui/design.h"
#include "ui/localized.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace tarnis {

namespace {

constexpr QSize QuizPicturePixels{499, 306}; // design size of the quiz picture

QPushButton* handButton(QWidget* parent, const char* name, const QString& caption, const QFont& font)
{
    QPushButton* button = makeButton(parent, name, caption, QString(), font);
    button->setCursor(handCursor());
    return button;
}

struct ReferencePlace {
    int element;
    double left, top, width, height;
};

constexpr std::array<ReferencePlace, 7> ReferencePlaces{{
    {12, 120, 120, 6735, 255},
    {10, 120, 720, 8295, 615},
    {11, 120, 1440, 8415, 615},
    {9, 120, 2160, 8415, 615},
    {8, 120, 2880, 8415, 615},
    {7, 120, 3720, 8415, 615},
    {6, 120, 4440, 8415, 975},
}};

// The quiz is a picture of text and a formula; this is what it says.
PictureWords quizWords()
{
    const teaching::PictureWords words = teaching::quizWords();
    return {QString::fromStdString(words.name), QString::fromStdString(words.description)};
}

QLabel* makeReferenceLabel(QWidget* parent, int element, const QString& text)
{
    const auto place = std::find_if(ReferencePlaces.begin(), ReferencePlaces.end(),
                                    [element](const ReferencePlace& p) { return p.element == element; });
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label1_%1").arg(element));
    applyLook(label, {.font = timesFont(12)});
    placeTwips(label, place->left, place->top, place->width, place->height);
    return label;
}

} // namespace

Introduction::Introduction(Navigator& navigator)
    : InfoScreen("Introfrm", QString::fromStdString(teaching::introductionTitle()), {7650, 6315}, colours::silver)
{
    setFont(timesFont(12));

    m_heading = named(new QLabel(texts::introductionHeading(), this), "Label1");
    applyLook(
        m_heading,
        {.font = timesFont(14.4), .text = colours::yellow, .background = colours::blue, .alignment = Qt::AlignCenter});
    placeTwips(m_heading, 1440, 120, 4695, 735);

    m_text = named(new QPlainTextEdit(this), "Text1");
    m_heading->setBuddy(m_text); // the text is named by its heading
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeTwips(m_text, 240, 960, 7215, 4575);

    m_referencesButton = handButton(this, "Command2", localized("References"), font());
    placeTwips(m_referencesButton, 2160, 5640, 1695, 495);
    m_okButton = handButton(this, "Command1", localized("OK"), font());
    placeTwips(m_okButton, 4320, 5640, 1215, 495);

    connect(m_okButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::Introduction, WindowId::Main));
    connect(m_referencesButton, &QPushButton::clicked, this,
            moveStep(navigator, WindowId::Introduction, WindowId::References));
    onClosed(moveStep(navigator, WindowId::Introduction, WindowId::Main));

    m_text->setPlainText(texts::introductionPieces().join(QString()));
}

ReferenceList::ReferenceList(Navigator& navigator)
    : InfoScreen("Referenc", QString::fromStdString(teaching::referencesTitle()), {8685, 6075}, colours::white)
{
    setFont(timesFont(12, Weight::Regular));

    makeReferenceLabel(this, 12, QString::fromStdString(teaching::referencesTitle()));
    for (const texts::Citation& citation : texts::references())
        makeReferenceLabel(this, citation.element, citation.text);

    m_okButton = makeButton(this, "Command1", localized("OK"), QString(), timesFont(12));
    placeTwips(m_okButton, 3960, 5520, 855, 495);

    connect(m_okButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::References, WindowId::Main));
    onClosed(moveStep(navigator, WindowId::References, WindowId::Main));

    // A click on the background leads back too. A click on a label reaches the window as well, since
    // labels take no clicks; only the uncovered background counts.
    auto* background = new ClickTracker(
        *this, {.buttons = Qt::AllButtons, .countsAt = [this](const QPoint& place) { return !childAt(place); }});
    connect(background, &ClickTracker::clicked, this,
            moveStep(navigator, WindowId::References, WindowId::Main, MoveOrder::ShowFirst));
}

FurtherRemarks::FurtherRemarks(Navigator& navigator)
    : InfoScreen("Form3", QString::fromStdString(teaching::furtherRemarksTitle()), {8205, 5700}, colours::white)
{
    m_remarks = named(new QLabel(this), "Label1");
    applyLook(m_remarks, {.font = timesFont(12), .alignment = Qt::AlignHCenter | Qt::AlignTop});
    placeTwips(m_remarks, 240, 240, 7695, 4695);

    m_backButton = handButton(this, "Command1", localized("Go Back"), timesFont(12));
    placeTwips(m_backButton, 1920, 5040, 1575, 495);
    m_quitButton = handButton(this, "Command2", localized("Quit"), timesFont(12));
    placeTwips(m_quitButton, 5400, 5040, 1215, 495);

    connect(m_backButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::FurtherRemarks, WindowId::Main));
    connect(m_quitButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::FurtherRemarks, WindowId::Notice));
    onClosed(moveStep(navigator, WindowId::FurtherRemarks, WindowId::Main));

    m_remarks->setText(texts::furtherRemarksPieces().join(QString()));
}

QuizScreen::QuizScreen(Navigator& navigator)
    : InfoScreen("Quiz", QString::fromStdString(teaching::quizTitle()), {9855, 7545}, colours::lightGreen)
{
    m_questions = makePicture(this, "Image1", QStringLiteral(":/pictures/quiz.png"), quizWords());
    placePicture();

    m_backButton = makeButton(this, "Command1", localized("Back to the mainform"), QString(), timesFont(12));
    placeTwips(m_backButton, 3600, 6960, 3015, 495);

    connect(m_backButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::Quiz, WindowId::Main));
    onClosed(moveStep(navigator, WindowId::Quiz, WindowId::Main));
}

bool QuizScreen::event(QEvent* event)
{
    // The picture is placed from the window's outer size, which is known only once the window
    // system has framed the window: on its first show, or on its first activation at the latest.
    if (!m_pictureSettled && (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate))
        placePicture();
    return InfoScreen::event(event);
}

void QuizScreen::placePicture()
{
    const QSize outer = frameGeometry().size();
    m_pictureSettled = outer != size();
    const double outerWidth = outer.width() * TwipsPerPixel;
    const double outerHeight = outer.height() * TwipsPerPixel;
    const double width = pictureTwips(QuizPicturePixels.width());
    const double height = pictureTwips(QuizPicturePixels.height());
    placeTwips(m_questions, (outerWidth - width) / 2, (outerHeight - height) / 2 - 400, width, height);
}

} // namespace tarnis
