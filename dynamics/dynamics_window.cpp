// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/dynamics_window.h"

#include "charts/chart_control.h"
#include "charts/picture_menu.h"
#include "dynamics/bifurcation_plot.h"
#include "dynamics/plot_style.h"
#include "dynamics/run_preview.h"
#include "dynamics/stability_map.h"
#include "dynamics/steady_lines.h"
#include "dynamics/wrapping_scroll_area.h"
#include "model/words/continuous_words.h"
#include "model/words/regime_words.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/locale_numbers.h"
#include "ui/localized.h"
#include "ui/smallest_size.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarnis {

namespace {

constexpr QSize FirstSize{1120, 740};
// Narrow enough to open beside the main window's boxes on a screen 1280 pixels wide, low enough for one
// 768 pixels high. The words wrap to more lines as the window narrows; where the window is too low for
// them, they scroll and the plots keep their room. A language whose frame titles need more width, or
// whose lines under the plots need more height at this width, has the window larger: a title is read at
// a glance only when it is whole, and these lines must fit whatever the pointer rests on.
constexpr QSize SmallestWindow{680, 680};
constexpr QSize SmallestPlot{300, 280};
constexpr int SmallestWordLines = 3;

// Looked up when shown, in the language chosen at start-up (a constant would hold the English that
// stood before the choice).
QString hintOf(PointedPlot plot) { return QString::fromStdString(pointingHint(plot)); }

template <typename W> W* accessible(W* widget, const char* objectName, const QString& name)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(name);
    return widget;
}

// Lines under a plot that say what the pointer is on, in the room of the longest they may say.
SteadyLines* pointedLines(const char* objectName, const QString& name, WordsLine line)
{
    auto* lines = new SteadyLines(objectName, name);
    lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lines->keepRoomFor(lineForms(line, localeDecimalSeparator()));
    return lines;
}

