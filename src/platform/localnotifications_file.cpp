// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localnotifications_file.h"

#include "platform/logging.h"
#include "platform/plist.h"

#include <QFile>

#include <algorithm>

namespace {

const QString kFireDate = QStringLiteral("fireDate");
const QString kBody = QStringLiteral("body");
const QString kSound = QStringLiteral("sound");
const QString kWeekdays = QStringLiteral("weekdays");
const QString kTimeOfDay = QStringLiteral("timeOfDay");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

QDateTime fireDateOf(const QVariant &entry)
{
    return entry.toMap().value(kFireDate).toDateTime();
}

void sortByFireDate(QVariantList &entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const QVariant &a, const QVariant &b) {
        return fireDateOf(a) < fireDateOf(b);
    });
}

} // namespace

FileLocalNotifications::FileLocalNotifications(QString path, Deliver deliver,
                                               std::function<QDateTime()> now,
                                               std::function<QTimeZone()> zone, QObject *parent)
    : QObject(parent), m_path(std::move(path)), m_deliver(std::move(deliver)),
      m_now(std::move(now)), m_zone(std::move(zone))
{
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { deliverDue(); });
    const plist::ReadResult r = plist::readFile(m_path);
    for (const QVariant &v : r.value.toList()) {
        // Entries without a usable date could never fall due; they are dropped.
        if (fireDateOf(v).isValid())
            m_entries.append(v);
    }
    sortByFireDate(m_entries);
    // What fell due while Powerdeck was not running is shown as soon as the event loop runs.
    if (r.ok())
        m_timer.start(0);
}

FileLocalNotifications::~FileLocalNotifications()
{
    waitForStored();
}

void FileLocalNotifications::waitForStored()
{
    m_writer.waitForDone();
}

void FileLocalNotifications::store()
{
    const quint64 generation = ++m_generation;
    m_writer.start([this, generation, entries = m_entries, path = m_path] {
        // A newer schedule is already on its way; writing this one would only cost a flush.
        if (generation != m_generation.load())
            return;
        if (!plist::writeFile(path, entries))
            qCWarning(lcNotifications, "could not write %s", qPrintable(path));
    });
}

void FileLocalNotifications::arm()
{
    if (m_entries.isEmpty()) {
        m_timer.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(0, m_now().msecsTo(fireDateOf(m_entries.constFirst())));
    m_timer.start(int(std::min<qint64>(wait, kLongestWaitMs)));
}

bool FileLocalNotifications::cancelAll()
{
    m_timer.stop();
    m_entries.clear();
    store();
    return true;
}

void FileLocalNotifications::add(QVariantMap entry)
{
    entry.insert(kFireDate, entry.value(kFireDate).toDateTime().toUTC());
    m_entries.append(entry);
    sortByFireDate(m_entries);
    store();
    arm();
}

bool FileLocalNotifications::schedule(const QDateTime &fireDate, const QString &body, bool sound)
{
    if (!fireDate.isValid())
        return false;
    if (fireDate <= m_now())
        return m_deliver(body, sound);
    add({{kFireDate, fireDate}, {kBody, body}, {kSound, sound}});
    return true;
}

bool FileLocalNotifications::scheduleWeekly(const QDateTime &first, quint8 weekdays,
                                            const QString &body, bool sound)
{
    if (!first.isValid() || (weekdays & 0x7f) == 0)
        return false;
    add({{kFireDate, first},
         {kBody, body},
         {kSound, sound},
         {kWeekdays, int(weekdays & 0x7f)},
         {kTimeOfDay, first.toTimeZone(m_zone()).time().toString(kTimeFormat)}});
    return true;
}

QDateTime FileLocalNotifications::nextWeekly(const QDateTime &after, quint8 weekdays,
                                             const QTime &timeOfDay, const QTimeZone &zone)
{
    const QDate today = after.toTimeZone(zone).date();
    // Eight days: today's time may have passed, and then the same weekday comes a week on.
    for (int k = 0; k <= 7; ++k) {
        const QDate day = today.addDays(k);
        const QDateTime at(day, timeOfDay, zone);
        if ((weekdays & (1u << (day.dayOfWeek() % 7))) && at > after)
            return at;
    }
    return {};
}

int FileLocalNotifications::deliverDue()
{
    const QDateTime now = m_now();
    QVariantList waiting;
    int delivered = 0;
    for (const QVariant &v : std::as_const(m_entries)) {
        if (fireDateOf(v) > now) {
            waiting.append(v);
            continue;
        }
        QVariantMap entry = v.toMap();
        m_deliver(entry.value(kBody).toString(), entry.value(kSound).toBool());
        ++delivered;
        // A weekly entry rings once for however many occurrences were missed, then waits for
        // the next one to come.
        const auto weekdays = quint8(entry.value(kWeekdays).toInt() & 0x7f);
        const QTime timeOfDay = QTime::fromString(entry.value(kTimeOfDay).toString(), kTimeFormat);
        if (weekdays != 0 && timeOfDay.isValid()) {
            const QDateTime next = nextWeekly(now, weekdays, timeOfDay, m_zone());
            if (next.isValid()) {
                entry.insert(kFireDate, next.toUTC());
                waiting.append(entry);
            }
        }
    }
    sortByFireDate(waiting);
    m_entries = waiting;
    // Shown entries leave the file whether or not a server took them: showing them again at
    // every start would be worse than losing one.
    if (delivered > 0)
        store();
    arm();
    return delivered;
}
