// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"
#include "monitor/monitorfigures.h"
#include "monitor/processlistmodel.h"
#include "monitor/screentimer.h"
#include "platform/systemroots.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>
#include <vector>

// The processor screen: the process table, the number of processes, the load and idle figures and
// the load history chart, refreshed every second while the screen is shown. Every figure of a
// refresh comes from one process list and one load sample.
class cpu_graph : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(CpuGraph)
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(QObject *table READ table CONSTANT)
    Q_PROPERTY(QString totalRunnigPrcLblb READ totalRunnigPrcLblb NOTIFY figuresChanged)
    Q_PROPERTY(QString SystemLbl READ SystemLbl NOTIFY figuresChanged)
    Q_PROPERTY(QString idleLbl READ idleLbl NOTIFY figuresChanged)
    // The history series: "Blue Plot" (2 × load) and "Green Plot" (300 − 3 × load).
    Q_PROPERTY(QList<qreal> tempArr1 READ tempArr1 NOTIFY historyChanged)
    Q_PROPERTY(QList<qreal> tempArr2 READ tempArr2 NOTIFY historyChanged)
    Q_PROPERTY(bool tablet READ tablet CONSTANT)

public:
    static constexpr int kIntervalMs = 1000;
    using ProcessSource = std::function<std::optional<std::vector<ActivityProcess>>()>;

    // `processes` replaces the sampler's process list (tests); the load always comes from the
    // sampler on `roots`.
    cpu_graph(const SystemRoots &roots, bool tablet, ProcessSource processes = {},
              QObject *parent = nullptr);

    QObject *table() { return &m_table; }
    ProcessListModel &processTable() { return m_table; }
    QString totalRunnigPrcLblb() const { return m_totalRunnigPrcLblb; }
    QString SystemLbl() const { return m_SystemLbl; }
    QString idleLbl() const { return m_idleLbl; }
    QList<qreal> tempArr1() const;
    QList<qreal> tempArr2() const;
    const monitorfigures::CpuHistory &history() const { return m_history; }
    bool tablet() const { return m_tablet; }
    QTimer &timer() { return m_nt; }

    Q_INVOKABLE void refresh();
    // Whether the screen is shown: the timer runs only then.
    Q_INVOKABLE void setShown(bool shown);
    // The back button: stops the timer and asks to be closed.
    Q_INVOKABLE void goBack();

signals:
    void figuresChanged();
    void historyChanged();
    void closeRequested();

private:
    ActivityMonitor m_ActMonitor;
    ProcessSource m_processes;
    bool m_tablet;
    ScreenTimer m_nt{kIntervalMs};
    ProcessListModel m_table;
    monitorfigures::CpuHistory m_history;
    QString m_totalRunnigPrcLblb = QStringLiteral("0");
    QString m_SystemLbl = QStringLiteral("0%");
    QString m_idleLbl = QStringLiteral("100%");
};
