// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The memory purge of the memory screen: Powerdeck takes memory itself until memory is about to
// run low, then gives it all back at once, so that the kernel has reclaimed caches and pushed
// idle pages of other programs out meanwhile. Linux warns no program that memory is low, and an
// unbounded loop ends with the OOM killer (or systemd-oomd, earlyoom) choosing a victim, perhaps
// the compositor or the modem daemon. So the purge watches the figures itself and stops at the
// first of: MemAvailable below the floor, max(10 % of MemTotal, 256 MiB); the bytes taken
// reaching MemAvailable at the start minus the floor; the headroom of this process's cgroup
// (memory.max − memory.current) below the floor; memory pressure ("some avg10") above 10; 20 s.
//
// Memory is taken in chunks with mmap and every page is written (with the bytes of a large
// photograph, which no compressed swap can shrink): under overcommit untouched memory takes
// nothing. Everything is given back with munmap when the purge stops; freed heap memory could
// stay inside the allocator.

// What the purge watches. The product reads /proc and the cgroup file system; tests script it.
class PurgeMemorySource
{
public:
    struct Memory
    {
        std::uint64_t total = 0;     // MemTotal, bytes
        std::uint64_t available = 0; // MemAvailable, bytes
    };

    virtual ~PurgeMemorySource() = default;
    // Nothing when the figures cannot be read.
    virtual std::optional<Memory> memory() = 0;
    // memory.max − memory.current of this process's own cgroup in bytes (0 when over); nothing
    // without a limit or when it cannot be read.
    virtual std::optional<std::uint64_t> cgroupHeadroom() = 0;
    // The "some avg10" figure of /proc/pressure/memory; nothing where it cannot be read.
    virtual std::optional<double> pressure() = 0;
    // Seconds on a clock that only goes forward.
    virtual double now() = 0;
};

// The figures of the running system: <procRoot>/meminfo, <procRoot>/self/cgroup with the cgroup
// v2 mount of <procRoot>/self/mountinfo, <procRoot>/pressure/memory, the steady clock.
class ProcMemorySource : public PurgeMemorySource
{
public:
    explicit ProcMemorySource(std::string procRoot = "/proc");

    std::optional<Memory> memory() override;
    std::optional<std::uint64_t> cgroupHeadroom() override;
    std::optional<double> pressure() override;
    double now() override;

    // The folder of this process's cgroup v2 group, or "" when there is none.
    std::string cgroupFolder() const;

private:
    std::string m_procRoot;
    std::optional<std::string> m_cgroup; // looked up once
};

enum class PurgeStop {
    Stopped,        // the stop flag: stop button, leaving the screen, tear-down
    Floor,          // MemAvailable below the floor
    Cap,            // the bytes taken reached MemAvailable at the start minus the floor
    Cgroup,         // the cgroup's headroom below the floor
    Pressure,       // memory pressure above the limit
    Time,           // the time limit
    MissingPicture, // the purge's picture cannot be read
    NoFigures,      // the memory figures cannot be read
    MapFailed,      // the kernel refused a chunk
};

// A short English name of a reason, for the log and the benchmark tool; a marked source text
// (POWERDECK_TEXT) that the memory screen shows translated.
const char *purgeStopName(PurgeStop reason);

struct PurgeOptions
{
    std::size_t chunkBytes = std::size_t(32) << 20;
    double timeLimit = 20;     // seconds
    double pressureLimit = 10; // some avg10, percent
};

struct PurgeResult
{
    PurgeStop reason = PurgeStop::Stopped;
    std::uint64_t bytesTaken = 0; // the most held at once, all given back
    std::uint64_t floor = 0;
    double seconds = 0; // from the start to the last chunk given back
};

// The floor of available memory the purge never goes below: max(10 % of MemTotal, 256 MiB).
std::uint64_t purgeFloor(std::uint64_t memTotal);

// One purge on the calling thread: reads the picture, then takes chunks until a stop condition
// holds, and gives every chunk back before returning. `stop` is read before every chunk.
PurgeResult runMemoryPurge(PurgeMemorySource &source, const std::string &picturePath,
                           const std::atomic<bool> &stop, const PurgeOptions &options = {});

// Runs purges on a worker thread, one at a time. The stop flag is shared with the worker, so it
// outlives whoever started the purge. The destructor stops the worker and lets it go without
// waiting: giving back gigabytes takes the kernel a while, and the screen that owns the purge
// goes on the interface thread.
class MemoryPurge
{
public:
    using Finished = std::function<void(const PurgeResult &)>;

    MemoryPurge(std::shared_ptr<PurgeMemorySource> source, std::string picturePath,
                PurgeOptions options = {});
    ~MemoryPurge();
    MemoryPurge(const MemoryPurge &) = delete;
    MemoryPurge &operator=(const MemoryPurge &) = delete;

    // Clears the stop flag, then starts a purge on a new worker; `finished` runs on the worker
    // as its last act. False (and nothing started) while an earlier worker has not been joined.
    bool start(Finished finished);
    // Sets the stop flag: a running purge stops before its next chunk. Never waits.
    void stop();
    // Waits for the worker: after stop(), at most one copy of the picture (or one mmap of a
    // chunk) and the munmap of what was taken; at once after `finished` has run.
    void join();
    // Sets the stop flag and lets the worker finish on its own: it gives its memory back and
    // ends without running `finished` (unless that already runs, in which case this waits for
    // it to return). Never waits for the memory to be given back.
    void abandon();
    bool started() const { return m_worker.joinable(); }
    const std::shared_ptr<std::atomic<bool>> &stopFlag() const { return m_stop; }

private:
    std::shared_ptr<PurgeMemorySource> m_source;
    std::string m_picturePath;
    PurgeOptions m_options;
    // The worker's report, shared with it: abandon() takes `finished` away under the lock.
    struct Report
    {
        std::mutex mutex;
        Finished finished;
    };

    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<Report> m_report;
    std::thread m_worker;
};
