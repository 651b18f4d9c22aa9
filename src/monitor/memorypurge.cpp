// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/memorypurge.h"

#include "monitor/activitymonitor_procfs.h"
#include "platform/uitext.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace activitymonitor_procfs;

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

std::size_t pageBytes()
{
    static const std::size_t size = [] {
        long value = sysconf(_SC_PAGESIZE);
        return value > 0 ? static_cast<std::size_t>(value) : std::size_t(4096);
    }();
    return size;
}

// One mapped chunk, unmapped when it goes.
struct Chunk
{
    void *address = nullptr;
    std::size_t length = 0;
};

} // namespace

const char *purgeStopName(PurgeStop reason)
{
    switch (reason) {
    case PurgeStop::Stopped:
        return POWERDECK_TEXT("Powerdeck", "stopped");
    case PurgeStop::Floor:
        return POWERDECK_TEXT("Powerdeck", "available memory reached the floor");
    case PurgeStop::Cap:
        return POWERDECK_TEXT("Powerdeck", "took all it meant to take");
    case PurgeStop::Cgroup:
        return POWERDECK_TEXT("Powerdeck", "cgroup headroom reached the floor");
    case PurgeStop::Pressure:
        return POWERDECK_TEXT("Powerdeck", "memory pressure");
    case PurgeStop::Time:
        return POWERDECK_TEXT("Powerdeck", "time limit");
    case PurgeStop::MissingPicture:
        return POWERDECK_TEXT("Powerdeck", "missing picture");
    case PurgeStop::NoFigures:
        return POWERDECK_TEXT("Powerdeck", "no memory figures");
    case PurgeStop::MapFailed:
        return POWERDECK_TEXT("Powerdeck", "mmap failed");
    }
    return "?";
}

std::uint64_t purgeFloor(std::uint64_t memTotal)
{
    return std::max(memTotal / 10, 256 * kMiB);
}

// ---- /proc
// ---------------------------------------------------------------------------------------

ProcMemorySource::ProcMemorySource(std::string procRoot) : m_procRoot(std::move(procRoot)) {}

std::optional<PurgeMemorySource::Memory> ProcMemorySource::memory()
{
    auto meminfo = readFile(m_procRoot + "/meminfo");
    if (!meminfo)
        return std::nullopt;
    auto total = meminfoKilobytes(*meminfo, "MemTotal");
    // Kernels before 3.14 have no MemAvailable; MemFree is the smaller, safer figure.
    auto available = meminfoKilobytes(*meminfo, "MemAvailable");
    if (!available)
        available = meminfoKilobytes(*meminfo, "MemFree");
    if (!total || !available)
        return std::nullopt;
    return Memory{*total * 1024, *available * 1024};
}

std::string ProcMemorySource::cgroupFolder() const
{
    // "0::/user.slice/..." is the process's group in the unified hierarchy.
    auto groups = readFile(m_procRoot + "/self/cgroup");
    if (!groups)
        return {};
    std::string path;
    std::istringstream lines(*groups);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("0::", 0) == 0) {
            path = line.substr(3);
            break;
        }
    }
    if (path.empty())
        return {};
    // The mount point of the cgroup2 file system: mountinfo fields are "id parent dev root
    // mountpoint options ... - fstype source options".
    auto mounts = readFile(m_procRoot + "/self/mountinfo");
    if (!mounts)
        return {};
    std::istringstream mountLines(*mounts);
    for (std::string line; std::getline(mountLines, line);) {
        const auto dash = line.find(" - ");
        if (dash == std::string::npos || line.compare(dash + 3, 8, "cgroup2 ") != 0)
            continue;
        std::istringstream fields(line.substr(0, dash));
        std::string id, parent, device, root, mountPoint;
        fields >> id >> parent >> device >> root >> mountPoint;
        if (mountPoint.empty())
            continue;
        // A mount of a sub-tree (inside a container) shows the paths below its root.
        if (root != "/" && path.rfind(root, 0) == 0)
            path = path.substr(root.size());
        if (path == "/")
            path.clear();
        return mountPoint + path;
    }
    return {};
}

std::optional<std::uint64_t> ProcMemorySource::cgroupHeadroom()
{
    if (!m_cgroup)
        m_cgroup = cgroupFolder();
    if (m_cgroup->empty())
        return std::nullopt;
    auto limit = readFile(*m_cgroup + "/memory.max");
    auto current = readFile(*m_cgroup + "/memory.current");
    if (!limit || !current)
        return std::nullopt;
    auto max = parseInteger(*limit); // "max" when unlimited: no number
    auto used = parseInteger(*current);
    if (!max || !used || *max < 0 || *used < 0)
        return std::nullopt;
    return *max > *used ? static_cast<std::uint64_t>(*max - *used) : 0;
}

