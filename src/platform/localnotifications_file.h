// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/localnotifications.h"

#include <QObject>
#include <QThreadPool>
#include <QTimeZone>
#include <QTimer>
#include <QVariantList>

#include <atomic>
#include <functional>

// For systems without a user service manager (containers, CI, minimal sessions): the schedule is
// kept in Library/scheduled.plist, an array of {"fireDate": date, "body": text, "sound": bool},
// weekly entries also with "weekdays" (bit j: 0 Sunday ... 6 Saturday) and "timeOfDay"
// ("HH:mm:ss", local). What has fallen due is shown while Powerdeck runs: at the next start, and
// at its time when the process is still running (a hidden window does not end it); a weekly
// entry is then moved on to its next occurrence. The schedule is kept in memory and written to
// the file on a thread of its own, so no disk flush holds up the caller.
class FileLocalNotifications : public QObject, public LocalNotifications
{
    Q_OBJECT
public:
    static constexpr int kLongestWaitMs = 60 * 1000;

    using Deliver = std::function<bool(const QString &body, bool sound)>;
    FileLocalNotifications(QString path, Deliver deliver,
                           std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc,
                           std::function<QTimeZone()> zone = &QTimeZone::systemTimeZone,
                           QObject *parent = nullptr);
    ~FileLocalNotifications() override;

    QString backendName() const override { return QStringLiteral("schedule file"); }
    bool cancelAll() override;
    bool schedule(const QDateTime &fireDate, const QString &body, bool sound) override;
    bool scheduleWeekly(const QDateTime &first, quint8 weekdays, const QString &body,
                        bool sound) override;
    int deliverDue() override;

    // The entries still waiting, in fire order.
    QVariantList pending() const { return m_entries; }
    const QString &path() const { return m_path; }
    // The wait before the next look at the schedule: until the earliest entry, at most a minute
    // (the clock may jump, the machine may sleep); inactive when nothing waits.
    const QTimer &timer() const { return m_timer; }
    // Blocks until the last change is on disk (for the end of the run and the tests).
    void waitForStored();

    // The first moment after `after` on one of `weekdays` at `timeOfDay` in `zone`.
    static QDateTime nextWeekly(const QDateTime &after, quint8 weekdays, const QTime &timeOfDay,
                                const QTimeZone &zone);

private:
    void add(QVariantMap entry);
    void store();
    void arm();

    QString m_path;
    Deliver m_deliver;
    std::function<QDateTime()> m_now;
    std::function<QTimeZone()> m_zone;
    QVariantList m_entries;
    QTimer m_timer;
    // One writer thread; a write that a newer one has overtaken is skipped.
    QThreadPool m_writer;
    std::atomic<quint64> m_generation{0};
};
