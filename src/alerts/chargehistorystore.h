// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

class RecordWriter;

// The charge history of "calendar.plist" as this run keeps it: read once when made, a record
// added for each reading that starts a day's charging, full or low mark, and each new record
// handed at once to the application's record writer. The calendar page shows these records,
// including those still on their way to the file.
class ChargeHistoryStore : public QObject
{
    Q_OBJECT

public:
    // documents: the folder of "calendar.plist"; writer: not owned, and must outlive the store.
    ChargeHistoryStore(const QString &documents, RecordWriter &writer, QObject *parent = nullptr);

    const QVariantList &calendarArr() const { return m_calendarArr; }
    QString calPath() const { return m_calPath; }

    // Where "today" comes from (tests fix it).
    void setClock(std::function<QDateTime()> now, QTimeZone zone);

    // Adds today's records for a reading ({"batteryLevel", "batteryState"}) to the history in
    // memory, and sends new ones to disk.
    void calendarComplete(const QVariantMap &reading);

private:
    void loadCalendar();
    // Hands the history to the record writer.
    void saveCalendar();

    RecordWriter &m_writer;
    QString m_calPath;
    QVariantList m_calendarArr;
    std::function<QDateTime()> m_now;
    QTimeZone m_zone;
};
