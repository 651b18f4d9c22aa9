// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

const std::string kFixtures = POWERDECK_FIXTURES;

void writeMeminfo(const std::filesystem::path &root, int freeKB)
{
    std::ofstream(root / "meminfo") << "MemTotal: 1048576 kB\nMemFree: " << freeKB
                                    << " kB\nMemAvailable: 524288 kB\nActive: 512000 kB\n"
                                       "Inactive: 409600 kB\n";
}

// Every figure of a refresh comes from the one sample it took, even when the kernel's figures
// move between the reads of that refresh.
TEST(ActivityMonitorMemorySample, FiguresOfOneSampleAgree)
{
    const auto root = std::filesystem::temp_directory_path() /
                      ("powerdeck-meminfo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    writeMeminfo(root, 24576);
    ActivityMonitor monitor(root.string(), "/nonexistent");
    const auto sample = monitor.memorySample();
    writeMeminfo(root, 100 * 1024);
    ASSERT_TRUE(sample.has_value());
    EXPECT_DOUBLE_EQ(ActivityMonitor::freeMemoryy(sample, false), 24.0);
    EXPECT_DOUBLE_EQ(ActivityMonitor::currentMemoryUsage(sample).at("free"), 24.0);
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(sample, true), 900 * 100.0 / 924);
    EXPECT_FLOAT_EQ(ActivityMonitor::totalMem(sample), 1024.0f);
    EXPECT_EQ(sample->availableBytes, 524288ull * 1024);
    EXPECT_TRUE(sample->hasAvailable);
    // A failed sample gives the failure value of every figure.
    const std::optional<MemorySample> failed;
    EXPECT_EQ(ActivityMonitor::usedMemoryy(failed, true), -1);
    EXPECT_EQ(ActivityMonitor::freeMemoryy(failed, false), -1);
    EXPECT_EQ(ActivityMonitor::currentMemoryUsage(failed).count("error"), 1u);
    std::filesystem::remove_all(root);
}

TEST(ActivityMonitorDisk, FileSystemOfAFolder)
{
    auto space = ActivityMonitor::getFreeDiskspace(std::filesystem::temp_directory_path());
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(space->totalMB, 0u);
    EXPECT_LE(space->freeMB, space->totalMB);
    EXPECT_FALSE(ActivityMonitor::getFreeDiskspace("/nonexistent/Documents").has_value());
}

TEST(ActivityMonitorCpuCount, KernelRangeLists)
{
    const struct
    {
        const char *list;
        int count;
    } cases[] = {{"0\n", 1}, {"0-3\n", 4}, {"0-3,6,8-9\n", 7}, {"0-7", 8},
                 {"", 0},    {"3-1", 0},   {"a-b", 0},         {"0,,2", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(ActivityMonitor::countCpuList(c.list), c.count) << c.list;

    EXPECT_EQ(ActivityMonitor("/nonexistent", kFixtures + "/sys-host-laptop").onlineCpuCount(), 8);
    EXPECT_GE(ActivityMonitor("/nonexistent", "/nonexistent").onlineCpuCount(), 1);
}

} // namespace
