// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/monitorgauge.h"

#include <QString>

// The disk gauge of the overview: a ring of [free, used] of the file system holding the
// Documents folder, reloaded every 30 s; no records when the sizes cannot be read.
class hdd_graph : public MonitorGauge
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 30000;
    explicit hdd_graph(QString documents, QObject *parent = nullptr);

    void refresh() override;

private:
    QString m_documents;
};
