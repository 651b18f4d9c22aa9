// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/cpu_graph.h"

cpu_graph::cpu_graph(const SystemRoots &roots, bool tablet, ProcessSource processes,
                     QObject *parent)
    : QObject(parent), m_ActMonitor(roots.procfs.toStdString(), roots.sysfs.toStdString()),
      m_processes(std::move(processes)), m_tablet(tablet)
{
    if (!m_processes)
        m_processes = [this] { return m_ActMonitor.runningProcesses(); };
    connect(&m_nt, &QTimer::timeout, this, &cpu_graph::refresh);
    refresh();
}

QList<qreal> cpu_graph::tempArr1() const
{
    return QList<qreal>(m_history.blue.begin(), m_history.blue.end());
}

QList<qreal> cpu_graph::tempArr2() const
{
    return QList<qreal>(m_history.green.begin(), m_history.green.end());
}

void cpu_graph::refresh()
{
    auto processes = m_processes();
    const auto usage = m_ActMonitor.cpu_usage();
    const std::size_t count = processes ? processes->size() : 0;
    m_table.setProcesses(processes ? std::move(*processes) : std::vector<ActivityProcess>{});

    const monitorfigures::CpuFigures figures = monitorfigures::cpuFigures(count, usage);
    m_totalRunnigPrcLblb = QString::number(figures.processes);
    m_SystemLbl = QStringLiteral("%1%").arg(figures.load);
    m_idleLbl = QStringLiteral("%1%").arg(figures.idle);
    emit figuresChanged();

    m_history.append(figures.load);
    emit historyChanged();
}

void cpu_graph::setShown(bool shown)
{
    m_nt.setShown(shown);
}

void cpu_graph::goBack()
{
    m_nt.leave();
    emit closeRequested();
}
