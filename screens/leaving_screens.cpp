// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/leaving_screens.h"

#include "ui/design.h"
#include "ui/identity.h"
#include "ui/localized.h"
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
    // TRANSLATORS: the two blanks are the design's; a translation needs only one.
    return localized("If you use this program in your research, please cite the following  reference in your paper:")
        + LineFeed + LineFeed + identity::citationAuthor() + QStringLiteral(". ") + QString::number(year)
        + QStringLiteral(". ") + identity::citationTitle() + QStringLiteral(". ") + LineFeed + QLatin1Char(' ')
        + identity::citationSource();
}

QString downloadNotice()
{
    QString text = localized("You can get new version of this program at following webs:") + LineFeed;
    for (const identity::Download& download : identity::downloads())
        text += download.address + LineFeed + QLatin1Char('(') + download.institution + QLatin1Char(')') + LineFeed;
    for (const QString& distributor : identity::furtherDistributors())
        text += distributor + LineFeed;
    return text;
}

NoticeScreen::NoticeScreen(Navigator& navigator, Services services)
    : InfoScreen("copyrigh", localized("Copyright"), {8640, 6876}, colours::silver)
{
    buildNotice();

    m_okButton = makeButton(this, "Command1", localized("OK"), QString(), sansSerifFont(7.8));
    m_okButton->setCursor(handCursor());
    placeTwips(m_okButton, 6840, 6120, 1215, 495);

    connect(m_okButton, &QPushButton::clicked, this, moveStep(navigator, WindowId::Notice, WindowId::Dedication));
    // There is no way back to the main window from here, so closing the notice leaves Tarnis as the
    // leaving sequence would; otherwise only the backdrop would remain, with nothing to use.
    onClosed([services] { services.processEnd.endProcess(); });

    writeTexts(services.clock.now().date().year());
}

void NoticeScreen::buildNotice()
{
    m_noticeLine = named(new QLabel(this), "Label2");
    applyLook(m_noticeLine, {.font = timesFont(15.6), .alignment = Qt::AlignCenter});
    placeTwips(m_noticeLine, 120, 120, 8400, 495);

    m_rightsLine = named(new QLabel(identity::rightsLine(), this), "Label4");
    applyLook(m_rightsLine, {.font = timesFont(12), .alignment = Qt::AlignCenter});
    placeTwips(m_rightsLine, 120, 660, 8400, 375);

    m_protectionStatement = named(new QLabel(identity::protectionStatement(), this), "Label3");
    applyLook(m_protectionStatement,
              {.font = timesFont(10.8, Weight::Regular), .alignment = Qt::AlignLeft | Qt::AlignTop});
    placeTwips(m_protectionStatement, 120, 1140, 8400, 1560);

    m_citationRequest = named(new QLabel(this), "Label7");
    applyLook(
        m_citationRequest,
        {.font = timesFont(12, Weight::Regular), .text = colours::yellow, .background = colours::blue, .border = true});
    m_citationRequest->setMargin(3); // keeps the text off the border
    placeTwips(m_citationRequest, 120, 2880, 5892, 1692);

    m_downloadNotice = named(new QLabel(this), "Label6");
    applyLook(m_downloadNotice,
              {.font = timesFont(9.6, Weight::Regular),
               .background = colours::cyan,
               .alignment = Qt::AlignHCenter | Qt::AlignTop,
               .border = true});
    placeTwips(m_downloadNotice, 120, 4680, 5892, 1932);

    m_emblem = makePicture(this, "Picture1", QStringLiteral(":/pictures/emblem.png"), {identity::emblemName()});
    setBackground(m_emblem, colours::silver);
    placeTwips(m_emblem, 6600, 3840, 1656, 2172);
}

void NoticeScreen::writeTexts(int year)
{
    m_noticeLine->setText(identity::noticeLine(year));
    m_citationRequest->setText(citationRequest(year));
    m_downloadNotice->setText(downloadNotice());
}

DedicationScreen::DedicationScreen(Services services)
    : InfoScreen("Vater", localized("Dedication"), {6960, 7956}, colours::white, FrameStyle::Dialog)
{
    m_pictureFrame = named(new QWidget(this), "Frame1");
    setBackground(m_pictureFrame, QPalette().color(QPalette::Window)); // the desktop's window colour
    placeTwips(m_pictureFrame, 360, 240, FrameTwips.width(), FrameTwips.height());

    m_picture = makePicture(m_pictureFrame, "Picture2", QStringLiteral(":/pictures/dedication.png"),
                            {localized("A lone tree on a hill at dusk"),
                             localized("A wide tree stands on a hilltop against an evening sky; the sun sets "
                                       "behind the hills, birds fly home and the first stars come out.")});
    const double width = pictureTwips(DedicationPixels.width());
    const double height = pictureTwips(DedicationPixels.height());
    placeTwips(m_picture, (FrameTwips.width() - width) / 2, (FrameTwips.height() - height) / 2, width, height);

    m_endButton = makeButton(this, "Command1", localized("God rest his soul"), QString(), timesFont(14.4));
    placeTwips(m_endButton, 1320, 7320, 4575, 495);

    connect(m_endButton, &QPushButton::clicked, this, [services] { services.processEnd.endProcess(); });
    // The dedication is the last screen: closing it ends Tarnis as its button does, rather than
    // leaving the backdrop alone on the desktop.
    onClosed([services] { services.processEnd.endProcess(); });
}

} // namespace tarnis
