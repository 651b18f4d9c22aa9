// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor.h"

#include "monitor/activitymonitor_procfs.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sstream>
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

namespace {

// The whitespace-separated decimal numbers of a sysfs line; stops at the first that is not one.
std::vector<std::uint64_t> numbers(const std::string &text)
{
    std::vector<std::uint64_t> values;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        auto value = activitymonitor_procfs::parseInteger(word);
        if (!value || *value < 0)
            break;
        values.push_back(static_cast<std::uint64_t>(*value));
    }
    return values;
}

std::optional<std::uint64_t> number(const std::string &path)
{
    auto text = activitymonitor_procfs::readFile(path);
    if (!text)
        return std::nullopt;
    auto values = numbers(*text);
    if (values.empty())
        return std::nullopt;
    return values.front();
}

} // namespace

std::optional<ZramSample> ActivityMonitor::readZram(const std::string &sysRoot,
                                                    const std::string &procRoot)
{
    ZramSample zram;
    std::vector<std::string> names;
    const std::string block = sysRoot + "/block/";
    if (DIR *dir = ::opendir(block.c_str())) {
        while (dirent *entry = ::readdir(dir)) {
            if (std::strncmp(entry->d_name, "zram", 4) == 0)
                names.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        const std::string device = block + name + "/";
        const auto size = number(device + "disksize");
        if (!size || *size == 0)
            continue; // not set up: holds nothing
        // mm_stat: orig_data_size compr_data_size mem_used_total mem_limit mem_used_max ...
        std::optional<std::uint64_t> stored, inRam;
        if (auto mmStat = activitymonitor_procfs::readFile(device + "mm_stat")) {
            const auto values = numbers(*mmStat);
            if (values.size() >= 3) {
                stored = values[0];
                inRam = values[2];
            }
        }
        if (!stored || !inRam) { // kernels before 4.1 had a file per figure
            stored = number(device + "orig_data_size");
            inRam = number(device + "mem_used_total");
        }
        if (!stored || !inRam)
            continue;
        ++zram.devices;
        zram.sizeBytes += *size;
        zram.storedBytes += *stored;
        zram.inRamBytes += *inRam;
        zram.hasInRam = true;
    }
    if (zram.devices > 0)
        return zram;

    // Without the block attributes, the swap list still tells how much is stored in zram swap:
    // "Filename Type Size Used Priority", sizes in kB.
    auto swaps = activitymonitor_procfs::readFile(procRoot + "/swaps");
    if (!swaps)
        return std::nullopt;
    std::istringstream lines(*swaps);
    std::string line;
    std::getline(lines, line); // the heading
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string file, type;
        std::uint64_t size = 0, used = 0;
        if (!(fields >> file >> type >> size >> used) || file.rfind("/dev/zram", 0) != 0)
            continue;
        ++zram.devices;
        zram.sizeBytes += size * 1024;
        zram.storedBytes += used * 1024;
    }
    if (zram.devices == 0)
        return std::nullopt;
    return zram;
}
