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
#include "ui/localized.h"
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

#include <array>
#include <limits>

namespace tarnis {

namespace {

constexpr double ButtonPoints = 12.0;
constexpr QSizeF ClientTwips{10608, 7764};
constexpr QSize BannerPixels{231, 76};     // design size of the banner picture
constexpr double PictureBoxWidth = 1656.0; // the author panel's picture box, in twips
constexpr double PictureBoxHeight = 2172.0;
// "Data 1" to "Data 3" stand in a row, one step of twips apart.
constexpr std::array<const char*, PresetCount> PresetButtonNames{"Command15", "Command16", "Command17"};
constexpr double PresetButtonStep = 1320.0;

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
                       ChartMenuOptions chartMenu)
    : FixedWindow({"Form1", identity::programTitle(), ClientTwips, FrameStyle::Single, false})
    , m_state(state)
    , m_comparison(comparison)
    , m_navigator(navigator)
    , m_services(services)
    , m_chartMenu(std::move(chartMenu))
{
    setBackground(this, colours::white);
    setFont(sansSerifFont(7.8, Weight::Bold));

    buildTitlePanel();
    buildDataFrame();
    buildGraphFrame();
    buildAuthorFrame();
    setTabOrder();
    connectHandlers();
    prepareFirstShow();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitlePanel()
{
    m_programTitle = named(new QLabel(this), "Label17");
    applyLook(m_programTitle,
              {.font = timesFont(15.6),
               .text = colours::yellow,
               .background = colours::red,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(m_programTitle, 120, 120, 3975, 855);

    m_noticeLine = named(new QLabel(this), "Label7");
    applyLook(
        m_noticeLine,
        {.font = sansSerifFont(7.8, Weight::Bold), .alignment = Qt::AlignHCenter | Qt::AlignTop, .wordWrap = false});
    placeTwips(m_noticeLine, 240, 1080, 3735, 255);

    m_bannerFrame = named(new QWidget(this), "Frame1");
    placeTwips(m_bannerFrame, 120, 1320, 3975, 1815);
    m_banner
        = makePicture(m_bannerFrame, "Image1", QStringLiteral(":/pictures/banner.png"),
                      {localized("Tarnis: time-lag logistic growth"),
                       localized("A curve that rises, overshoots the carrying capacity K and settles around it.")});

    m_introductionButton = makeButton(this, "Command8", localized("more ..."), localized("Introduction"),
                                      sansSerifFont(7.8, Weight::Bold));
    placeTwips(m_introductionButton, 1680, 2640, 855, 375);
    m_introductionButton->setCursor(handCursor());
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
    m_dataFrame = makeFrame(this, "Frame4", localized("Data"));
    placeTwips(m_dataFrame, 120, 3240, 3975, 4455);

    const auto caption = [this](const char* name, const QString& text, double points) {
        auto* label = named(new QLabel(text, m_dataFrame), name);
        applyLook(label, {.font = timesFont(points)});
        return label;
    };
    m_rateCaption = caption("Label1", QString::fromStdString(boxCaption(ParameterBox::r)), 9.6);
    placeTwips(m_rateCaption, 120, 240, 1935, 255);
    m_rateBox = makeParameterBox(m_dataFrame, "rrate", ParameterBox::r, colours::blue);
    placeTwips(m_rateBox, 2400, 240, 1455, 420);
    m_initialSizeCaption = caption("Label2", QString::fromStdString(boxCaption(ParameterBox::n0)), 9.6);
    placeTwips(m_initialSizeCaption, 120, 720, 1815, 495);
    m_initialSizeBox = makeParameterBox(m_dataFrame, "n0", ParameterBox::n0, colours::blue);
    placeTwips(m_initialSizeBox, 2400, 720, 1455, 420);
    m_capacityCaption = caption("Label8", QString::fromStdString(boxCaption(ParameterBox::K)), 9.6);
    placeTwips(m_capacityCaption, 120, 1200, 2175, 435);
    m_capacityBox = makeParameterBox(m_dataFrame, "Kvalue", ParameterBox::K, colours::blue);
    placeTwips(m_capacityBox, 2400, 1200, 1455, 420);
    m_lagCaption = caption("Label15", QString::fromStdString(boxCaption(ParameterBox::lag)), 12);
    placeTwips(m_lagCaption, 120, 1680, 1455, 375);
    m_lagBox = makeParameterBox(m_dataFrame, "tlag", ParameterBox::lag, colours::red);
    placeTwips(m_lagBox, 2400, 1680, 1455, 420);
    m_stepsCaption = caption("Label3", QString::fromStdString(boxCaption(ParameterBox::steps)), 12);
    placeTwips(m_stepsCaption, 120, 2160, 1215, 375);
    m_stepsBox = makeParameterBox(m_dataFrame, "simut", ParameterBox::steps, colours::blue);
    placeTwips(m_stepsBox, 2400, 2160, 1455, 420);
    m_resultCaption = caption("Label4", QString::fromStdString(resultCaption()), 12);
    setTextColour(m_resultCaption, colours::navy);
    placeTwips(m_resultCaption, 120, 2640, 3135, 375);

    m_resultBox = named(new QLineEdit(QString::fromStdString(resultPlaceholder()), m_dataFrame), "Text4");
    // Each box is named by the label beside it, the result box by its label's caption of the moment.
    for (const auto& [label, box] :
         {std::pair{m_rateCaption, m_rateBox}, std::pair{m_initialSizeCaption, m_initialSizeBox},
          std::pair{m_capacityCaption, m_capacityBox}, std::pair{m_lagCaption, m_lagBox},
          std::pair{m_stepsCaption, m_stepsBox}, std::pair{m_resultCaption, m_resultBox}})
        label->setBuddy(box);
    m_resultBox->setFont(timesFont(14.4));
    m_resultBox->setAlignment(Qt::AlignCenter);
    m_resultBox->setReadOnly(true); // it shows a result; nothing reads what is typed there
    setTextColour(m_resultBox, colours::blue);
    placeTwips(m_resultBox, 120, 3000, 3735, 450);

    const QFont buttonFont = timesFont(ButtonPoints);
    // The captions and tool tips are the model's, which the page shows as well.
    const auto modelButton = [&](const char* name, const ButtonWords& words) {
        return makeButton(m_dataFrame, name, QString::fromStdString(words.caption),
                          QString::fromStdString(words.toolTip), buttonFont);
    };
    for (int preset = 0; preset < PresetCount; ++preset) {
        QPushButton*& button = m_presetButtons[std::size_t(preset)];
        button = modelButton(PresetButtonNames[std::size_t(preset)], presetButton(preset, localeDecimalSeparator()));
        placeTwips(button, 120 + PresetButtonStep * preset, 3480, 1095, 375);
    }

    m_runButton = modelButton("Command2", runButton());
    placeTwips(m_runButton, 120, 3960, 855, 375);
    m_printButton
        = makeButton(m_dataFrame, "Command10",
                     // TRANSLATORS: the caption of the button that prints the main window: the first letter of "Print".
                     localized("P"), localized("Print this page"), buttonFont);
    placeTwips(m_printButton, 1080, 3960, 495, 375);
    m_saveButton
        = makeButton(m_dataFrame, "Command13",
                     // TRANSLATORS: the caption of the button that saves the run's data: the first letter of "Save".
                     localized("S"), localized("Save graphic data"), buttonFont);
    placeTwips(m_saveButton, 1680, 3960, 495, 375);
    m_largeGraphButton = makeButton(
        m_dataFrame, "Command11",
        // TRANSLATORS: the caption of the button that shows the large graph: the initials of "Large Graph".
        localized("LG"), localized("Show large graph"), buttonFont);
    placeTwips(m_largeGraphButton, 2280, 3960, 735, 375);
    m_largeGraphButton->setEnabled(false); // there is nothing to enlarge before the first run
    m_quitButton = makeButton(m_dataFrame, "Command1", localized("Quit"), localized("Quit this program"), buttonFont);
    placeTwips(m_quitButton, 3120, 3960, 735, 375);
    for (QPushButton* button : {m_runButton, m_printButton, m_saveButton, m_largeGraphButton, m_quitButton})
        button->setCursor(handCursor());

    m_clockTimer = named(new QTimer(this), "Timer1");
    m_clockTimer->setInterval(500);
}

void MainWindow::buildGraphFrame()
{
    m_graphFrame = makeFrame(this, "Frame2", localized("Graph"));
    placeTwips(m_graphFrame, 4200, 120, 6255, 4455);

    m_chart = named(new ChartControl(m_graphFrame), "MSChart1");
    placeTwips(m_chart, 120, 192, 6060, 4140);
    m_chart->hide(); // the first run shows it
    m_charts = std::make_unique<ChartFamily>(*m_chart, m_state.store, ChartWindow::Main, &m_comparison);
    m_chartMenu.comparison = &m_comparison;
    m_chartMenu.player = &m_charts->player();
    new ChartMenu(*m_chart, m_services, m_chartMenu);

    m_greeting = named(new QLabel(QString::fromStdString(greetingHeadline()), m_graphFrame), "Label18");
    applyLook(m_greeting,
              {.font = timesFont(24, Weight::Bold, true),
               .text = colours::yellow,
               .background = colours::darkGreen,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(m_greeting, 120, 240, 6015, 645);

    m_instructions = named(new QLabel(m_graphFrame), "Label19");
    applyLook(m_instructions,
              {.font = timesFont(15.6),
               .text = colours::yellow,
               .background = colours::blue,
               .alignment = Qt::AlignCenter,
               .border = true});
    placeTwips(m_instructions, 120, 960, 6015, 3375);
}

void MainWindow::buildAuthorFrame()
{
    m_authorFrame =
        // TRANSLATORS: the title of the frame with the maker's address and the clock.
        makeFrame(this, "Frame3", localized("Author "));
    placeTwips(m_authorFrame, 4200, 4680, 6255, 3015);

    m_contactBlock = named(new QLabel(m_authorFrame), "Label9");
    applyLook(m_contactBlock, {.font = timesFont(12)});
    placeTwips(m_contactBlock, 120, 240, 4092, 2172);

    m_clock = named(new QLabel(m_authorFrame), "Label6");
    applyLook(m_clock,
              {.font = timesFont(12), .background = colours::yellow, .alignment = Qt::AlignCenter, .border = true});
    placeTwips(m_clock, 120, 2520, 3372, 372);

    m_emblem
        = makePicture(m_authorFrame, "Picture1", QStringLiteral(":/pictures/emblem.png"), {identity::emblemName()});

    m_quizButton = makeButton(m_authorFrame, "Command14", QString(), localized("Quiz"), timesFont(ButtonPoints));
    m_quizButton->setIcon(QIcon(QStringLiteral(":/pictures/quiz-button.png")));
    m_quizButton->setIconSize(QSize(32, 32));
    m_quizButton->setAccessibleName(m_quizButton->toolTip()); // a picture button has no caption to be named by
    placeTwips(m_quizButton, 3840, 2280, 615, 615);
}

void MainWindow::setTabOrder()
{
    // Run comes first, so that Enter at start runs the defaults.
    // The chart comes last: it takes the focus by Tab only, for its keys and its menu.
    const QList<QWidget*> order{m_runButton,
                                m_printButton,
                                m_saveButton,
                                m_largeGraphButton,
                                m_quitButton,
                                m_rateBox,
                                m_initialSizeBox,
                                m_capacityBox,
                                m_lagBox,
                                m_stepsBox,
                                m_resultBox,
                                m_presetButtons[0],
                                m_presetButtons[1],
                                m_presetButtons[2],
                                m_introductionButton,
                                m_quizButton,
                                m_chart};
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
    for (int preset = 0; preset < PresetCount; ++preset)
        connect(m_presetButtons[std::size_t(preset)], &QPushButton::clicked, this,
                [this, preset] { applyPreset(preset); });
    connect(m_runButton, &QPushButton::clicked, this, &MainWindow::run);
    connect(m_printButton, &QPushButton::clicked, this, &MainWindow::printRequested);
    connect(m_saveButton, &QPushButton::clicked, this, &MainWindow::saveRequested);
    connect(m_largeGraphButton, &QPushButton::clicked, this, &MainWindow::showLargeGraph);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::refreshClock);
    connect(new ClickTracker(*m_clock), &ClickTracker::clicked, this, &MainWindow::clearResult);
    connect(m_chart, &ChartControl::clicked, this, &MainWindow::chartClicked);

    connect(m_introductionButton, &QPushButton::clicked, this,
            [this] { m_navigator.move(WindowId::Main, WindowId::Introduction); });
    connect(new ClickTracker(*m_programTitle), &ClickTracker::clicked, this,
            [this] { m_navigator.move(WindowId::Main, WindowId::FurtherRemarks); });
    connect(m_quizButton, &QPushButton::clicked, this,
            [this] { m_navigator.move(WindowId::Main, WindowId::Quiz, MoveOrder::ShowFirst); });
    connect(m_quitButton, &QPushButton::clicked, this, [this] { m_navigator.move(WindowId::Main, WindowId::Notice); });
}

void MainWindow::prepareFirstShow()
{
    m_noticeLine->setText(identity::noticeLine(m_services.clock.now().date().year()));

    const double bannerFrameWidth = 3975.0;
    const double bannerWidth = pictureTwips(BannerPixels.width());
    placeTwips(m_banner, (bannerFrameWidth - bannerWidth) / 2, 300, bannerWidth, pictureTwips(BannerPixels.height()));

    m_programTitle->setText(identity::programTitle());
    m_contactBlock->setText(identity::contactBlock().join(QLatin1Char('\n')));
    m_instructions->setText(QString::fromStdString(greetingInstructions()));
    m_greeting->show();
    m_instructions->show();

    if (const auto steps = readLenient(m_stepsBox->text().toStdString(), localeDecimalSeparator()))
        if (const auto rounded = roundToInt16(*steps))
            m_state.store.LastStep = *rounded;

    const double authorFrameWidth = 6255.0, authorFrameHeight = 3015.0;
    placeTwips(m_emblem, authorFrameWidth - PictureBoxWidth - 80, (authorFrameHeight - PictureBoxHeight) / 2,
               PictureBoxWidth, PictureBoxHeight);

    refreshClock();
    m_clockTimer->start();
    m_runButton->setFocus();
}

QLineEdit* MainWindow::boxFor(ParameterBox box) const { return m_boxes.at(box); }

RunTexts MainWindow::parameterTexts() const
{
    const auto text = [this](ParameterBox box) { return boxFor(box)->text().toStdString(); };
    return {text(ParameterBox::r), text(ParameterBox::K), text(ParameterBox::steps), text(ParameterBox::n0),
            text(ParameterBox::lag)};
}

bool MainWindow::runTexts(const RunTexts& texts)
{
    for (const auto& [box, text] : {std::pair{ParameterBox::r, &texts.r}, std::pair{ParameterBox::n0, &texts.n0},
                                    std::pair{ParameterBox::K, &texts.K}, std::pair{ParameterBox::lag, &texts.lag},
                                    std::pair{ParameterBox::steps, &texts.steps}})
        boxFor(box)->setText(QString::fromStdString(*text));
    return run();
}

bool MainWindow::run()
{
    // A refused run changes nothing: not the store, not the chart, not the result box.
    const auto parameters = readRunParameters(parameterTexts(), localeDecimalSeparator());
    if (const auto* refusal = std::get_if<RunRefusal>(&parameters)) {
        m_services.messages.inform(this, QString::fromStdString(refusalMessage(*refusal, localeDecimalSeparator())));
        return false;
    }
    m_greeting->hide();
    m_instructions->hide();

    const RunOutcome outcome = runModel(m_state.store, std::get<RunParameters>(parameters));
    if (outcome.end != RunEnd::Refused)
        m_comparison.setCurrentRun(std::get<RunParameters>(parameters)); // before the chart names it
    const ResultStore& store = m_state.store;
    // The result box is named by its label's caption: the new name first, then the result, which
    // assistive technology hears as the box's text changing.
    m_resultCaption->setText(QString::fromStdString(resultCaption(store.LastStep)));
    QAccessibleEvent renamed(m_resultBox, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    m_resultBox->setText(
        QString::fromStdString(numberToText(store.PopN[std::size_t(store.LastStep)], localeDecimalSeparator())));
    m_chart->show();
    m_charts->ShowNtvsT();
    m_runButton->setEnabled(false);
    // Run is off now; left to itself, the focus would pass on to "P", and the next Enter would print.
    // In the first box, Enter confirms it and hands the focus back to Run, so Enters run again.
    m_rateBox->setFocus();
    m_largeGraphButton->setEnabled(true);
    showRunOutcome(outcome);
    return outcome.end != RunEnd::Refused;
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
        m_runButton->setEnabled(false);
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
        m_runButton->setEnabled(true);
        m_runButton->setFocus();
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

QRect MainWindow::parameterArea() const { return QRect(m_dataFrame->mapToGlobal(QPoint(0, 0)), m_dataFrame->size()); }

// What a preset does once its texts are in the boxes, whose changes switched Run off.
void MainWindow::presetWritten()
{
    clearResult();
    m_runButton->setEnabled(true);
}

void MainWindow::clearResult()
{
    m_resultBox->clear();
    m_chart->hide();
}

void MainWindow::refreshClock() { m_clock->setText(clockText(m_services.clock.now())); }

void MainWindow::chartClicked() { m_charts->draw(advanceChartCycle(m_state.ChartCycleMain)); }

void MainWindow::showChart(ChartKind kind)
{
    m_state.ChartCycleMain = chartCyclePosition(kind);
    m_charts->draw(kind);
}

void MainWindow::showLargeGraph()
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
