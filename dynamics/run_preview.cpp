// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/run_preview.h"

#include "charts/chart_control.h"
#include "charts/chart_family.h"
#include "charts/chart_menu.h"
#include "dynamics/steady_lines.h"
#include "model/words/regime_words.h"
#include "ui/locale_numbers.h"
#include "ui/localized.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tarnis {

namespace {

// Room for the chart's title, its axes and a curve that can still be read; the line keeps three lines
// at least, and the room of its longest at the width on show.
constexpr QSize SmallestChart{220, 100};
constexpr int LeastLines = 3;

} // namespace

RunPreview::RunPreview(Services services, QWidget* parent)
    : QGroupBox(localized("Trajectory"), parent)
    , m_chart(new ChartControl)
    , m_line(new SteadyLines("previewLine", localized("The run in the preview"), LeastLines))
    , m_store(std::make_unique<ResultStore>())
    , m_family(std::make_unique<ChartFamily>(*m_chart, *m_store, ChartWindow::Main))
{
    setObjectName(QStringLiteral("previewPart"));
    setAccessibleName(localized("Trajectory of the run pointed at, or of the last run"));
    m_chart->setObjectName(QStringLiteral("DynamicsPreview"));
    m_chart->setAccessibleName(localized("Trajectory: N(t) of the run pointed at, or of the last run"));
    m_chart->setMinimumSize(SmallestChart);
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_line->keepRoomFor(lineForms(WordsLine::Preview, localeDecimalSeparator()));
    m_line->setBuddy(m_chart); // the line labels the chart for assistive technology
    new ChartMenu(*m_chart, services);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addWidget(m_line);
}

RunPreview::~RunPreview() = default;

QString RunPreview::line() const { return m_line->text(); }

void RunPreview::showRun(const RunParameters& run, const QString& line)
{
    m_line->setText(line);
    if (m_shown && *m_shown == run)
        return;
    m_shown = run;
    if (runModel(*m_store, run).end == RunEnd::Refused)
        m_store->LastStep = -1; // no steps to draw
    m_family->ShowNtvsT();
}

void RunPreview::showNoRun(const QString& line)
{
    m_line->setText(line);
    m_shown.reset();
    m_store->LastStep = -1;
    m_family->ShowNtvsT();
}

} // namespace tarnis
