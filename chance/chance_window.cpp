// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/chance_window.h"

#include "charts/picture_menu.h"
#include "charts/run_comparison.h"
#include "model/chance/ensemble_threads.h"
#include "model/numbers/conversions.h"
#include "model/words/ensemble_table.h"
#include "model/words/regime_words.h"
#include "ui/accessibility.h"
#include "ui/locale_numbers.h"
#include "ui/smallest_size.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <thread>

namespace tarnis {

namespace {

constexpr QSize FirstSize{720, 720};
constexpr QSize SmallestWindow{520, 560};
// How often what the work delivered is shown while it goes on, and when first.
constexpr int DrawingMilliseconds = 50;
constexpr int FirstLookMilliseconds = 10;
// Progress is handed over about this many times an ensemble: a delivery after every one of 100 000
// runs would keep the window's thread busy with the lock.
constexpr long long ProgressDeliveries = 200;

QString text(const std::string& words) { return QString::fromStdString(words); }

// Every core but one, which stays with the windows, as for the Dynamics window's work.
unsigned backgroundThreads()
{
    const unsigned cores = std::thread::hardware_concurrency(); // 0 when it cannot tell
    return cores > 1 ? cores - 1 : 1;
}

QLabel* wordsLabel(const char* objectName)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText); // the model's sentences are text, never markup
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLineEdit* numberBox(const char* objectName, const std::string& caption, const QString& shown)
{
    auto* box = new QLineEdit(shown);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(text(caption));
    return box;
}

// The work: the runs on every core but one, then what they say, all of it the model's.
void computeEnsemble(const EnsembleRequest& request, const std::atomic<bool>* cancel,
                     BackgroundJob<EnsembleDelivery>::Output& output)
{
    const long long every = std::max(1LL, request.runs / ProgressDeliveries);
    EnsembleControl control{.cancel = cancel,
                            .progress =
                                [&output, every](long long done, long long total) {
                                    if (done % every == 0 && done < total)
                                        output.deliver({.done = done, .total = total});
                                },
                            .threads = backgroundThreads(),
                            .keepTrajectories = true,
                            .lastKept = bandRuns(request.runs, request.parameters.steps)};
    const EnsembleResult result = ensembleRuns(request, 1, request.runs, control);
    if (result.cancelled)
        return;
    auto finished = std::make_shared<EnsembleDelivery::Finished>();
    finished->steps = request.parameters.steps;
    finished->summary = extinctionSummary(result.outcomes);
    finished->curves.survival = survivalCurve(result.outcomes, finished->steps);
    finished->curves.bands = percentileBands(result.members, request.parameters.steps);
    finished->curves.bandsNote = bandRunsWords(request.runs, finished->steps);
    // Without noise a run draws nothing and is the model's run; with no threshold it is never cut.
    finished->curves.deterministic
        = ensembleMember({.parameters = request.parameters, .noise = {}, .threshold = 0.0, .runs = 1}, 1).n;
    output.deliver({.done = request.runs, .total = request.runs, .finished = std::move(finished)});
}

} // namespace

ChanceWindow::ChanceWindow(RunComparison& comparison, Services services)
    : QWidget(nullptr, Qt::Window)
    , m_comparison(comparison)
    , m_services(services)
    , m_words(chanceWords())
    , m_restart(new QTimer(this))
    , m_drawing(new QTimer(this))
{
    setAccessibleRole(*this, QAccessible::Window); // a plain widget would be told as a pane
    setObjectName(QStringLiteral("Chance"));
    setWindowTitle(text(m_words.title));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    setAttribute(Qt::WA_DeleteOnClose); // closing cancels the ensemble; the next "Chance…" builds it afresh

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildControls());
    layout->addWidget(buildCharts(), 1);
    keepSmallestSize(*this, SmallestWindow);
    resize(FirstSize);
    addMenus();

    m_restart->setSingleShot(true);
    m_restart->setInterval(0);
    connect(m_restart, &QTimer::timeout, this, &ChanceWindow::runChanged);
    m_drawing->setInterval(DrawingMilliseconds);
    connect(m_drawing, &QTimer::timeout, this, &ChanceWindow::handOn);
    // Emitted inside the main window's Run click: only noted here, computed once the click is over.
    connect(&comparison, &RunComparison::currentRunChanged, m_restart, qOverload<>(&QTimer::start));
    connect(m_noiseChoice, &QComboBox::currentIndexChanged, this, &ChanceWindow::noiseChosen);
    connect(m_computeButton, &QPushButton::clicked, this, &ChanceWindow::computeAsked);
    for (QLineEdit* box : {m_sigmaBox, m_seedBox, m_thresholdBox})
        connect(box, &QLineEdit::returnPressed, this, &ChanceWindow::computeAsked);
    m_runsBox->installEventFilter(this); // Enter there too, which a spin box keeps to itself
    noiseChosen();
    computeAsked(); // the defaults, at once: the window opens on an ensemble of the last run
}

