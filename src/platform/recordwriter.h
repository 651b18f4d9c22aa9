// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/plist.h"

#include <QThreadPool>

#include <functional>
#include <optional>

// Writes stored records away from the interface thread: one worker, the jobs in the order they
// were posted, so a later write never lands before an earlier one. A job carries copies of what
// it writes, never a pointer to the object that posted it, so it may outlive that object.
class RecordWriter
{
public:
    // How long the end of the run waits for the writes still queued.
    static constexpr int kFinishWaitMs = 5000;

    RecordWriter();
    // Finishes the queued writes (see finish).
    ~RecordWriter();

    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    void post(std::function<void()> job);
    // Waits until every job posted so far has run; false when the wait ran out first.
    bool waitForDone(int msecs = -1);
    // The end of the run: waits up to msecs for the queue, then drops the jobs not yet started
    // (logged) and waits only for the one running. Returns whether nothing was dropped.
    bool finish(int msecs = kFinishWaitMs);

private:
    QThreadPool m_pool;
};

// Reads a stored file, lets `change` make the new contents from what was read, and writes them
// atomically; all under a lock file beside it, so that two running copies updating the same file
// take turns and neither writes over what the other has just stored. `change` returns nothing
// when the file is to stay as it is. A file that exists but cannot be read is never written.
// Blocks (on the lock and the disk): for worker threads. Returns false when the new contents
// could not be stored (the file could not be read, or the write failed).
using FileChange = std::function<std::optional<QVariant>(const plist::ReadResult &stored)>;
bool updateStoredFile(const QString &path, plist::Shape shape, const FileChange &change);
