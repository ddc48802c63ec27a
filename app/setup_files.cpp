// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setup_files.h"

#include "activities/activities_window.h"
#include "app/main_window.h"
#include "charts/chart_axes.h"
#include "charts/chart_control.h"
#include "charts/large_graph_window.h"
#include "charts/run_comparison.h"
#include "dynamics/dynamics_window.h"
#include "output/setup_file.h"
#include "ui/locale_numbers.h"

#include <QEvent>
#include <QTimer>

#include <functional>

namespace tarnis {

namespace {

// Calls back once, on the turn of the event loop after the widget's first show, when the window is on
// the screen and a message can stand over it.
class AfterFirstShow final : public QObject {
public:
    AfterFirstShow(QWidget& widget, std::function<void()> then)
        : QObject(&widget)
        , m_then(std::move(then))
    {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, m_then);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

SetupFiles::SetupFiles(Navigator& navigator, RunComparison& comparison, Services services)
    : m_navigator(navigator)
    , m_comparison(comparison)
    , m_services(services)
{
}

MainWindow& SetupFiles::mainWindow() { return *static_cast<MainWindow*>(m_navigator.window(WindowId::Main)); }

ChartFamily& SetupFiles::chartsOf(WindowId window)
{
    if (window == WindowId::LargeGraph)
        return static_cast<LargeGraphWindow*>(m_navigator.window(WindowId::LargeGraph))->charts();
    return mainWindow().charts();
}

Setup SetupFiles::setupOnShow(WindowId from)
{
    Setup setup{inPointNotation(mainWindow().parameterTexts(), localeDecimalSeparator())};
    ChartFamily& charts = chartsOf(from);
    setup.chart = charts.kindOnShow().value_or(ChartKind::NtvsT);
    setup.logarithmicN = charts.chart().axes().logNAxisChosen();
    for (const KeptRun& kept : m_comparison.kept().runs())
        setup.kept.push_back(runTextsOf(kept.parameters));
    if (auto* dynamics = static_cast<DynamicsWindow*>(m_navigator.existing(WindowId::Dynamics)))
        setup.diagramAxis = dynamics->chosenAxis();
    if (auto* open = static_cast<ActivitiesWindow*>(m_navigator.existing(WindowId::Activities));
        open && open->isVisible()) {
        setup.activity = open->activity().id;
        setup.activityStep = open->step();
    }
    return setup;
}

void SetupFiles::save(WindowId from) { saveSetupFile(m_navigator.window(from), setupOnShow(from), m_services); }

void SetupFiles::open(WindowId from)
{
    if (const auto read = openSetupFile(m_navigator.window(from), m_services))
        show(*read, from);
}

void SetupFiles::openOnFirstShow(const QString& fileName)
{
    new AfterFirstShow(mainWindow(), [this, fileName] {
        if (const auto read = readSetupFileNamed(&mainWindow(), fileName, m_services.messages))
            show(*read, WindowId::Main);
    });
}

void SetupFiles::show(const ReadSetup& read, WindowId in)
{
    const char separator = localeDecimalSeparator();
    MainWindow& main = mainWindow();
    m_comparison.forgetKeptRuns();
    for (const RunTexts& kept : read.setup.kept)
        if (main.runTexts(inLocaleNotation(kept, separator)) && m_comparison.canKeep())
            m_comparison.keepCurrentRun();
    main.runTexts(inLocaleNotation(read.setup.run, separator));

    // The window's choice of axis first: choosing it draws the kind on show again.
    chartsOf(in).chart().setLogNAxisChosen(read.setup.logarithmicN);
    if (in == WindowId::LargeGraph)
        static_cast<LargeGraphWindow*>(m_navigator.window(in))->showChart(read.setup.chart);
    else
        main.showChart(read.setup.chart);

    if (auto* dynamics = static_cast<DynamicsWindow*>(m_navigator.existing(WindowId::Dynamics)))
        dynamics->chooseAxis(read.setup.diagramAxis);
    else
        m_diagramAxis = read.setup.diagramAxis;

    // The file's own set-up stays on show: the activity opens at its step without applying the step's.
    if (!read.setup.activity.empty()) {
        m_navigator.show(WindowId::Activities);
        static_cast<ActivitiesWindow*>(m_navigator.window(WindowId::Activities))
            ->openAt(read.setup.activity, read.setup.activityStep);
    }

    if (!read.notes.empty()) {
        QStringList notes;
        for (const std::string& note : read.notes)
            notes << QString::fromStdString(note);
        m_services.messages.inform(m_navigator.window(in), notes.join(QLatin1Char('\n')));
    }
}

void SetupFiles::showSetup(const Setup& setup)
{
    const QWidget* large = m_navigator.existing(WindowId::LargeGraph);
    const bool inLarge = !mainWindow().isVisible() && large && large->isVisible();
    show(ReadSetup{setup, {}}, inLarge ? WindowId::LargeGraph : WindowId::Main);
}

void SetupFiles::dynamicsBuilt(DynamicsWindow& dynamics)
{
    if (m_diagramAxis)
        dynamics.chooseAxis(*std::exchange(m_diagramAxis, std::nullopt));
}

} // namespace tarnis
