// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/title_screen.h"

#include "ui/click_tracker.h"
#include "ui/design.h"
#include "ui/identity.h"
#include "ui/localized.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

namespace tarnis {

namespace {

struct TitleVariant {
    double left, top, width, height;
    Qt::Alignment alignment;
    double points;
    Weight weight;
};

constexpr std::array<TitleVariant, TitleVariants> TitleDesigns{{
    {3960, 1680, 6615, 1815, Qt::AlignRight, 36, Weight::Regular},
    {0, 120, 8772, 2652, Qt::AlignLeft, 48, Weight::Bold},
    {1440, 3960, 8055, 2055, Qt::AlignHCenter, 36, Weight::Regular},
    {360, 5520, 9972, 1332, Qt::AlignLeft, 36, Weight::Regular},
    {3000, 3120, 7692, 2532, Qt::AlignLeft, 48, Weight::Bold},
}};

} // namespace

TitleScreen::TitleScreen(TitleAnimation& animation, Navigator& navigator)
    : FixedWindow({"titlform",
                   // TRANSLATORS: the title screen's window title as its design has it (shown in task lists).
                   localized("Titleform"),
                   {10635, 7050},
                   FrameStyle::None,
                   false})
    , m_animation(animation)
    , m_navigator(navigator)
{
    setBackground(this, colours::nightBlue);
    // The screen has no control that takes the focus; the keys come to the window itself.
    setFocusPolicy(Qt::StrongFocus);

    buildTitles();

    m_invitation = named(new QLabel(localized("Press any key or click mouse to start."), this), "Label2");
    applyLook(m_invitation,
              {.font = timesFont(15.6, Weight::Regular),
               .text = colours::yellow,
               .background = colours::red,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(m_invitation, 240, 2640, 1935, 1215);
    m_invitation->setToolTip(localized("Click to start"));
    m_invitation->setCursor(handCursor());

    // A press anywhere and its release leave; the labels take no clicks, so the window gets theirs.
    auto* anyClick
        = new ClickTracker(*this, {.buttons = Qt::AllButtons, .countsAt = [](const QPoint&) { return true; }});
    connect(anyClick, &ClickTracker::clicked, this, &TitleScreen::leave);

    m_variantTimer = named(new QTimer(this), "Timer1");
    connect(m_variantTimer, &QTimer::timeout, this, &TitleScreen::tick);
    m_variantTimer->start(1000);
}

void TitleScreen::buildTitles()
{
    for (int index = 0; index < TitleVariants; ++index) {
        const TitleVariant& design = TitleDesigns[std::size_t(index)];
        QLabel* label = new QLabel(identity::programTitle(), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(index));
        applyLook(label,
                  {.font = timesFont(design.points, design.weight),
                   .text = colours::yellow,
                   .alignment = design.alignment | Qt::AlignTop});
        placeTwips(label, design.left, design.top, design.width, design.height);
        label->hide(); // the first tick shows the first variant
        m_titles[std::size_t(index)] = label;
    }
}

void TitleScreen::tick()
{
    const TitleChange change = advanceTitle(m_animation, m_random);
    m_titles[std::size_t(change.hide)]->hide();
    m_titles[std::size_t(change.show)]->show();
}

void TitleScreen::leave()
{
    if (!isVisible())
        return;
    // Nobody sees the animation again: the title screen is never shown twice.
    m_variantTimer->stop();
    m_navigator.move(WindowId::Title, WindowId::Main);
}

namespace {

// Keys that type a character (letters, digits, signs, Space) and Enter, Escape, Backspace and Tab.
// Shift, Ctrl, Alt, arrows, function keys and Delete type none, nor does a letter held with Ctrl or
// Alt: the desktop may use those for itself.
bool leavesTitle(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

} // namespace

void TitleScreen::keyPressEvent(QKeyEvent* event)
{
    if (!leavesTitle(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    leave();
}

void TitleScreen::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of a double click has already left; should its release have gone astray,
    // the double click leaves all the same.
    event->accept();
    leave();
}

void TitleScreen::closeEvent(QCloseEvent* event)
{
    // A borderless window can still be asked to close (Alt+F4). Closing it would leave Tarnis with
    // the backdrop alone, so it leaves for the main window instead.
    event->ignore();
    leave();
}

bool TitleScreen::focusNextPrevChild(bool)
{
    return false; // Tab produces a character like any other key, so it must reach keyPressEvent
}

} // namespace tarnis
