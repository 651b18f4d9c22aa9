// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/processlistmodel.h"

#include "monitor/monitorfigures.h"

#include <algorithm>

namespace {

bool sameRow(const ActivityProcess &a, const ActivityProcess &b)
{
    return a.processID == b.processID && a.processName == b.processName;
}

} // namespace

ProcessListModel::ProcessListModel(QObject *parent) : QAbstractListModel(parent) {}

int ProcessListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant ProcessListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= m_rows.size())
        return {};
    const ActivityProcess &row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case NameRole:
        return QString::fromStdString(row.processName);
    case IdRole:
        return QString::fromStdString(row.processID);
    case ImageRole: {
        const std::string_view icon = monitorfigures::processIcon(row.processName);
        return QString::fromLatin1(icon.data(), static_cast<qsizetype>(icon.size()));
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> ProcessListModel::roleNames() const
{
    return {{NameRole, "nameProcessLbl"}, {IdRole, "idLbl"}, {ImageRole, "appImage"}};
}

void ProcessListModel::setProcesses(std::vector<ActivityProcess> processes)
{
    // The rows that stay at the top and at the bottom are left alone; only the stretch between
    // them is replaced.
    const std::size_t oldCount = m_rows.size();
    const std::size_t newCount = processes.size();
    std::size_t head = 0;
    while (head < oldCount && head < newCount && sameRow(m_rows[head], processes[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           sameRow(m_rows[oldCount - 1 - tail], processes[newCount - 1 - tail]))
        ++tail;
    const int first = static_cast<int>(head);
    const std::size_t oldMiddle = oldCount - head - tail;
    const std::size_t newMiddle = newCount - head - tail;
    const std::size_t common = std::min(oldMiddle, newMiddle);

    if (oldMiddle > newMiddle) {
        beginRemoveRows({}, first + static_cast<int>(common),
                        first + static_cast<int>(oldMiddle) - 1);
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(head + common),
                     m_rows.begin() + static_cast<std::ptrdiff_t>(head + oldMiddle));
        endRemoveRows();
    } else if (newMiddle > oldMiddle) {
        beginInsertRows({}, first + static_cast<int>(common),
                        first + static_cast<int>(newMiddle) - 1);
        m_rows.insert(
            m_rows.begin() + static_cast<std::ptrdiff_t>(head + common),
            std::make_move_iterator(processes.begin() + static_cast<std::ptrdiff_t>(head + common)),
            std::make_move_iterator(processes.begin() +
                                    static_cast<std::ptrdiff_t>(head + newMiddle)));
        endInsertRows();
    }
    if (common > 0) {
        for (std::size_t i = head; i < head + common; ++i)
            m_rows[i] = std::move(processes[i]);
        emit dataChanged(index(first), index(first + static_cast<int>(common) - 1));
    }
}
