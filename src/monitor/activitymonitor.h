// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor_procfs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One entry of the process list. The keys under which screens show the three values are
// ActivityMonitor::kProcessIDKey and its siblings.
struct ActivityProcess
{
    std::string processID;   // decimal pid
    std::string processName; // the kernel's short command name, at most 15 bytes
    std::string priority;    // one character whose code is the scheduling priority byte
};

// One address of one network interface, as the interface address list reports it.
struct InterfaceAddress
{
    std::string interfaceName;
    int family = 0;      // AF_INET or AF_INET6
    std::string address; // printable form (dotted quad, or IPv6 text without scope)
    bool linkLocal = false;
};

// One reading of /proc/meminfo, in pages of `pageSize` bytes. Every memory figure of one refresh
// is taken from one sample, so the figures of a screen agree with each other:
//
//   auto sample = monitor.memorySample();          // one read of meminfo
//   double used = ActivityMonitor::usedMemoryy(sample, true);
//   auto usage = ActivityMonitor::currentMemoryUsage(sample);
//
// Linux has no Mach page counts; they are made from meminfo like this:
//   free      MemFree
//   active    Active
//   inactive  Inactive
//   wire      memory the kernel cannot reclaim: Unevictable + SUnreclaim + KernelStack +
//             PageTables
//   purgeable caches the kernel drops under memory pressure: SReclaimable plus the clean part of
//             Inactive(file) (minus Dirty and Writeback); it overlaps inactive, as on Mach
// Used memory is free(1)'s: MemTotal − MemAvailable, the memory programs hold that the kernel
// cannot give to others without swapping. Page cache is not used memory.
struct MemorySample
{
    std::uint64_t pageSize = 4096;
    std::uint64_t free = 0;
    std::uint64_t active = 0;
    std::uint64_t inactive = 0;
    std::uint64_t wire = 0;
    std::uint64_t purgeable = 0;
    std::uint64_t totalBytes = 0;     // MemTotal; 0 when the kernel does not report it
    std::uint64_t availableBytes = 0; // MemAvailable; 0 when the kernel does not report it
    bool hasAvailable = false;
    std::uint64_t cacheBytes = 0; // Buffers + Cached + SReclaimable, free(1)'s buff/cache
    std::uint64_t swapTotalBytes = 0;
    std::uint64_t swapFreeBytes = 0;

    // MemTotal − MemAvailable; on a kernel without MemAvailable (before 3.14), what free(1)
    // showed then: MemTotal − MemFree − buff/cache. 0 when MemTotal is missing.
    std::uint64_t usedBytes() const;
    std::uint64_t swapUsedBytes() const
    {
        return swapTotalBytes > swapFreeBytes ? swapTotalBytes - swapFreeBytes : 0;
    }
};

// The compressed RAM block devices (zram) together. Stored is the data written to them, before
// compression; inRam what they take of memory, compression and overhead included.
struct ZramSample
{
    int devices = 0;
    std::uint64_t sizeBytes = 0;   // the devices' sizes (disksize)
    std::uint64_t storedBytes = 0; // orig_data_size
    std::uint64_t inRamBytes = 0;  // mem_used_total
    bool hasInRam = false;         // false when only /proc/swaps told the stored data
};

// The figures of one kind of network interface (Wi-Fi, wired, cellular), kept together: the
// address and the hardware address are those of one interface of that kind, the first in name
// order that has an address (else the first), and the traffic is that of every interface of the
// kind. Nothing of one kind is ever shown or counted under another.
struct NetworkBlock
{
    bool present = false; // an interface of this kind exists
    std::string interfaceName;
    std::string address = "127.0.0.1";
    // "%02X:%02X:%02X:%02X:%02X:%02X", or the error text of the step that failed (no interface:
    // "if_nametoindex failure").
    std::string hardwareAddress = "if_nametoindex failure";
    long long sentMB = 0; // whole MB since the interfaces came up
    long long receivedMB = 0;
};

struct NetworkFigures
{
    NetworkBlock wifi;
    NetworkBlock wired;
    NetworkBlock cellular;
};

