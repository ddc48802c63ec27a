// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/run_comparison.h"

namespace tarnis {

RunComparison::RunComparison(const ResultStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
{
}

void RunComparison::setCurrentRun(const RunParameters& parameters)
{
    m_current = parameters;
    emit currentRunChanged();
}

bool RunComparison::canKeep() const { return m_current && !m_kept.contains(*m_current); }

void RunComparison::keepCurrentRun()
{
    if (m_current && m_kept.keep(m_store, *m_current))
        emit changed();
}

void RunComparison::forgetKeptRuns()
{
    if (m_kept.empty())
        return;
    m_kept.clear();
    emit changed();
}

} // namespace tarnis
