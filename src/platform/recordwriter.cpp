// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recordwriter.h"

#include "platform/logging.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {

// A copy holds the lock for one read and one write; one that holds it longer has hung or died.
constexpr int kLockWaitMs = 3000;
constexpr int kStaleLockMs = 10000;

} // namespace

RecordWriter::RecordWriter()
{
    m_pool.setMaxThreadCount(1);
    // The worker stays for the whole run: records come a few times a day, and a new thread for
    // each would cost more than it keeps.
    m_pool.setExpiryTimeout(-1);
}

RecordWriter::~RecordWriter()
{
    finish();
}

void RecordWriter::post(std::function<void()> job)
{
    m_pool.start(std::move(job));
}

bool RecordWriter::waitForDone(int msecs)
{
    return m_pool.waitForDone(msecs);
}

bool RecordWriter::finish(int msecs)
{
    if (m_pool.waitForDone(msecs))
        return true;
    qCWarning(lcStorage, "stored records still waiting after %d ms; the queued ones are dropped",
              msecs);
    m_pool.clear();
    m_pool.waitForDone();
    return false;
}

bool updateStoredFile(const QString &path, plist::Shape shape, const FileChange &change)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QLockFile lock(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                   QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    // Without the lock the update still goes ahead: a record kept now is worth more than the
    // small chance that the other copy writes in the same instant.
    if (!lock.tryLock(kLockWaitMs))
        qCWarning(lcStorage, "%s is locked by another copy; updating it anyway", qPrintable(path));
    const plist::ReadResult stored = plist::readFile(path, shape);
    if (!stored.mayWrite())
        return false;
    const std::optional<QVariant> next = change(stored);
    if (!next)
        return true;
    if (plist::writeFile(path, *next))
        return true;
    qCWarning(lcStorage, "could not write %s", qPrintable(path));
    return false;
}