// The size of a file system as df(1) reckons it, in whole MB (bytes / 1,048,576, truncated).
// The blocks reserved for root are neither used nor available, so used + free may fall short
// of the size; the used share is of used + free, as df's "Use%".
struct DiskSpace
{
    std::uint64_t freeMB = 0;  // f_bavail: space an ordinary user may still fill
    std::uint64_t totalMB = 0; // f_blocks: the file system's size
    std::uint64_t usedMB = 0;  // f_blocks − f_bfree
    int usedPercent = -1;      // df's Use%, rounded up; -1 when used + free is 0
};

// The system monitor's one reader of kernel counters: this application's CPU load, the process
// list, memory page counts, the Wi-Fi and cellular addresses, the Wi-Fi hardware address and the
// traffic totals. Every figure is read afresh on each call from the /proc and /sys trees given
// to the constructor (fixture trees in the tests).
//
// The state is the per-thread CPU history cpu_usage() needs (Linux keeps no decaying "recent
// usage" per thread, so the load is measured between two calls, see there) and the stat files
// kept open between calls, which make a refresh one read per thread or process.
class ActivityMonitor
{
public:
    static constexpr const char *kProcessIDKey = "ProcessID";
    static constexpr const char *kProcessNameKey = "ProcessName";
    // The priority keeps the key it has always been listed under.
    static constexpr const char *kProcessPriorityKey = "processCPU";
    static constexpr const char *kLoopbackAddress = "127.0.0.1";

    // Lists every address of every interface; nothing when the list cannot be had.
    using AddressSource = std::function<std::optional<std::vector<InterfaceAddress>>()>;
    // Seconds since boot, on the clock /proc's thread start times count from.
    using Clock = std::function<double()>;

    explicit ActivityMonitor(std::string procRoot = "/proc", std::string sysRoot = "/sys");
    ActivityMonitor(std::string procRoot, std::string sysRoot, AddressSource addresses,
                    Clock clock = {});

    const std::string &procRoot() const { return m_procRoot; }
    const std::string &sysRoot() const { return m_sysRoot; }

    // [load of this application's threads in percent of one CPU (may exceed 100), whole user
    // and system CPU seconds this process has used]; nothing when the thread list or the
    // process's own figures cannot be read.
    //
    // Each thread's load is its CPU time over the wall time since the reference sample: the
    // previous call's sample, or for a thread seen for the first time, its start. Screens call
    // this several times per refresh; a call less than kMinimumWindow after the previous one
    // measures from the sample before that instead, so quick successive calls agree rather
    // than measuring a window too short for the kernel's tick counters. Threads with no CPU
    // time in the window are idle and add no load. The seconds are the process's total since
    // it started (self/stat), so they never fall: threads that sleep or have ended still count.
    std::optional<std::pair<float, long>> cpu_usage();
    static constexpr double kMinimumWindow = 0.5;

    // Every process, the highest pid first (the reverse of the kernel's ascending order);
    // nothing when the process list cannot be read.
    // The stat files of the processes stay open between calls (up to a bound, see
    // activitymonitor_procfs::keptFileLimit), so a refresh costs one read per process.
    std::optional<std::vector<ActivityProcess>> runningProcesses();

    // One read of <procRoot>/meminfo; nothing when it cannot be read or lacks MemFree, Active
    // or Inactive. Screens take one sample per refresh and form every figure from it with the
    // static functions below, which treat nothing as the failed read.
    std::optional<MemorySample> memorySample() const { return readMemorySample(m_procRoot); }
    static std::optional<MemorySample> readMemorySample(const std::string &procRoot);

    // The zram devices under <sysRoot>/block: mm_stat, else the separate attribute files of
    // older kernels, else the zram lines of <procRoot>/swaps; nothing when there is no
    // initialised zram device.
    static std::optional<ZramSample> readZram(const std::string &sysRoot,
                                              const std::string &procRoot);

    // Used (MemTotal − MemAvailable) / free (MemFree) memory in MB, or as a percentage of
    // MemTotal; -1 on failure or when the result is not greater than 0. The percentage is taken
    // of whole MB on both sides.
    static double usedMemoryy(const std::optional<MemorySample> &sample, bool percent);
    static double freeMemoryy(const std::optional<MemorySample> &sample, bool percent);
    // The same, each from a sample of its own.
    static double usedMemoryy(bool percent, const std::string &procRoot = "/proc");
    static double freeMemoryy(bool percent, const std::string &procRoot = "/proc");

