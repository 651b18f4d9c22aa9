#include "platform/localnotifications_file.h"

#include "platform/plist.h"

#include <QFile>

#include <algorithm>

namespace {

QDateTime fireDateOf(const QVariant &entry)
{
    return entry.toMap().value(QStringLiteral("fireDate")).toDateTime();
}

QVariantList sortedByFireDate(QVariantList entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const QVariant &a, const QVariant &b) {
        return fireDateOf(a) < fireDateOf(b);
    });
    return entries;
}

} // namespace

FileLocalNotifications::FileLocalNotifications(QString path, Deliver deliver,
                                               std::function<QDateTime()> now, QObject *parent)
    : QObject(parent), m_path(std::move(path)), m_deliver(std::move(deliver)), m_now(std::move(now))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { deliverDue(); });
    // What fell due while Powerdeck was not running is shown as soon as the event loop runs.
    if (QFile::exists(m_path))
        m_timer.start(0);
}

QVariantList FileLocalNotifications::pending() const
{
    const plist::ReadResult r = plist::readFile(m_path);
    QVariantList entries;
    if (!r.ok())
        return entries;
    for (const QVariant &v : r.value.toList()) {
        // Entries without a usable date could never fall due; they are dropped.
        if (fireDateOf(v).isValid())
            entries.append(v);
    }
    return sortedByFireDate(entries);
}

bool FileLocalNotifications::store(const QVariantList &entries)
{
    if (!plist::writeFile(m_path, entries)) {
        qWarning("powerdeck: could not write %s", qPrintable(m_path));
        return false;
    }
    return true;
}

void FileLocalNotifications::arm(const QVariantList &entries)
{
    if (entries.isEmpty()) {
        m_timer.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(0, m_now().msecsTo(fireDateOf(entries.constFirst())));
    m_timer.start(int(std::min<qint64>(wait, kLongestWaitMs)));
}

bool FileLocalNotifications::cancelAll()
{
    m_timer.stop();
    return store({});
}

bool FileLocalNotifications::schedule(const QDateTime &fireDate, const QString &body, bool sound)
{
    if (!fireDate.isValid())
        return false;
    if (fireDate <= m_now())
        return m_deliver(body, sound);
    QVariantList entries = pending();
    entries.append(QVariantMap{{QStringLiteral("fireDate"), fireDate.toUTC()},
                               {QStringLiteral("body"), body},
                               {QStringLiteral("sound"), sound}});
    entries = sortedByFireDate(entries);
    const bool ok = store(entries);
    arm(entries);
    return ok;
}

int FileLocalNotifications::deliverDue()
{
    const QVariantList entries = pending();
    const QDateTime now = m_now();
    QVariantList waiting;
    int delivered = 0;
    for (const QVariant &v : entries) {
        if (fireDateOf(v) > now) {
            waiting.append(v);
            continue;
        }
        const QVariantMap entry = v.toMap();
        m_deliver(entry.value(QStringLiteral("body")).toString(),
                  entry.value(QStringLiteral("sound")).toBool());
        ++delivered;
    }
    // Shown entries leave the file whether or not a server took them: showing them again at
    // every start would be worse than losing one.
    if (delivered > 0 || QFile::exists(m_path))
        store(waiting);
    arm(waiting);
    return delivered;
}
