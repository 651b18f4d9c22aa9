#pragma once

#include "platform/localnotifications.h"

#include <QObject>
#include <QTimer>
#include <QVariantList>

#include <functional>

// For systems without a user service manager (containers, CI, minimal sessions): the schedule is
// kept in Library/scheduled.plist, an array of {"fireDate": date, "body": text, "sound": bool},
// and what has fallen due is shown while Powerdeck runs: at the next start, and at its time
// when the process is still running (a hidden window does not end it).
class FileLocalNotifications : public QObject, public LocalNotifications
{
    Q_OBJECT
public:
    static constexpr int kLongestWaitMs = 60 * 1000;

    using Deliver = std::function<bool(const QString &body, bool sound)>;
    FileLocalNotifications(QString path, Deliver deliver,
                           std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc,
                           QObject *parent = nullptr);

    QString backendName() const override { return QStringLiteral("schedule file"); }
    bool cancelAll() override;
    bool schedule(const QDateTime &fireDate, const QString &body, bool sound) override;
    int deliverDue() override;

    // The entries still waiting, in fire order.
    QVariantList pending() const;
    const QString &path() const { return m_path; }
    // The wait before the next look at the file: until the earliest entry, at most a minute (the
    // clock may jump, the machine may sleep); inactive when nothing waits.
    const QTimer &timer() const { return m_timer; }

private:
    bool store(const QVariantList &entries);
    void arm(const QVariantList &entries);

    QString m_path;
    Deliver m_deliver;
    std::function<QDateTime()> m_now;
    QTimer m_timer;
};