    // Physical memory (MemTotal) in MB; 0 when it cannot be read.
    static float totalMem(const std::optional<MemorySample> &sample);
    float totalMem() const;

    // "Wire", "active", "free", "inactive", "Purgeable" in MB, or {"error": -1}.
    static std::map<std::string, double>
    currentMemoryUsage(const std::optional<MemorySample> &sample);
    std::map<std::string, double> currentMemoryUsage() const;
    // The order in which the memory screens lay out the five figures.
    static constexpr const char *kMemoryUsageKeys[5] = {"Wire", "active", "free", "inactive",
                                                        "Purgeable"};

    // Free, used and total size of the file system holding `path` (statvfs, 64-bit
    // arithmetic); nothing, with a line on the standard error, when it cannot be read.
    static std::optional<DiskSpace> getFreeDiskspace(const std::string &path);
    // df's arithmetic on statvfs's block counts, in units of `fragmentSize` bytes.
    static DiskSpace diskSpace(std::uint64_t blocks, std::uint64_t freeBlocks,
                               std::uint64_t availableBlocks, std::uint64_t fragmentSize);

    // The number of processors the kernel has online (<sysRoot>/devices/system/cpu/online,
    // else the C library's count); at least 1.
    int onlineCpuCount() const;
    // Counts the processors of a kernel range list such as "0-3,6,8-9"; 0 when malformed.
    static int countCpuList(std::string_view list);

    // The Wi-Fi, wired and cellular figures, each kind's own (see NetworkBlock).
    NetworkFigures networkFigures() const;

    // [Wi-Fi address, cellular address], each "127.0.0.1" when there is none. A cable's address
    // is never given as the Wi-Fi one.
    std::pair<std::string, std::string> getIPAddress() const;

    // The hardware address of the Wi-Fi interface whose address getIPAddress gives, as
    // "%02X:%02X:%02X:%02X:%02X:%02X", or an error text.
    std::string getMacAddress() const;

    // [Wi-Fi sent, Wi-Fi received, cellular sent, cellular received] in whole MB since the
    // interfaces came up; wired traffic is in neither.
    std::array<long long, 4> getDataCounters() const;

    // The default address source, from getifaddrs().
    static std::optional<std::vector<InterfaceAddress>> systemInterfaceAddresses();

private:
    struct ThreadSample
    {
        long tid;
        std::uint64_t ticks; // utime + stime
        double time;         // seconds since boot when sampled
    };

    enum class InterfaceKind { Other, WiFi, Wired, Cellular };
    struct NetworkInterface
    {
        std::string name;
        InterfaceKind kind;
    };
    std::vector<NetworkInterface> networkInterfaces() const;
    // The hardware address of one interface, or the error text of the step that failed.
    std::string hardwareAddress(const std::string &interfaceName) const;

    std::string m_procRoot;
    std::string m_sysRoot;
    AddressSource m_addresses;
    Clock m_clock;
    // Both sorted by tid. m_latest is the last call's sample, m_previous the one before;
    // m_spare is reused so a call allocates nothing once the vectors have grown.
    std::vector<ThreadSample> m_latest;
    std::vector<ThreadSample> m_previous;
    std::vector<ThreadSample> m_spare;
    double m_latestTime = 0;

    // The stat files of the threads and of the processes seen by the last calls, kept open
    // (see activitymonitor_procfs::KeptFiles); m_ids is scratch for the listed numbers.
    // This process's threads are few; the processes take the rest of the budget.
    static constexpr std::size_t kThreadFiles = 64;
    activitymonitor_procfs::KeptFiles m_threadFiles{
        std::min(kThreadFiles, activitymonitor_procfs::keptFileLimit())};
    activitymonitor_procfs::KeptFiles m_processFiles{
        activitymonitor_procfs::keptFileLimit() -
        std::min(kThreadFiles, activitymonitor_procfs::keptFileLimit())};
    std::vector<long> m_ids;
};
