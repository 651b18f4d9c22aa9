// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor.h"

#include "monitor/activitymonitor_procfs.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

using namespace activitymonitor_procfs;

namespace {

constexpr double kBytesPerMB = 1024.0 * 1024.0;

double secondsSinceBoot()
{
    // CLOCK_BOOTTIME is the clock the kernel's per-thread start times count on.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long ticksPerSecond()
{
    static const long ticks = [] {
        long value = sysconf(_SC_CLK_TCK);
        return value > 0 ? value : 100;
    }();
    return ticks;
}

std::uint64_t pageSize()
{
    static const std::uint64_t size = [] {
        long value = sysconf(_SC_PAGESIZE);
        return value > 0 ? static_cast<std::uint64_t>(value) : 4096u;
    }();
    return size;
}

bool isNumber(const char *name)
{
    if (!*name)
        return false;
    for (const char *p = name; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
    }
    return true;
}

// MB or percent of `part` bytes out of `whole` bytes, as the memory figures are formed: the
// percentage is taken of whole MB (truncated) on both sides. Not greater than 0 gives -1.
double memoryFigure(std::uint64_t part, std::uint64_t whole, bool percent)
{
    double result;
    if (!percent) {
        result = static_cast<double>(part) / 1024 / 1024;
    } else {
        auto partMB = static_cast<double>(part / (1024 * 1024));
        auto wholeMB = static_cast<double>(whole / (1024 * 1024));
        result = partMB * 100.0 / wholeMB;
    }
    if (!(result > 0) || std::isinf(result))
        return -1;
    return result;
}

} // namespace

ActivityMonitor::ActivityMonitor(std::string procRoot, std::string sysRoot)
    : ActivityMonitor(std::move(procRoot), std::move(sysRoot), {}, {})
{
}

ActivityMonitor::ActivityMonitor(std::string procRoot, std::string sysRoot, AddressSource addresses,
                                 Clock clock)
    : m_procRoot(std::move(procRoot)), m_sysRoot(std::move(sysRoot)),
      m_addresses(addresses ? std::move(addresses) : AddressSource(&systemInterfaceAddresses)),
      m_clock(clock ? std::move(clock) : Clock(&secondsSinceBoot))
{
}

std::optional<std::pair<float, long>> ActivityMonitor::cpu_usage()
{
    const std::string taskPath = m_procRoot + "/self/task";
    DIR *tasks = ::opendir(taskPath.c_str());
    if (!tasks) {
        m_threadFiles.closeAll();
        return std::nullopt;
    }
    const double now = m_clock();
    const long hz = ticksPerSecond();

    std::vector<long> &tids = m_ids;
    tids.clear();
    while (dirent *entry = ::readdir(tasks)) {
        if (isNumber(entry->d_name))
            tids.push_back(std::atol(entry->d_name));
    }
    std::sort(tids.begin(), tids.end());

    std::vector<ThreadSample> &current = m_spare;
    current.clear();
    char line[1024];
    const auto result =
        m_threadFiles.walk(::dirfd(tasks), tids, "stat", true, line, sizeof line,
                           [&](long tid, std::string_view text) {
                               auto stat = parseStatLine(text);
                               if (!stat)
                                   return false;
                               const double started =
                                   static_cast<double>(stat->starttime) / static_cast<double>(hz);
                               current.push_back({tid, stat->utime + stat->stime, started});
                               return true;
                           });
    ::closedir(tasks);
    if (result == KeptFiles::Result::Failed)
        return std::nullopt;
    // The process's own line counts every thread, those that have ended included.
    const std::string selfStat = m_procRoot + "/self/stat";
    const long selfLength = readSmallFile(AT_FDCWD, selfStat.c_str(), line, sizeof line);
    const auto self =
        selfLength < 0
            ? std::nullopt
            : parseStatLine(std::string_view(line, static_cast<std::size_t>(selfLength)));
    if (!self)
        return std::nullopt;
    const long seconds =
        static_cast<long>((self->utime + self->stime) / static_cast<std::uint64_t>(hz));
    // Quick successive calls measure from the sample before the last one (see the header).
    const bool rotate = m_latest.empty() || now - m_latestTime >= kMinimumWindow;
    const std::vector<ThreadSample> &reference = rotate ? m_latest : m_previous;

    double load = 0;
    auto ref = reference.begin();
    const double tick = 1.0 / static_cast<double>(hz);
    for (const ThreadSample &thread : current) {
        while (ref != reference.end() && ref->tid < thread.tid)
            ++ref;
        std::uint64_t busy;
        double since;
        if (ref != reference.end() && ref->tid == thread.tid && ref->ticks <= thread.ticks) {
            busy = thread.ticks - ref->ticks;
            since = ref->time;
        } else {
            busy = thread.ticks;
            since = thread.time; // the thread's start
        }
        if (busy == 0)
            continue;
        // The counters move in whole ticks, so no window is shorter than one.
        const double window = std::max(now - since, tick);
        load += static_cast<double>(busy) / static_cast<double>(hz) / window * 100.0;
    }

    for (ThreadSample &thread : current)
        thread.time = now;
    if (rotate) {
        m_spare.swap(m_previous);  // m_spare (current) becomes m_previous ...
        m_previous.swap(m_latest); // ... then m_latest, and the old latest m_previous
        m_latestTime = now;
    }
    return std::make_pair(static_cast<float>(load), seconds);
}

std::optional<std::vector<ActivityProcess>> ActivityMonitor::runningProcesses()
{
    DIR *proc = ::opendir(m_procRoot.c_str());
    if (!proc) {
        m_processFiles.closeAll();
        return std::nullopt;
    }
    std::vector<long> &pids = m_ids;
    pids.clear();
    while (dirent *entry = ::readdir(proc)) {
        if (isNumber(entry->d_name))
            pids.push_back(std::atol(entry->d_name));
    }
    // The kernel lists /proc in ascending pid order; sorting makes any tree (fixtures
    // included) enumerate the same way. The list is returned in the reverse of that order.
    std::sort(pids.begin(), pids.end());

    std::vector<ActivityProcess> processes;
    processes.reserve(pids.size());
    char line[1024];
    m_processFiles.walk(
        ::dirfd(proc), pids, "stat", false, line, sizeof line, [&](long, std::string_view text) {
            if (auto stat = parseStatLine(text)) {
                ActivityProcess process;
                process.processID = std::to_string(stat->pid);
                process.processName = std::string(stat->comm.substr(0, 15));
                // The priority as one byte, as the kernel's record keeps it.
                process.priority = std::string(1, static_cast<char>(stat->priority & 0xFF));
                processes.push_back(std::move(process));
            }
            return true;
        });
    ::closedir(proc);
    std::reverse(processes.begin(), processes.end());
    return processes;
}

std::optional<MemorySample> ActivityMonitor::readMemorySample(const std::string &procRoot)
{
    auto meminfo = readFile(procRoot + "/meminfo");
    if (!meminfo)
        return std::nullopt;
    auto kB = [&](std::string_view key) { return meminfoKilobytes(*meminfo, key); };
    auto optional = [&](std::string_view key) { return kB(key).value_or(0); };
    auto memFree = kB("MemFree");
    auto active = kB("Active");
    auto inactive = kB("Inactive");
    if (!memFree || !active || !inactive)
        return std::nullopt;

    MemorySample sample;
    sample.pageSize = pageSize();
    auto pages = [&](std::uint64_t kilobytes) { return kilobytes * 1024 / sample.pageSize; };
    std::uint64_t inactiveFile = optional("Inactive(file)");
    std::uint64_t unclean = optional("Dirty") + optional("Writeback");
    std::uint64_t cleanInactiveFile = inactiveFile > unclean ? inactiveFile - unclean : 0;

    sample.free = pages(*memFree);
    sample.active = pages(*active);
    sample.inactive = pages(*inactive);
    sample.wire = pages(optional("Unevictable") + optional("SUnreclaim") + optional("KernelStack") +
                        optional("PageTables"));
    sample.purgeable = pages(optional("SReclaimable") + cleanInactiveFile);
    // 64-bit bytes: a 32-bit count would overflow above 2 GiB.
    sample.totalBytes = optional("MemTotal") * 1024;
    if (auto available = kB("MemAvailable")) {
        sample.availableBytes = *available * 1024;
        sample.hasAvailable = true;
    }
    sample.cacheBytes =
        (optional("Buffers") + optional("Cached") + optional("SReclaimable")) * 1024;
    sample.swapTotalBytes = optional("SwapTotal") * 1024;
    sample.swapFreeBytes = optional("SwapFree") * 1024;
    return sample;
}

std::uint64_t MemorySample::usedBytes() const
{
    const std::uint64_t unused = hasAvailable ? availableBytes : free * pageSize + cacheBytes;
    return totalBytes > unused ? totalBytes - unused : 0;
}

double ActivityMonitor::usedMemoryy(const std::optional<MemorySample> &sample, bool percent)
{
    if (!sample)
        return -1;
    return memoryFigure(sample->usedBytes(), sample->totalBytes, percent);
}

double ActivityMonitor::freeMemoryy(const std::optional<MemorySample> &sample, bool percent)
{
    if (!sample)
        return -1;
    return memoryFigure(sample->free * sample->pageSize, sample->totalBytes, percent);
}

double ActivityMonitor::usedMemoryy(bool percent, const std::string &procRoot)
{
    return usedMemoryy(readMemorySample(procRoot), percent);
}

double ActivityMonitor::freeMemoryy(bool percent, const std::string &procRoot)
{
    return freeMemoryy(readMemorySample(procRoot), percent);
}

float ActivityMonitor::totalMem(const std::optional<MemorySample> &sample)
{
    return sample ? static_cast<float>(sample->totalBytes) / 1024 / 1024 : 0.0f;
}

float ActivityMonitor::totalMem() const
{
    return totalMem(memorySample());
}

std::map<std::string, double>
ActivityMonitor::currentMemoryUsage(const std::optional<MemorySample> &sample)
{
    if (!sample)
        return {{"error", -1}};
    const auto mb = [&](std::uint64_t pages) {
        return static_cast<double>(pages * sample->pageSize) / kBytesPerMB;
    };
    return {{"Wire", mb(sample->wire)},
            {"active", mb(sample->active)},
            {"free", mb(sample->free)},
            {"inactive", mb(sample->inactive)},
            {"Purgeable", mb(sample->purgeable)}};
}

std::map<std::string, double> ActivityMonitor::currentMemoryUsage() const
{
    return currentMemoryUsage(memorySample());
}