ChanceWindow::~ChanceWindow() = default;

QSize ChanceWindow::firstSize() { return FirstSize; }
QSize ChanceWindow::smallestSize() { return SmallestWindow; }

bool ChanceWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_runsBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_runsBox->interpretText(); // the digits typed, not the value before them
            computeAsked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ChanceWindow::working() const { return m_restart->isActive() || m_job.running() || m_drawing->isActive(); }

// The controls in a form, each with its caption as its label and its accessible name, the command and
// the refusal or progress under them.
QWidget* ChanceWindow::buildControls()
{
    const char separator = localeDecimalSeparator();
    m_noiseChoice = new QComboBox;
    m_noiseChoice->setObjectName(QStringLiteral("noiseChoice"));
    m_noiseChoice->setAccessibleName(text(m_words.noiseCaption));
    m_noiseChoice->addItems({text(m_words.demographic), text(m_words.environmental), text(m_words.both)});
    m_noiseChoice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_sigmaBox = numberBox("sigmaBox", m_words.sigmaCaption, text(numberToText(DefaultWindowSigma, separator)));
    m_runsBox = new QSpinBox;
    m_runsBox->setObjectName(QStringLiteral("runsBox"));
    m_runsBox->setAccessibleName(text(m_words.runsCaption));
    m_runsBox->setRange(1, int(MostWindowRuns));
    m_runsBox->setValue(int(DefaultWindowRuns));
    m_seedBox = numberBox("seedBox", m_words.seedCaption, QStringLiteral("1"));
    m_thresholdBox = numberBox("thresholdBox", m_words.thresholdCaption,
                               text(numberToText(DefaultExtinctionThreshold, separator)));
    m_computeButton = new QPushButton(text(m_words.computeCaption));
    m_computeButton->setObjectName(QStringLiteral("runEnsemble"));
    m_computeButton->setAccessibleName(m_computeButton->text());
    m_computeButton->setAutoDefault(true);

    // Three short rows, so that every text shows whole at the window's smallest width and the charts
    // keep most of its height: the noise on a row of its own (its longest choice is as wide as three
    // boxes), then σ, the runs and the seed, then the threshold and the command.
    auto* grid = new QGridLayout;
    const auto cell
        = [grid](int row, int column, const char* labelName, const std::string& caption, QWidget* field, int span = 1) {
              auto* label = new QLabel(text(caption));
              label->setObjectName(QLatin1String(labelName));
              label->setBuddy(field);
              grid->addWidget(label, row, column);
              grid->addWidget(field, row, column + 1, 1, span, span > 1 ? Qt::AlignLeft : Qt::Alignment());
          };
    cell(0, 0, "noiseLabel", m_words.noiseCaption, m_noiseChoice, 5);
    cell(1, 0, "sigmaLabel", m_words.sigmaCaption, m_sigmaBox);
    cell(1, 2, "runsLabel", m_words.runsCaption, m_runsBox);
    cell(1, 4, "seedLabel", m_words.seedCaption, m_seedBox);
    cell(2, 0, "thresholdLabel", m_words.thresholdCaption, m_thresholdBox);
    grid->addWidget(m_computeButton, 2, 2, 1, 4, Qt::AlignLeft);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    m_refusal = wordsLabel("entryRefusal");
    m_refusal->hide();

    auto* part = new QWidget;
    part->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); // the charts take the height
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(m_refusal);
    return part;
}

QWidget* ChanceWindow::buildCharts()
{
    m_fan = makeFanChart();
    m_survival = makeSurvivalChart();
    for (QCustomPlot* chart : {m_fan, m_survival})
        chart->setFocusPolicy(Qt::StrongFocus); // the menu key opens its menu
    m_sentence = wordsLabel("ensembleWords");
    // The progress takes the sentence's place while the runs are computed, so the charts never move.
    m_status = new QLabel(text(m_words.working));
    m_status->setObjectName(QStringLiteral("ensembleStatus"));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ensembleProgress"));
    m_progress->setAccessibleName(text(m_words.working));
    auto* progressRow = new QWidget;
    auto* row = new QHBoxLayout(progressRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_status);
    row->addWidget(m_progress, 1);
    m_under = new QStackedWidget;
    m_under->addWidget(m_sentence);
    m_under->addWidget(progressRow);
    // One over the other, each the window's width, which the fan chart's long title needs.
    auto* charts = new QVBoxLayout;
    charts->addWidget(m_fan, 3);
    charts->addWidget(m_survival, 2);
    auto* part = new QWidget;
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(charts, 1);
    layout->addWidget(m_under);
    return part;
}

