// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "charts/chart_control.h"
#include "charts/chart_menu.h"
#include "charts/large_graph_window.h"
#include "charts/run_comparison.h"
#include "model/charts/chart_kinds.h"
#include "model/numbers/conversions.h"
#include "model/run/run_refusals.h"
#include "model/screens/main_window_texts.h"
#include "ui/click_tracker.h"
#include "ui/design.h"
#include "ui/entry_balloon.h"
#include "ui/identity.h"
#include "ui/locale_numbers.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <limits>

namespace tarnis {

namespace {

constexpr double ButtonPoints = 12.0;
constexpr QSizeF ClientTwips{10608, 7764};
constexpr QSize BannerPixels{231, 76};     // design size of the banner picture
constexpr double PictureBoxWidth = 1656.0; // the author panel's picture box, in twips
constexpr double PictureBoxHeight = 2172.0;

// A short date form with the year in four digits ("M/d/yy" becomes "M/d/yyyy"), in the user's order.
QString fourDigitYear(QString format)
{
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

// The date and time in the user's short date and long time form, without the time zone.
QString clockText(const QDateTime& now)
{
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return locale.toString(now.date(), fourDigitYear(locale.dateFormat(QLocale::ShortFormat))) + QLatin1Char(' ')
        + locale.toString(now.time(), timeFormat.trimmed());
}

} // namespace

MainWindow::MainWindow(SharedState& state, RunComparison& comparison, Navigator& navigator, Services services,
                       std::function<void()> openDynamics)
    : FixedWindow({"Form1", identity::programTitle(), ClientTwips, FrameStyle::Single, false})
    , m_state(state)
    , m_comparison(comparison)
    , m_navigator(navigator)
    , m_services(services)
    , m_openDynamics(std::move(openDynamics))
{
    setBackground(this, colours::white);
    setFont(sansSerifFont(7.8, Weight::Bold));

    buildTitlePanel();
    buildDataFrame();
    buildGraphFrame();
    buildAuthorFrame();
    setTabOrder();
    connectHandlers();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitlePanel()
{
    Label17 = named(new QLabel(this), "Label17");
    applyLook(Label17,
              {.font = timesFont(15.6),
               .text = colours::yellow,
               .background = colours::red,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(Label17, 120, 120, 3975, 855);

    Label7 = named(new QLabel(this), "Label7");
    applyLook(
        Label7,
        {.font = sansSerifFont(7.8, Weight::Bold), .alignment = Qt::AlignHCenter | Qt::AlignTop, .wordWrap = false});
    placeTwips(Label7, 240, 1080, 3735, 255);

    Frame1 = named(new QWidget(this), "Frame1");
    placeTwips(Frame1, 120, 1320, 3975, 1815);
    Image1 = makePicture(
        Frame1, "Image1", QStringLiteral(":/pictures/banner.png"),
        {QStringLiteral("Tarnis: time-lag logistic growth"),
         QStringLiteral("A curve that rises, overshoots the carrying capacity K and settles around it.")});

    Command8 = makeButton(this, "Command8", QStringLiteral("more ..."), QStringLiteral("Introduction"),
                          sansSerifFont(7.8, Weight::Bold));
    placeTwips(Command8, 1680, 2640, 855, 375);
    Command8->setCursor(handCursor());
}

QLineEdit* MainWindow::makeParameterBox(QWidget* parent, const char* name, ParameterBox box, const QColor& colour)
{
    auto* edit = named(new QLineEdit(QString::fromStdString(defaultText(box, localeDecimalSeparator())), parent), name);
    edit->setFont(timesFont(14.4));
    edit->setAlignment(Qt::AlignCenter);
    // A text box cuts what is typed or pasted at 32767 characters unless told otherwise, without a
    // sign; the rules must judge the whole text the user gave ("5" after 40 000 zeros is 5, not 0).
    edit->setMaxLength(std::numeric_limits<int>::max());
    setTextColour(edit, colour);
    m_boxes[box] = edit;
    return edit;
}

void MainWindow::buildDataFrame()
{
    Frame4 = makeFrame(this, "Frame4", QStringLiteral("Data"));
    placeTwips(Frame4, 120, 3240, 3975, 4455);

    const auto caption = [this](const char* name, const QString& text, double points) {
        auto* label = named(new QLabel(text, Frame4), name);
        applyLook(label, {.font = timesFont(points)});
        return label;
    };
    Label1 = caption("Label1", QString::fromStdString(boxCaption(ParameterBox::r)), 9.6);
    placeTwips(Label1, 120, 240, 1935, 255);
    rrate = makeParameterBox(Frame4, "rrate", ParameterBox::r, colours::blue);
    placeTwips(rrate, 2400, 240, 1455, 420);
    Label2 = caption("Label2", QString::fromStdString(boxCaption(ParameterBox::n0)), 9.6);
    placeTwips(Label2, 120, 720, 1815, 495);
    n0 = makeParameterBox(Frame4, "n0", ParameterBox::n0, colours::blue);
    placeTwips(n0, 2400, 720, 1455, 420);
    Label8 = caption("Label8", QString::fromStdString(boxCaption(ParameterBox::K)), 9.6);
    placeTwips(Label8, 120, 1200, 2175, 435);
    Kvalue = makeParameterBox(Frame4, "Kvalue", ParameterBox::K, colours::blue);
    placeTwips(Kvalue, 2400, 1200, 1455, 420);
    Label15 = caption("Label15", QString::fromStdString(boxCaption(ParameterBox::lag)), 12);
    placeTwips(Label15, 120, 1680, 1455, 375);
    tlag = makeParameterBox(Frame4, "tlag", ParameterBox::lag, colours::red);
    placeTwips(tlag, 2400, 1680, 1455, 420);
    Label3 = caption("Label3", QString::fromStdString(boxCaption(ParameterBox::steps)), 12);
    placeTwips(Label3, 120, 2160, 1215, 375);
    simut = makeParameterBox(Frame4, "simut", ParameterBox::steps, colours::blue);
    placeTwips(simut, 2400, 2160, 1455, 420);
    Label4 = caption("Label4", QString::fromStdString(resultCaption()), 12);
    setTextColour(Label4, colours::navy);
    placeTwips(Label4, 120, 2640, 3135, 375);

    Text4 = named(new QLineEdit(QString::fromStdString(resultPlaceholder()), Frame4), "Text4");
    // Each box is named by the label beside it, the result box by its label's caption of the moment.
    for (const auto& [label, box] : {std::pair{Label1, rrate}, std::pair{Label2, n0}, std::pair{Label8, Kvalue},
                                     std::pair{Label15, tlag}, std::pair{Label3, simut}, std::pair{Label4, Text4}})
        label->setBuddy(box);
    Text4->setFont(timesFont(14.4));
    Text4->setAlignment(Qt::AlignCenter);
    Text4->setReadOnly(true); // it shows a result; nothing reads what is typed there
    setTextColour(Text4, colours::blue);
    placeTwips(Text4, 120, 3000, 3735, 450);

    const QFont buttonFont = timesFont(ButtonPoints);
    // The captions and tool tips are the model's, which the page shows as well.
    const auto modelButton = [&](const char* name, const ButtonWords& words) {
        return makeButton(Frame4, name, QString::fromStdString(words.caption), QString::fromStdString(words.toolTip),
                          buttonFont);
    };
    Command15 = modelButton("Command15", presetButton(0, localeDecimalSeparator()));
    placeTwips(Command15, 120, 3480, 1095, 375);
    Command16 = modelButton("Command16", presetButton(1, localeDecimalSeparator()));
    placeTwips(Command16, 1440, 3480, 1095, 375);
    Command17 = modelButton("Command17", presetButton(2, localeDecimalSeparator()));
    placeTwips(Command17, 2760, 3480, 1095, 375);

    Command2 = modelButton("Command2", runButton());
    placeTwips(Command2, 120, 3960, 855, 375);
    Command10 = makeButton(Frame4, "Command10", QStringLiteral("P"), QStringLiteral("Print this page"), buttonFont);
    placeTwips(Command10, 1080, 3960, 495, 375);
    Command13 = makeButton(Frame4, "Command13", QStringLiteral("S"), QStringLiteral("Save graphic data"), buttonFont);
    placeTwips(Command13, 1680, 3960, 495, 375);
    Command11 = makeButton(Frame4, "Command11", QStringLiteral("LG"), QStringLiteral("Show large graph"), buttonFont);
    placeTwips(Command11, 2280, 3960, 735, 375);
    Command11->setEnabled(false); // there is nothing to enlarge before the first run
    Command1 = makeButton(Frame4, "Command1", QStringLiteral("Quit"), QStringLiteral("Quit this program"), buttonFont);
    placeTwips(Command1, 3120, 3960, 735, 375);
    for (QPushButton* button : {Command2, Command10, Command13, Command11, Command1})
        button->setCursor(handCursor());

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(500);
}

void MainWindow::buildGraphFrame()
{
    Frame2 = makeFrame(this, "Frame2", QStringLiteral("Graph"));
    placeTwips(Frame2, 4200, 120, 6255, 4455);

    MSChart1 = named(new ChartControl(Frame2), "MSChart1");
    placeTwips(MSChart1, 120, 192, 6060, 4140);
    MSChart1->hide(); // the first run shows it
    m_charts = std::make_unique<ChartFamily>(*MSChart1, m_state.store, ChartWindow::Main, &m_comparison);
    new ChartMenu(*MSChart1, m_services,
                  {.comparison = &m_comparison, .openDynamics = m_openDynamics, .player = &m_charts->player()});

    Label18 = named(new QLabel(QString::fromStdString(greetingHeadline()), Frame2), "Label18");
    applyLook(Label18,
              {.font = timesFont(24, Weight::Bold, true),
               .text = colours::yellow,
               .background = colours::darkGreen,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(Label18, 120, 240, 6015, 645);

    Label19 = named(new QLabel(Frame2), "Label19");
    applyLook(Label19,
              {.font = timesFont(15.6),
               .text = colours::yellow,
               .background = colours::blue,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(Label19, 120, 960, 6015, 3375);
}

void MainWindow::buildAuthorFrame()
{
    Frame3 = makeFrame(this, "Frame3", QStringLiteral("Author "));
    placeTwips(Frame3, 4200, 4680, 6255, 3015);

    Label9 = named(new QLabel(Frame3), "Label9");
    applyLook(Label9, {.font = timesFont(12)});
    placeTwips(Label9, 120, 240, 4092, 2172);

    Label6 = named(new QLabel(Frame3), "Label6");
    applyLook(Label6,
              {.font = timesFont(12), .background = colours::yellow, .alignment = Qt::AlignCenter, .border = true});
    placeTwips(Label6, 120, 2520, 3372, 372);

    Picture1 = makePicture(Frame3, "Picture1", QStringLiteral(":/pictures/emblem.png"), {identity::emblemName()});

    Command14 = makeButton(Frame3, "Command14", QString(), QStringLiteral("Quiz"), timesFont(ButtonPoints));
    Command14->setIcon(QIcon(QStringLiteral(":/pictures/quiz-button.png")));
    Command14->setIconSize(QSize(32, 32));
    Command14->setAccessibleName(Command14->toolTip()); // a picture button has no caption to be named by
    placeTwips(Command14, 3840, 2280, 615, 615);
}

void MainWindow::setTabOrder()
{
    // Run comes first, so that Enter at start runs the defaults.
    // The chart comes last: it takes the focus by Tab only, for its keys and its menu.
    const QList<QWidget*> order{Command2,  Command10, Command13, Command11, Command1, rrate,
                                n0,        Kvalue,    tlag,      simut,     Text4,    Command15,
                                Command16, Command17, Command8,  Command14, MSChart1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::connectHandlers()
{
    for (const auto& [box, edit] : m_boxes) {
        const ParameterBox which = box;
        connect(edit, &QLineEdit::textChanged, this, [this, which] { parameterChanged(which); });
        connect(edit, &QLineEdit::returnPressed, this, [this, which] { parameterConfirmed(which); });
    }
    connect(Command15, &QPushButton::clicked, this, [this] { applyPreset(0); });
    connect(Command16, &QPushButton::clicked, this, [this] { applyPreset(1); });
    connect(Command17, &QPushButton::clicked, this, [this] { applyPreset(2); });
    connect(Command2, &QPushButton::clicked, this, &MainWindow::run);
    connect(Command10, &QPushButton::clicked, this, &MainWindow::printRequested);
    connect(Command13, &QPushButton::clicked, this, &MainWindow::saveRequested);
    connect(Command11, &QPushButton::clicked, this, &MainWindow::ShowLargeGraph);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::refreshClock);
    connect(new ClickTracker(*Label6), &ClickTracker::clicked, this, &MainWindow::clearResult);
    connect(MSChart1, &ChartControl::clicked, this, &MainWindow::chartClicked);

    connect(Command8, &QPushButton::clicked, this, [this] { m_navigator.move(WindowId::Main, WindowId::Introduction); });
    connect(new ClickTracker(*Label17), &ClickTracker::clicked, this,
            [this] { m_navigator.move(WindowId::Main, WindowId::FurtherRemarks); });
    connect(Command14, &QPushButton::clicked, this,
            [this] { m_navigator.move(WindowId::Main, WindowId::Quiz, MoveOrder::ShowFirst); });
    connect(Command1, &QPushButton::clicked, this, [this] { m_navigator.move(WindowId::Main, WindowId::Notice); });
}

void MainWindow::load()
{
    Label7->setText(identity::noticeLine(m_services.clock.now().date().year()));

    const double frameWidth = 3975.0;
    const double imageWidth = pictureTwips(BannerPixels.width());
    placeTwips(Image1, (frameWidth - imageWidth) / 2, 300, imageWidth, pictureTwips(BannerPixels.height()));

    Label17->setText(identity::programTitle());
    Label9->setText(identity::contactBlock().join(QLatin1Char('\n')));
    Label19->setText(QString::fromStdString(greetingInstructions()));
    Label18->show();
    Label19->show();

    if (const auto steps = readLenient(simut->text().toStdString(), localeDecimalSeparator()))
        if (const auto rounded = roundToInt16(*steps))
            m_state.store.LastStep = *rounded;

    const double frame3Width = 6255.0, frame3Height = 3015.0;
    placeTwips(Picture1, frame3Width - PictureBoxWidth - 80, (frame3Height - PictureBoxHeight) / 2, PictureBoxWidth,
               PictureBoxHeight);

    refreshClock();
    Timer1->start();
    Command2->setFocus();
}

QLineEdit* MainWindow::boxFor(ParameterBox box) const { return m_boxes.at(box); }

RunTexts MainWindow::parameterTexts() const
{
    const auto text = [this](ParameterBox box) { return boxFor(box)->text().toStdString(); };
    return {text(ParameterBox::r), text(ParameterBox::K), text(ParameterBox::steps), text(ParameterBox::n0),
            text(ParameterBox::lag)};
}

void MainWindow::run()
{
    // A refused run changes nothing: not the store, not the chart, not the result box.
    const auto parameters = readRunParameters(parameterTexts(), localeDecimalSeparator());
    if (const auto* refusal = std::get_if<RunRefusal>(&parameters)) {
        m_services.messages.inform(this, QString::fromStdString(refusalMessage(*refusal, localeDecimalSeparator())));
        return;
    }
    Label18->hide();
    Label19->hide();

    const RunOutcome outcome = runModel(m_state.store, std::get<RunParameters>(parameters));
    if (outcome.end != RunEnd::Refused)
        m_comparison.setCurrentRun(std::get<RunParameters>(parameters)); // before the chart names it
    const ResultStore& store = m_state.store;
    // The result box is named by its label's caption: the new name first, then the result, which
    // assistive technology hears as the box's text changing.
    Label4->setText(QString::fromStdString(resultCaption(store.LastStep)));
    QAccessibleEvent renamed(Text4, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    Text4->setText(
        QString::fromStdString(numberToText(store.PopN[std::size_t(store.LastStep)], localeDecimalSeparator())));
    MSChart1->show();
    m_charts->ShowNtvsT();
    Command2->setEnabled(false);
    // Run is off now; left to itself, the focus would pass on to "P", and the next Enter would print.
    // In the first box, Enter confirms it and hands the focus back to Run, so Enters run again.
    rrate->setFocus();
    Command11->setEnabled(true);
    showRunOutcome(outcome);
}

void MainWindow::showRunOutcome(const RunOutcome& outcome)
{
    if (outcome.end != RunEnd::LeftRange || !outcome.exit)
        return;
    m_services.messages.inform(this, QString::fromStdString(rangeExitMessage(outcome.lastStep, *outcome.exit)));
}

void MainWindow::parameterChanged(ParameterBox box)
{
    clearResult();
    if (changeDisablesRun(box))
        Command2->setEnabled(false);
}

void MainWindow::parameterConfirmed(ParameterBox box)
{
    QLineEdit* edit = boxFor(box);
    const EnterResult result = confirmEntry(box, edit->text().toStdString(), localeDecimalSeparator());
    if (result.replacement)
        edit->setText(QString::fromStdString(*result.replacement)); // raises the box's change
    if (!m_entryBalloon)
        m_entryBalloon = new EntryBalloon(this);
    m_entryBalloon->showFor(edit, QString::fromStdString(entryNote(box, result.fix, localeDecimalSeparator())));
    if (result.enablesRun) {
        Command2->setEnabled(true);
        Command2->setFocus();
    }
}

void MainWindow::applyPreset(int preset)
{
    for (const auto& [box, text] : presetTexts(preset, localeDecimalSeparator()))
        boxFor(box)->setText(QString::fromStdString(text));
    presetWritten();
}

void MainWindow::presetRateAndLag(std::optional<double> r, std::optional<double> lag)
{
    const auto write = [this](ParameterBox box, double value) {
        boxFor(box)->setText(QString::fromStdString(numberToText(value, localeDecimalSeparator())));
    };
    if (r)
        write(ParameterBox::r, *r);
    if (lag)
        write(ParameterBox::lag, *lag);
    presetWritten();
}

QRect MainWindow::parameterArea() const { return QRect(Frame4->mapToGlobal(QPoint(0, 0)), Frame4->size()); }

// What a preset does once its texts are in the boxes, whose changes switched Run off.
void MainWindow::presetWritten()
{
    clearResult();
    Command2->setEnabled(true);
}

void MainWindow::clearResult()
{
    Text4->clear();
    MSChart1->hide();
}

void MainWindow::refreshClock() { Label6->setText(clockText(m_services.clock.now())); }

void MainWindow::chartClicked() { m_charts->draw(advanceChartCycle(m_state.ChartCycleMain)); }

void MainWindow::ShowLargeGraph()
{
    m_navigator.move(WindowId::Main, WindowId::LargeGraph);
    // The large chart opens on N(t) in whatever look its series had last.
    if (auto* large = qobject_cast<LargeGraphWindow*>(m_navigator.existing(WindowId::LargeGraph)))
        large->charts().drawKeepingLook(ChartKind::NtvsT);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends Tarnis at once, without the leaving sequence of "Quit".
    event->accept();
    m_services.processEnd.endProcess();
}

} // namespace tarnis
