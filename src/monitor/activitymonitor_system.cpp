// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor.h"

#include "monitor/activitymonitor_procfs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/statvfs.h>
#include <unistd.h>

std::optional<DiskSpace> ActivityMonitor::getFreeDiskspace(const std::string &path)
{
    struct statvfs fs
    {
    };
    if (::statvfs(path.c_str(), &fs) != 0) {
        const int error = errno;
        std::fprintf(stderr, "Error Obtaining System Memory Info: Domain = %s, Code = %ld\n",
                     "NSPOSIXErrorDomain", static_cast<long>(error));
        return std::nullopt;
    }
    return diskSpace(fs.f_blocks, fs.f_bfree, fs.f_bavail, fs.f_frsize ? fs.f_frsize : fs.f_bsize);
}

DiskSpace ActivityMonitor::diskSpace(std::uint64_t blocks, std::uint64_t freeBlocks,
                                     std::uint64_t availableBlocks, std::uint64_t fragmentSize)
{
    // Block counts times the fragment size in 64 bits: a 32-bit product overflows at 4 GiB.
    const std::uint64_t used = blocks > freeBlocks ? blocks - freeBlocks : 0;
    DiskSpace space;
    space.freeMB = (availableBlocks * fragmentSize) >> 20;
    space.totalMB = (blocks * fragmentSize) >> 20;
    space.usedMB = (used * fragmentSize) >> 20;
    // As df: used × 100 / (used + available), any remainder rounding up.
    const std::uint64_t whole = used + availableBlocks;
    if (whole > 0) {
        const std::uint64_t hundredths = used * 100;
        space.usedPercent = static_cast<int>(hundredths / whole + (hundredths % whole != 0));
    }
    return space;
}

int ActivityMonitor::countCpuList(std::string_view list)
{
    while (!list.empty() && (list.back() == '\n' || list.back() == ' '))
        list.remove_suffix(1);
    if (list.empty())
        return 0;
    int count = 0;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view range = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        const std::size_t dash = range.find('-');
        auto first = activitymonitor_procfs::parseInteger(range.substr(0, dash));
        auto last = dash == std::string_view::npos
                        ? first
                        : activitymonitor_procfs::parseInteger(range.substr(dash + 1));
        if (!first || !last || *last < *first || *first < 0)
            return 0;
        count += static_cast<int>(*last - *first + 1);
    }
    return count;
}

int ActivityMonitor::onlineCpuCount() const
{
    if (auto online = activitymonitor_procfs::readFile(m_sysRoot + "/devices/system/cpu/online")) {
        if (int count = countCpuList(*online); count > 0)
            return count;
    }
    const long count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}
