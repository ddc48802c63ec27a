// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_menu.h"

#include "charts/chart_control.h"
#include "charts/chart_pictures.h"
#include "charts/chart_readout.h"
#include "charts/picture_menu.h"
#include "charts/run_comparison.h"
#include "charts/run_player.h"
#include "model/lessons/activities.h"
#include "model/lessons/setup.h"
#include "model/words/chance_words.h"
#include "model/words/continuous_words.h"
#include "ui/localized.h"

#include <QMenu>

namespace tarnis {

ChartMenu::ChartMenu(ChartControl& chart, Services services, ChartMenuOptions options)
    : QObject(&chart)
    , m_chart(chart)
    , m_options(std::move(options))
    , m_pictures(
          new PictureMenu(chart, services,
                          {.title = [&chart] { return chart.chartTitle(); },
                           .dataText = [&chart](QChar separator) { return chartDataText(chart, separator); },
                           .picture = [&chart](ChartPictureFormat format) { return chartPicture(chart, format); },
                           .beforeOpening = [this] { beforeOpening(); }}))
{
    if (m_options.openDynamics || m_options.openActivities || m_options.openChance)
        menu()->addSeparator();
    if (m_options.openDynamics)
        connect(menu()->addAction(localized("Dynamics…")), &QAction::triggered, this,
                [this] { m_options.openDynamics(); });
    if (m_options.openActivities) // the model's caption, which the page's panel shares
        connect(menu()->addAction(QString::fromStdString(activityWords().menuCaption)), &QAction::triggered, this,
                [this] { m_options.openActivities(); });
    if (m_options.openChance)
        connect(menu()->addAction(QString::fromStdString(chanceWords().menuCaption)), &QAction::triggered, this,
                [this] { m_options.openChance(); });
    addRunEntries();
    addViewEntries();
    addSetupEntries();
}

QMenu* ChartMenu::menu() const { return m_pictures->menu(); }

void ChartMenu::addRunEntries()
{
    if (m_options.player || m_options.comparison)
        menu()->addSeparator();
    if (RunPlayer* player = m_options.player) {
        m_play = menu()->addAction(localized("Play this run"));
        connect(m_play, &QAction::triggered, player, &RunPlayer::play);
    }
    RunComparison* comparison = m_options.comparison;
    if (!comparison)
        return;
    m_keep = menu()->addAction(localized("Keep this run"));
    connect(m_keep, &QAction::triggered, comparison, &RunComparison::keepCurrentRun);
    m_forget = menu()->addAction(localized("Forget kept runs"));
    connect(m_forget, &QAction::triggered, comparison, &RunComparison::forgetKeptRuns);
    // The model's caption and tool tip, which the page's checkbox shows as well.
    const ContinuousComparisonWords words = continuousComparisonWords();
    m_continuous = menu()->addAction(QString::fromStdString(words.caption));
    m_continuous->setToolTip(QString::fromStdString(words.toolTip));
    m_continuous->setCheckable(true);
    connect(m_continuous, &QAction::triggered, &m_chart, &ChartControl::setContinuousChosen);
}

void ChartMenu::addViewEntries()
{
    menu()->addSeparator();
    connect(menu()->addAction(localized("Fit to data")), &QAction::triggered, &m_chart,
            &ChartControl::fitAxesAndReplot);
    m_logNAxis = menu()->addAction(localized("Logarithmic N axis"));
    m_logNAxis->setCheckable(true);
    connect(m_logNAxis, &QAction::triggered, &m_chart, &ChartControl::setLogNAxisChosen);
}

void ChartMenu::addSetupEntries()
{
    if (!m_options.saveSetup || !m_options.openSetup)
        return;
    menu()->addSeparator();
    // The words are the model's, which the page's entries show as well.
    const SetupMenuWords words = setupMenuWords();
    for (const auto& [entry, call] :
         {std::pair{&words.saveFile, &m_options.saveSetup}, std::pair{&words.openFile, &m_options.openSetup}}) {
        QAction* action = menu()->addAction(QString::fromStdString(entry->caption));
        action->setToolTip(QString::fromStdString(entry->toolTip));
        connect(action, &QAction::triggered, this, [call] { (*call)(); });
    }
}

void ChartMenu::beforeOpening()
{
    m_chart.readout().hide(); // neither on screen under the menu nor in a picture
    if (m_play)
        m_play->setEnabled(m_chart.series().rowCount() > 1);
    if (m_keep) {
        const RunComparison& comparison = *m_options.comparison;
        // Off for a reason the entry says itself, which a screen reader reads as its name.
        const bool kept = comparison.currentRun() && comparison.kept().contains(*comparison.currentRun());
        m_keep->setText(kept ? localized("This run is kept") : localized("Keep this run"));
        m_keep->setEnabled(comparison.canKeep());
        m_forget->setEnabled(!comparison.kept().empty());
    }
    // The choices stay with the window; they show only on the kinds whose y is N, which for the
    // continuous trajectory are the kinds over t.
    m_logNAxis->setChecked(m_chart.axes().logNAxisChosen());
    m_logNAxis->setEnabled(m_chart.showsN());
    if (m_continuous) {
        m_continuous->setChecked(m_chart.continuousChosen());
        m_continuous->setEnabled(m_chart.showsN());
    }
}

} // namespace tarnis