// Each chart's pictures as the run charts' are made; both copy the same columns, the curves of both.
void ChanceWindow::addMenus()
{
    for (QCustomPlot* chart : {m_fan, m_survival}) {
        const std::string& title = chart == m_fan ? m_words.fanTitle : m_words.survivalTitle;
        new PictureMenu(*chart, m_services,
                        {.title = [title] { return text(title); },
                         .dataText = [this](QChar separator) { return dataText(separator); },
                         .dataFile = {.caption = text(m_words.saveData),
                                      .suggestedName = text(m_words.dataFileName),
                                      .content = [this] { return dataFile(); }}});
    }
}

EnsembleEntry ChanceWindow::entry() const
{
    const int noise = m_noiseChoice->currentIndex(); // demographic, environmental, both
    return {.demographic = noise != 1,
            .environmental = noise != 0,
            .sigma = m_sigmaBox->text().toStdString(),
            .seed = m_seedBox->text().toStdString(),
            .threshold = m_thresholdBox->text().toStdString(),
            .runs = m_runsBox->value()};
}

void ChanceWindow::noiseChosen() { m_sigmaBox->setEnabled(m_noiseChoice->currentIndex() != 0); }

// "Run the ensemble": the controls read as the model reads them; a refusal is said and nothing starts.
void ChanceWindow::computeAsked()
{
    const EnsembleEntry asked = entry();
    const auto& run = m_comparison.currentRun();
    if (!run) {
        m_accepted = asked; // computed once there is a run
        showRefusal(noRunWords().headline);
        return;
    }
    const EnsembleReading reading = readEnsembleEntry(asked, *run, localeDecimalSeparator());
    showRefusal(reading.refusal);
    if (!reading.request)
        return;
    m_accepted = asked;
    start(*reading.request);
}

// A new run of the main window, computed with the controls as they were last accepted.
void ChanceWindow::runChanged()
{
    const auto& run = m_comparison.currentRun();
    if (!run || !m_accepted)
        return;
    const EnsembleReading reading = readEnsembleEntry(*m_accepted, *run, localeDecimalSeparator());
    showRefusal(reading.refusal);
    if (reading.request)
        start(*reading.request);
}

// Under the controls only while there is something to say, so that the charts take the room.
void ChanceWindow::showRefusal(const std::string& refusal)
{
    m_refusal->setText(text(refusal));
    m_refusal->setAccessibleName(text(refusal)); // a new name is read out as it comes
    m_refusal->setVisible(!refusal.empty());
}

void ChanceWindow::start(const EnsembleRequest& request)
{
    m_request = request;
    m_job.start([request](const std::atomic<bool>* cancel, auto& output) { computeEnsemble(request, cancel, output); });
    showProgress(0, request.runs);
    m_drawing->start();
    QTimer::singleShot(FirstLookMilliseconds, this, &ChanceWindow::handOn);
}

void ChanceWindow::handOn()
{
    auto batch = m_job.take();
    for (const EnsembleDelivery& delivery : batch.items) {
        if (delivery.finished)
            m_finished = delivery.finished;
        else
            showProgress(delivery.done, delivery.total);
    }
    if (!batch.finished)
        return;
    m_drawing->stop();
    showFinished();
}

void ChanceWindow::showProgress(long long done, long long total)
{
    m_under->setCurrentIndex(1);
    m_progress->setRange(0, int(total));
    m_progress->setValue(int(done));
    m_progress->setFormat(text(ensembleProgressWords(done, total)));
}

void ChanceWindow::showFinished()
{
    m_under->setCurrentIndex(0);
    const EnsembleCurves* curves = m_finished ? &m_finished->curves : nullptr;
    showFan(*m_fan, curves);
    showSurvival(*m_survival, curves);
    const QString words = m_finished
        ? text(ensembleWords(m_finished->summary, m_finished->steps, localeDecimalSeparator()))
        : QString();
    m_sentence->setText(words);
    m_sentence->setAccessibleName(words);
}

// The curves as tarnis-run ensemble --summary writes them, with the same line ends.
QByteArray ChanceWindow::dataFile() const
{
    if (!m_finished)
        return {};
    const std::string table = ensembleTableText(
        {m_finished->summary, m_finished->steps, m_finished->curves.survival, m_finished->curves.bands}, true, "\r\n");
    return QByteArray::fromStdString(table);
}

QString ChanceWindow::dataText(QChar separator) const
{
    return ensembleDataText(m_finished ? &m_finished->curves : nullptr, separator);
}

} // namespace tarnis
