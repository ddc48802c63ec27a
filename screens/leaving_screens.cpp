// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/leaving_screens.h"

#include "ui/design.h"
#include "ui/identity.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>

namespace tarnis {

namespace {

constexpr QSize DedicationPixels{504, 559}; // design size of the dedication picture
constexpr QSizeF FrameTwips{6492, 6972};    // the dedication screen's frame

const QChar LineFeed = QLatin1Char('\n');

} // namespace

QString citationRequest(int year)
{
    // Two blanks between "following" and "reference": the request is two pieces that both carry one.
    return QStringLiteral("If you use this program in your research, please cite the following ")
        + QStringLiteral(" reference in your paper:") + LineFeed + LineFeed + identity::citationAuthor()
        + QStringLiteral(". ") + QString::number(year) + QStringLiteral(". ") + identity::citationTitle()
        + QStringLiteral(". ") + LineFeed + QLatin1Char(' ') + identity::citationSource();
}

QString downloadNotice()
{
    QString text = QStringLiteral("You can get new version of this program at following webs:") + LineFeed;
    for (const identity::Download& download : identity::downloads())
        text += download.address + LineFeed + QLatin1Char('(') + download.institution + QLatin1Char(')') + LineFeed;
    for (const QString& distributor : identity::furtherDistributors())
        text += distributor + LineFeed;
    return text;
}

NoticeScreen::NoticeScreen(Navigator& navigator, Services services)
    : InfoScreen("copyrigh", QStringLiteral("Copyright"), {8640, 6876}, colours::silver)
{
    buildNotice();

    Command1 = makeButton(this, "Command1", QStringLiteral("OK"), QString(), sansSerifFont(7.8));
    Command1->setCursor(handCursor());
    placeTwips(Command1, 6840, 6120, 1215, 495);

    connect(Command1, &QPushButton::clicked, this, moveStep(navigator, WindowId::Notice, WindowId::Dedication));
    // There is no way back to the main window from here, so closing the notice leaves Tarnis as the
    // leaving sequence would; otherwise only the backdrop would remain, with nothing to use.
    onClosed([services] { services.processEnd.endProcess(); });

    load(services.clock.now().date().year());
}

void NoticeScreen::buildNotice()
{
    Label2 = named(new QLabel(this), "Label2");
    applyLook(Label2, {.font = timesFont(15.6), .alignment = Qt::AlignCenter});
    placeTwips(Label2, 120, 120, 8400, 495);

    Label4 = named(new QLabel(identity::rightsLine(), this), "Label4");
    applyLook(Label4, {.font = timesFont(12), .alignment = Qt::AlignCenter});
    placeTwips(Label4, 120, 660, 8400, 375);

    Label3 = named(new QLabel(identity::protectionStatement(), this), "Label3");
    applyLook(Label3, {.font = timesFont(10.8, Weight::Regular), .alignment = Qt::AlignLeft | Qt::AlignTop});
    placeTwips(Label3, 120, 1140, 8400, 1560);

    Label7 = named(new QLabel(this), "Label7");
    applyLook(
        Label7,
        {.font = timesFont(12, Weight::Regular), .text = colours::yellow, .background = colours::blue, .border = true});
    Label7->setMargin(3); // keeps the text off the border
    placeTwips(Label7, 120, 2880, 5892, 1692);

    Label6 = named(new QLabel(this), "Label6");
    applyLook(Label6,
              {.font = timesFont(9.6, Weight::Regular),
               .background = colours::cyan,
               .alignment = Qt::AlignHCenter | Qt::AlignTop,
               .border = true});
    placeTwips(Label6, 120, 4680, 5892, 1932);

    Picture1 = makePicture(this, "Picture1", QStringLiteral(":/pictures/emblem.png"), {identity::emblemName()});
    setBackground(Picture1, colours::silver);
    placeTwips(Picture1, 6600, 3840, 1656, 2172);
}

void NoticeScreen::load(int year)
{
    Label2->setText(identity::noticeLine(year));
    Label7->setText(citationRequest(year));
    Label6->setText(downloadNotice());
}

DedicationScreen::DedicationScreen(Services services)
    : InfoScreen("Vater", QStringLiteral("Dedication"), {6960, 7956}, colours::white, FrameStyle::Dialog)
{
    Frame1 = named(new QWidget(this), "Frame1");
    setBackground(Frame1, QPalette().color(QPalette::Window)); // the desktop's window colour
    placeTwips(Frame1, 360, 240, FrameTwips.width(), FrameTwips.height());

    Picture2 = makePicture(Frame1, "Picture2", QStringLiteral(":/pictures/dedication.png"),
                           {QStringLiteral("A lone tree on a hill at dusk"),
                            QStringLiteral("A wide tree stands on a hilltop against an evening sky; the sun sets "
                                           "behind the hills, birds fly home and the first stars come out.")});
    const double width = pictureTwips(DedicationPixels.width());
    const double height = pictureTwips(DedicationPixels.height());
    placeTwips(Picture2, (FrameTwips.width() - width) / 2, (FrameTwips.height() - height) / 2, width, height);

    Command1 = makeButton(this, "Command1", QStringLiteral("God rest his soul"), QString(), timesFont(14.4));
    placeTwips(Command1, 1320, 7320, 4575, 495);

    connect(Command1, &QPushButton::clicked, this, [services] { services.processEnd.endProcess(); });
    // The dedication is the last screen: closing it ends Tarnis as its button does, rather than
    // leaving the backdrop alone on the desktop.
    onClosed([services] { services.processEnd.endProcess(); });
}

} // namespace tarnis
