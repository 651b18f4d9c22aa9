// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/monitorfigures.h"

#include "charts/chartgeometry.h"

#include <algorithm>
#include <cstdio>

namespace monitorfigures {

namespace {

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

CpuFigures cpuFigures(std::size_t processCount, const std::optional<std::pair<float, long>> &usage)
{
    CpuFigures figures;
    figures.processes = static_cast<int>(processCount);
    figures.load = usage ? static_cast<int>(usage->first) : 0;
    figures.idle = std::max(0, 100 - figures.load);
    return figures;
}

void CpuHistory::append(int load)
{
    const int capped = std::clamp(load, 0, 100);
    if (blue.size() >= kHistoryLength) {
        const auto excess = static_cast<std::ptrdiff_t>(blue.size() - kHistoryLength + 1);
        blue.erase(blue.begin(), blue.begin() + excess);
        green.erase(green.begin(), green.begin() + excess);
    }
    blue.push_back(capped * 2.0);
    green.push_back(300.0 - capped * 3.0);
}

std::array<double, 4> cpuGaugeValues(const std::optional<std::pair<float, long>> &usage)
{
    const int load = usage ? static_cast<int>(usage->first) : 0;
    const long seconds = usage ? usage->second : 0;
    return {static_cast<double>(seconds), static_cast<double>(load - seconds),
            static_cast<double>(std::max(0, 100 - load)), 60.0};
}

std::string_view processIcon(std::string_view processName)
{
    static constexpr std::pair<std::string_view, std::string_view> kIcons[] = {
        {"powerdeck", "powerdeck.png"},
    };
    for (const auto &[name, icon] : kIcons) {
        if (name == processName)
            return icon;
    }
    return {};
}

std::string cpuLevelText(float load)
{
    return format("%.0f%%", static_cast<double>(load));
}

std::optional<DiskFigures> diskFigures(const std::optional<DiskSpace> &space)
{
    if (!space || space->totalMB == 0 || space->usedPercent < 0)
        return std::nullopt;
    // The shares are df's: of used + free, the blocks reserved for root left out.
    const int usedShare = std::clamp(space->usedPercent, 0, 100);
    const int freeShare = 100 - usedShare;
    DiskFigures figures;
    figures.freeRing = charts::ringPercent(freeShare);
    figures.usedRing = charts::ringPercent(usedShare);
    figures.freeText = format("%.0f%%", freeShare);
    figures.usedText = format("%.0f%%", usedShare);
    figures.usedGBText = format("%.0fGB", static_cast<double>(space->usedMB) / 1024);
    figures.freeGBText = format("%.0fGB", static_cast<double>(space->freeMB) / 1024);
    figures.totalGBText = format("%.1f GB", static_cast<double>(space->totalMB) / 1024);
    return figures;
}

std::vector<double> diskGaugeValues(const std::optional<DiskSpace> &space)
{
    if (!space)
        return {};
    return {static_cast<double>(space->freeMB), static_cast<double>(space->usedMB)};
}

std::array<double, 2> networkBarHeights(const std::array<long long, 4> &counters)
{
    const charts::TrafficShares shares =
        charts::trafficShares({static_cast<double>(counters[0]), static_cast<double>(counters[1]),
                               static_cast<double>(counters[2]), static_cast<double>(counters[3])});
    return {shares.sent * kBarPointsPerPercent, shares.received * kBarPointsPerPercent};
}

} // namespace monitorfigures
