// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"

#include <QAbstractListModel>

#include <vector>

// The rows of the process table: name, id and picture of each process. A new list changes only
// the rows that differ from the previous one, so the table keeps its place while processes come
// and go.
class ProcessListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { NameRole = Qt::UserRole + 1, IdRole, ImageRole };

    explicit ProcessListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setProcesses(std::vector<ActivityProcess> processes);
    const std::vector<ActivityProcess> &processes() const { return m_rows; }

private:
    std::vector<ActivityProcess> m_rows;
};