QProgressBar* progressBar(const char* objectName, const QString& name)
{
    auto* bar = accessible(new QProgressBar, objectName, name);
    bar->setTextVisible(true);
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace

DynamicsWindow::DynamicsWindow(RunComparison& comparison, Services services, ParameterChoice choose)
    : QWidget(nullptr, Qt::Window)
    , m_services(services)
    , m_choose(std::move(choose))
    , m_work(comparison)
{
    setAccessibleRole(*this, QAccessible::Window); // a plain widget would be told as a pane
    setObjectName(QStringLiteral("Dynamics"));
    setWindowTitle(localized("Dynamics"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    setAttribute(Qt::WA_DeleteOnClose); // the navigator builds it afresh on the next "Dynamics…"

    // The last run in words above the map and as a trajectory above the diagram; the plots take the
    // height that is left, and the words scroll where that is too little for them.
    m_preview = new RunPreview(m_services);
    auto* run = new QHBoxLayout;
    run->addWidget(buildWordsPart(), 1);
    run->addWidget(m_preview, 1);
    auto* parts = new QHBoxLayout;
    parts->addWidget(buildMapPart(), 1);
    parts->addWidget(buildBifurcationPart(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(run);
    layout->addLayout(parts, 1);
    const QList<QWidget*> tabOrder{m_sentences,   m_continuousSentences, m_map, m_overRate, m_overLag,
                                   m_bifurcation, &m_preview->chart()};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    addMenus();
    keepSmallestSize(*this, SmallestWindow);
    resize(FirstSize);

    showWork();
    connect(m_map, &StabilityMap::chosen, this, [this](double r, double lag) { chosen(r, lag); });
    connect(m_bifurcation, &BifurcationPlot::chosen, this, [this](double value) {
        if (m_bifurcation->axis() == BifurcationAxis::Rate)
            chosen(value, std::nullopt);
        else
            chosen(std::nullopt, value);
    });
    m_work.followRun();
}

// What the work finds is drawn as it comes, with the progress of each part under it.
void DynamicsWindow::showWork()
{
    connect(&m_work, &DynamicsWork::planned, this, &DynamicsWindow::planned);
    connect(&m_work, &DynamicsWork::regimeCame, this, [this] {
        showRunWords();
        showPreview();
    });
    connect(&m_work, &DynamicsWork::continuousRegimeCame, this, &DynamicsWindow::showContinuousWords);
    connect(&m_work, &DynamicsWork::cellsCame, this, [this](const std::vector<ScanCell>& cells, bool finished) {
        m_map->addCells(cells);
        showProgress(m_mapProgress, m_map->computedCells(), m_map->cellCount(), finished);
    });
    connect(&m_work, &DynamicsWork::columnsCame, this,
            [this](const std::vector<DynamicsWork::Column>& columns, bool finished) {
                m_bifurcation->addColumns(columns);
                showProgress(m_bifurcationProgress, m_bifurcation->computedColumns(), m_bifurcation->columnCount(),
                             finished);
            });
}

QSize DynamicsWindow::firstSize() { return FirstSize; }
QSize DynamicsWindow::smallestSize() { return SmallestWindow; }

DynamicsWindow::~DynamicsWindow()
{
    // The plots outlive this part of the window for a moment, while the window closes under them.
    for (QObject* plot : {static_cast<QObject*>(m_map), static_cast<QObject*>(m_bifurcation)})
        disconnect(plot, nullptr, this, nullptr);
    disconnect(&m_work, nullptr, this, nullptr);
}

QGroupBox* DynamicsWindow::buildWordsPart()
{
    m_wordsPart = accessible(new QGroupBox(localized("The last run")), "wordsPart", localized("The last run in words"));
    m_headline = accessible(new QLabel, "regimeHeadline", localized("Regime of the last run"));
    QFont headlineFont = m_headline->font();
    headlineFont.setBold(true);
    headlineFont.setPointSizeF(headlineFont.pointSizeF() * 1.25);
    m_headline->setFont(headlineFont);
    m_sentences = accessible(new QLabel, "regimeWords", localized("What the last run does"));
    m_sentences->setWordWrap(true);
    // Tab reaches the words and the keyboard selects them; the part's own menu stands for the label's.
    m_sentences->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_sentences->setFocusPolicy(Qt::StrongFocus);
    m_sentences->setContextMenuPolicy(Qt::NoContextMenu);
    m_headline->setContextMenuPolicy(Qt::NoContextMenu);
    // The continuous twin under the run's own words, in the same scrolling text.
    m_continuousHeadline = accessible(new QLabel, "continuousHeadline", localized("Regime in continuous time"));
    QFont continuousFont = m_continuousHeadline->font();
    continuousFont.setBold(true);
    m_continuousHeadline->setFont(continuousFont);
    m_continuousSentences
        = accessible(new QLabel, "continuousWords", localized("What the run does in continuous time"));
    m_continuousSentences->setWordWrap(true);
    for (QLabel* label : {m_continuousHeadline, m_continuousSentences}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setContextMenuPolicy(Qt::NoContextMenu);
        label->hide(); // until its words come
    }
    m_continuousSentences->setFocusPolicy(Qt::StrongFocus);
    auto* text = new QWidget;
    auto* textLayout = new QVBoxLayout(text);
    textLayout->setContentsMargins(QMargins());
    textLayout->addWidget(m_sentences);
    textLayout->addSpacing(m_sentences->fontMetrics().lineSpacing() / 2);
    textLayout->addWidget(m_continuousHeadline);
    textLayout->addWidget(m_continuousSentences);
    textLayout->addStretch(1);
    // Room that is always there, so that a click does not move the plots under the pointer.
    m_choiceNote = new SteadyLines("choiceNote", localized("What the last click wrote"));
    m_choiceNote->setContextMenuPolicy(Qt::NoContextMenu);
    QFont noteFont = m_choiceNote->font();
    noteFont.setBold(true);
    m_choiceNote->setFont(noteFont);
    m_choiceNote->keepRoomFor(lineForms(WordsLine::Choice, localeDecimalSeparator()));
    m_sentencesArea = new WrappingScrollArea(text, SmallestWordLines);
    // The area asks for the room of the run's own words alone: the continuous twin's are there to scroll
    // to, so that the plots keep the room they have at every size of the window.
    m_sentencesArea->askFor([this](int width) { return m_sentences->heightForWidth(width); });
    m_sentencesArea->setObjectName(QStringLiteral("wordsArea"));
    auto* layout = new QVBoxLayout(m_wordsPart);
    layout->addWidget(m_headline);
    layout->addWidget(m_sentencesArea, 1);
    layout->addWidget(m_choiceNote);
    return m_wordsPart;
}

QGroupBox* DynamicsWindow::buildMapPart()
{
    m_mapPart = accessible(new QGroupBox(localized("Stability map")), "mapPart", localized("Stability map"));
    m_map = accessible(new StabilityMap, "stabilityMap",
                       localized("Stability map: the regime for each lag T and rate r"));
    m_map->setAccessibleDescription(hintOf(PointedPlot::Map));
    // A longer language's legend needs a wider map than the English one was designed for.
    m_map->setMinimumSize(SmallestPlot.expandedTo(QSize(m_map->leastLegendWidth(), 0)));
    m_mapPointed = pointedLines("mapPointed", localized("The cell pointed at"), WordsLine::MapPointed);
    m_mapPointed->setText(hintOf(PointedPlot::Map));
    m_mapProgress = progressBar("mapProgress", localized("Progress of the stability map"));
    connect(m_map, &StabilityMap::pointed, this, [this](const QString& words) {
        m_mapPointed->setText(words.isEmpty() ? hintOf(PointedPlot::Map) : words);
        previewFollows(m_map);
    });
    auto* layout = new QVBoxLayout(m_mapPart);
    layout->addWidget(m_map, 1);
    layout->addWidget(m_mapPointed);
    layout->addWidget(m_mapProgress);
    return m_mapPart;
}

QGroupBox* DynamicsWindow::buildBifurcationPart()
{
    m_bifurcationPart = accessible(new QGroupBox(localized("Bifurcation diagram and Lyapunov exponent")),
                                   "bifurcationPart", localized("Bifurcation diagram and Lyapunov exponent"));
    m_overRate = accessible(new QRadioButton(localized("over r")), "overRate",
                            localized("Bifurcation diagram over r at the run's lag"));
    m_overLag = accessible(new QRadioButton(localized("over lag")), "overLag",
                           localized("Bifurcation diagram over the lag at the run's r"));
    m_overRate->setChecked(true);
    auto* axes = new QButtonGroup(m_bifurcationPart);
    axes->addButton(m_overRate);
    axes->addButton(m_overLag);
    connect(m_overRate, &QRadioButton::toggled, this, &DynamicsWindow::axisChosen);
    m_bifurcation = accessible(new BifurcationPlot, "bifurcationPlot",
                               localized("Bifurcation diagram with the Lyapunov exponent under it"));
    m_bifurcation->setAccessibleDescription(hintOf(PointedPlot::DiagramOverRate));
    m_bifurcation->setMinimumSize(SmallestPlot);
    m_bifurcationPointed
        = pointedLines("bifurcationPointed", localized("The column pointed at"), WordsLine::DiagramPointed);
    m_bifurcationPointed->setText(hintOf(PointedPlot::DiagramOverRate));
    m_bifurcationProgress = progressBar("bifurcationProgress", localized("Progress of the bifurcation diagram"));
    connect(m_bifurcation, &BifurcationPlot::pointed, this, [this](const QString& words) {
        const bool overRate = m_bifurcation->axis() == BifurcationAxis::Rate;
        m_bifurcationPointed->setText(
            words.isEmpty() ? (overRate ? hintOf(PointedPlot::DiagramOverRate) : hintOf(PointedPlot::DiagramOverLag))
                            : words);
        previewFollows(m_bifurcation);
    });
    auto* switchRow = new QHBoxLayout;
    switchRow->addWidget(m_overRate);
    switchRow->addWidget(m_overLag);
    switchRow->addStretch(1);
    auto* layout = new QVBoxLayout(m_bifurcationPart);
    layout->addLayout(switchRow);
    layout->addWidget(m_bifurcation, 1);
    layout->addWidget(m_bifurcationPointed);
    layout->addWidget(m_bifurcationProgress);
    return m_bifurcationPart;
}

// The words are a text: their menu copies it. The plots are pictures with data, which zoom.
void DynamicsWindow::addMenus()
{
    auto* wordsMenu = new QMenu(m_wordsPart);
    wordsMenu->setObjectName(QStringLiteral("chartMenu"));
    wordsMenu->setAccessibleName(localized("Menu of the words"));
    connect(wordsMenu->addAction(localized("Copy text")), &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(wordsDataText(QChar::fromLatin1(localeDecimalSeparator()))); });
    m_wordsPart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_wordsPart, &QWidget::customContextMenuRequested, wordsMenu,
            [this, wordsMenu](const QPoint& at) { wordsMenu->popup(m_wordsPart->mapToGlobal(at)); });
    const auto plotMenu = [this](PointingPlot* plot, std::function<QString()> title,
                                 std::function<QString(QChar)> dataText) {
        QMenu* menu = (new PictureMenu(*plot, m_services, {.title = std::move(title), .dataText = std::move(dataText)}))
                          ->menu();
        menu->addSeparator();
        connect(menu->addAction(localized("Fit to data")), &QAction::triggered, plot, &PointingPlot::fitToData);
    };
    plotMenu(
        m_map, [this] { return m_map->title(); }, [this](QChar separator) { return m_map->dataText(separator); });
    plotMenu(
        m_bifurcation, [this] { return m_bifurcation->title(); },
        [this](QChar separator) { return m_bifurcation->dataText(separator); });
}

// The preview shows the place of the plot that points at one, of the one that pointed last where both
// do (the keys' place stays on a plot while the pointer moves over the other), else the last run.
void DynamicsWindow::previewFollows(PointingPlot* plot)
{
    PointingPlot* other = plot == m_map ? static_cast<PointingPlot*>(m_bifurcation) : m_map;
    if (plot->pointedPlace())
        m_previewFrom = plot;
    else if (m_previewFrom == plot)
        m_previewFrom = other->pointedPlace() ? other : nullptr;
    showPreview();
}

// Over as many steps as the last run, whichever run it shows.
void DynamicsWindow::showPreview()
{
    const auto& plan = m_work.plan();
    if (!plan) {
        m_preview->showNoRun(QString::fromStdString(noRunWords().headline));
        return;
    }
    if (auto pointed = m_previewFrom ? m_previewFrom->pointedRun() : std::nullopt) {
        pointed->steps = plan->run.steps;
        m_preview->showRun(*pointed, m_previewFrom->pointedWords());
        return;
    }
    m_preview->showRun(plan->run,
                       QString::fromStdString(
                           runInOneLine(plan->run, m_work.report(), !m_work.reportCame(), localeDecimalSeparator())));
}

// The boxes are written (and brought into sight by the one who wrote them), and the window says so.
void DynamicsWindow::chosen(std::optional<double> r, std::optional<double> lag)
{
    m_choose(r, lag);
    m_choiceNote->setText(QString::fromStdString(choiceWords(r, lag, localeDecimalSeparator())));
}

// A part computed anew starts empty; a part that keeps its work moves the run's marks. The words follow
// the run's steps either way.
void DynamicsWindow::planned(const DynamicsRestart& restart)
{
    if (restart.regime)
        m_choiceNote->clear(); // what it said belongs to the run before
    const auto& plan = m_work.plan();
    if (!plan)
        return showNoRun();
    showRunWords();
    if (restart.map)
        m_map->showPlan(*plan);
    else
        m_map->moveRun(plan->run);
    if (restart.diagram)
        m_bifurcation->showPlan(*plan, chosenAxis());
    else
        m_bifurcation->moveMarks(*plan);
    showPreview();
}

void DynamicsWindow::showNoRun()
{
    showWords(noRunWords());
    showContinuousWords();
    m_map->showNoRun();
    m_bifurcation->showNoRun();
    showProgress(m_mapProgress, 0, 0, false);
    showProgress(m_bifurcationProgress, 0, 0, false);
    showPreview();
}

// The run's regime in words once it came, else that it is being worked out.
void DynamicsWindow::showRunWords()
{
    const RunParameters& run = m_work.plan()->run;
    showWords(m_work.reportCame() ? runInWords(run, m_work.report(), localeDecimalSeparator())
                                  : workingWords(run, localeDecimalSeparator()));
    showContinuousWords();
}

// The continuous twin's words once its report came, then how the two models meet at the run's lag;
// nothing before, and nothing for a lag beyond the analysis, whose words say so already.
void DynamicsWindow::showContinuousWords()
{
    const auto& plan = m_work.plan();
    const bool shown = plan && plan->analysed && m_work.continuousCame();
    m_continuousHeadline->setVisible(shown);
    m_continuousSentences->setVisible(shown);
    if (shown) {
        const char separator = localeDecimalSeparator();
        const RunWords words = continuousRunInWords(plan->run, m_work.continuousReport(), separator);
        const std::string bridge = bridgeWords(plan->run.lag, separator);
        m_continuousHeadline->setText(QString::fromStdString(words.headline));
        m_continuousSentences->setText(
            QString::fromStdString(bridge.empty() ? words.sentences : words.sentences + "\n\n" + bridge));
    } else {
        m_continuousHeadline->clear();
        m_continuousSentences->clear();
    }
    m_sentencesArea->textChanged();
}

BifurcationAxis DynamicsWindow::chosenAxis() const
{
    return m_overRate->isChecked() ? BifurcationAxis::Rate : BifurcationAxis::Lag;
}

void DynamicsWindow::chooseAxis(BifurcationAxis axis)
{
    // The button's toggle does the rest, as a click on it does.
    (axis == BifurcationAxis::Rate ? m_overRate : m_overLag)->setChecked(true);
}

void DynamicsWindow::axisChosen()
{
    const bool overRate = chosenAxis() == BifurcationAxis::Rate;
    m_bifurcation->setAccessibleDescription(overRate ? hintOf(PointedPlot::DiagramOverRate)
                                                     : hintOf(PointedPlot::DiagramOverLag));
    m_bifurcationPointed->setText(overRate ? hintOf(PointedPlot::DiagramOverRate)
                                           : hintOf(PointedPlot::DiagramOverLag));
    if (const auto& plan = m_work.plan())
        m_bifurcation->showPlan(*plan, chosenAxis());
    m_work.chooseAxis(chosenAxis());
}

void DynamicsWindow::showWords(const RunWords& words)
{
    m_headline->setText(QString::fromStdString(words.headline));
    m_sentences->setText(QString::fromStdString(words.sentences));
    m_sentencesArea->textChanged();
}

void DynamicsWindow::showProgress(QProgressBar* bar, std::size_t done, std::size_t total, bool finished)
{
    bar->setRange(0, int(std::max<std::size_t>(total, 1)));
    bar->setValue(int(done));
    if (total == 0)
        bar->setFormat(localized("Waiting for the first run"));
    else if (finished)
        bar->setFormat(localized("Done: %m of %m"));
    else
        bar->setFormat(localized("Computing: %v of %m"));
}

QString DynamicsWindow::wordsDataText(QChar decimalSeparator) const
{
    QString text = m_headline->text() + QLatin1Char('\n') + m_sentences->text() + QLatin1Char('\n');
    if (!m_continuousHeadline->text().isEmpty())
        text += QLatin1Char('\n') + m_continuousHeadline->text() + QLatin1Char('\n') + m_continuousSentences->text()
            + QLatin1Char('\n');
    const auto& plan = m_work.plan();
    if (!plan)
        return text;
    QList<QStringList> rows;
    for (const auto& [name, value] : runFacts(plan->run, m_work.report(), char(decimalSeparator.unicode())))
        rows << QStringList{QString::fromStdString(name), QString::fromStdString(value)};
    return text + QLatin1Char('\n') + tableText({QStringLiteral("quantity"), QStringLiteral("value")}, rows);
}

} // namespace tarnis