std::optional<double> ProcMemorySource::pressure()
{
    auto text = readFile(m_procRoot + "/pressure/memory");
    if (!text || text->rfind("some ", 0) != 0)
        return std::nullopt;
    const auto at = text->find("avg10=");
    if (at == std::string::npos)
        return std::nullopt;
    const char *start = text->c_str() + at + 6;
    char *end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

double ProcMemorySource::now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// ---- The purge
// -----------------------------------------------------------------------------------

PurgeResult runMemoryPurge(PurgeMemorySource &source, const std::string &picturePath,
                           const std::atomic<bool> &stop, const PurgeOptions &options)
{
    PurgeResult result;
    const auto picture = readFile(picturePath);
    if (!picture || picture->empty()) {
        result.reason = PurgeStop::MissingPicture;
        return result;
    }
    const double started = source.now();
    const auto atStart = source.memory();
    if (!atStart) {
        result.reason = PurgeStop::NoFigures;
        return result;
    }
    result.floor = purgeFloor(atStart->total);
    const std::uint64_t cap =
        atStart->available > result.floor ? atStart->available - result.floor : 0;
    const std::size_t page = pageBytes();
    const std::size_t chunkBytes = std::max(options.chunkBytes, page) / page * page;

    std::vector<Chunk> chunks;
    std::uint64_t taken = 0;
    for (;;) {
        if (stop.load(std::memory_order_acquire)) {
            result.reason = PurgeStop::Stopped;
            break;
        }
        if (source.now() - started >= options.timeLimit) {
            result.reason = PurgeStop::Time;
            break;
        }
        const auto memory = source.memory();
        if (!memory) {
            result.reason = PurgeStop::NoFigures;
            break;
        }
        if (memory->available < result.floor) {
            result.reason = PurgeStop::Floor;
            break;
        }
        if (taken >= cap) {
            result.reason = PurgeStop::Cap;
            break;
        }
        const auto headroom = source.cgroupHeadroom();
        if (headroom && *headroom < result.floor) {
            result.reason = PurgeStop::Cgroup;
            break;
        }
        const auto pressure = source.pressure();
        if (pressure && *pressure > options.pressureLimit) {
            result.reason = PurgeStop::Pressure;
            break;
        }
        // The last chunk takes only what is left below the cap (in whole pages).
        const std::uint64_t left = cap - taken;
        const std::size_t length = left < chunkBytes
                                       ? static_cast<std::size_t>((left + page - 1) / page * page)
                                       : chunkBytes;
        // MAP_POPULATE takes the pages in one call rather than one fault per page.
        void *address = ::mmap(nullptr, length, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (address == MAP_FAILED) {
            result.reason = PurgeStop::MapFailed;
            break;
        }
        chunks.push_back({address, length});
        auto *bytes = static_cast<char *>(address);
        // A stop is noticed within one copy of the picture, not one chunk.
        std::size_t written = 0;
        while (written < length && !stop.load(std::memory_order_relaxed)) {
            const std::size_t piece = std::min(picture->size(), length - written);
            std::memcpy(bytes + written, picture->data(), piece);
            written += piece;
        }
        taken += written;
    }
    for (const Chunk &chunk : chunks)
        ::munmap(chunk.address, chunk.length);
    result.bytesTaken = taken;
    result.seconds = source.now() - started;
    return result;
}

// ---- The worker
// ----------------------------------------------------------------------------------

MemoryPurge::MemoryPurge(std::shared_ptr<PurgeMemorySource> source, std::string picturePath,
                         PurgeOptions options)
    : m_source(std::move(source)), m_picturePath(std::move(picturePath)),
      m_options(std::move(options))
{
}

MemoryPurge::~MemoryPurge()
{
    abandon();
}

bool MemoryPurge::start(Finished finished)
{
    if (m_worker.joinable())
        return false;
    // Cleared here, before the worker exists: a stop that came between two purges does not end
    // the next one.
    m_stop->store(false, std::memory_order_release);
    m_report = std::make_shared<Report>();
    m_report->finished = std::move(finished);
    m_worker = std::thread([source = m_source, path = m_picturePath, options = m_options,
                            flag = m_stop, report = m_report] {
        const PurgeResult result = runMemoryPurge(*source, path, *flag, options);
        const std::lock_guard lock(report->mutex);
        if (report->finished)
            report->finished(result);
    });
    return true;
}

void MemoryPurge::abandon()
{
    stop();
    if (m_report) {
        const std::lock_guard lock(m_report->mutex);
        m_report->finished = nullptr;
    }
    m_report.reset();
    if (m_worker.joinable())
        m_worker.detach();
}

void MemoryPurge::stop()
{
    m_stop->store(true, std::memory_order_release);
}

void MemoryPurge::join()
{
    if (m_worker.joinable())
        m_worker.join();
}
