// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The arithmetic of the processor, disk and network figures the monitor screens and gauges show.
// Plain C++: the controllers only move these results into their properties.
namespace monitorfigures {

// ---- processor --------------------------------------------------------------------------------

// The three figures of the processor screen. Load is the application's own threads' load
// truncated to whole percent; idle is what is left of one processor, never below 0.
struct CpuFigures
{
    int processes = 0;
    int load = 0;
    int idle = 100;
};
CpuFigures cpuFigures(std::size_t processCount, const std::optional<std::pair<float, long>> &usage);

// The load history: "Blue Plot" holds 2 × load, "Green Plot" 300 − 3 × load, with the load capped
// at 100 so both stay inside the chart's 0..300. The history keeps as many samples as the chart's
// x range shows (0..100), dropping the oldest.
constexpr std::size_t kHistoryLength = 101;
struct CpuHistory
{
    std::vector<double> blue{0};
    std::vector<double> green{0};
    void append(int load);
};

// The processor gauge's four pie records: [seconds, load − seconds, idle, 60], load and seconds
// truncated; a failed sample counts 0 load and 0 seconds.
std::array<double, 4> cpuGaugeValues(const std::optional<std::pair<float, long>> &usage);

// The picture of a process row: only processes this application ships a picture for have one,
// looked up by exact name in a fixed table (a process chooses its own name, so no file name is
// ever made from it). "" for every other process.
std::string_view processIcon(std::string_view processName);

// The overview's processor figure: "%.0f%%" of the load.
std::string cpuLevelText(float load);

// ---- disk -------------------------------------------------------------------------------------

struct DiskFigures
{
    int freeRing = 0; // whole percent of the ring
    int usedRing = 0;
    std::string freeText;    // "75%"
    std::string usedText;    // "25%"
    std::string usedGBText;  // "4GB"
    std::string freeGBText;  // "12GB"
    std::string totalGBText; // "16.0 GB"
};
// Nothing when the sizes could not be read or the total is 0: the screen keeps what it shows.
// The figures are df's: used is size − f_bfree, free is f_bavail, and the shares are of
// used + free (df's Use%, rounded up).
std::optional<DiskFigures> diskFigures(const std::optional<DiskSpace> &space);
// The disk gauge's two records: [free, used] in MB; no records when the sizes could not be read.
std::vector<double> diskGaugeValues(const std::optional<DiskSpace> &space);

// ---- network ----------------------------------------------------------------------------------

// The network gauge's bars: sent and received, each 0.62 points per percent of all traffic
// (at most 62 points), growing upward from their base. No traffic at all gives two empty bars.
constexpr double kBarPointsPerPercent = 0.62;
std::array<double, 2> networkBarHeights(const std::array<long long, 4> &counters);

} // namespace monitorfigures
