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
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(sample, true), 50.0); // 512 of 1024 MB
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

TEST(ActivityMonitorZram, BlockAttributesElseTheSwapList)
{
    const auto root =
        std::filesystem::temp_directory_path() / ("powerdeck-zram-" + std::to_string(::getpid()));
    // A kernel before 4.1: one file per figure; zram1 is not set up and holds nothing.
    std::filesystem::create_directories(root / "block/zram0");
    std::filesystem::create_directories(root / "block/zram1");
    std::ofstream(root / "block/zram0/disksize") << "1073741824\n";
    std::ofstream(root / "block/zram0/orig_data_size") << "104857600\n";
    std::ofstream(root / "block/zram0/mem_used_total") << "31457280\n";
    std::ofstream(root / "block/zram1/disksize") << "0\n";
    const struct
    {
        std::string sys, proc;
        int devices;
        std::uint64_t size, stored, inRam;
        bool hasInRam;
    } cases[] = {
        {kFixtures + "/sys-host-phone", kFixtures + "/proc-host-phone", 1, 1981374464, 716800000,
         205520896, true},
        {root.string(), "/nonexistent", 1, 1073741824, 104857600, 31457280, true},
        // No block attributes: the zram line of the swap list tells the stored data (kB).
        {kFixtures + "/sys-empty", kFixtures + "/proc-host-phone", 1, 1934936ull * 1024,
         700000ull * 1024, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sys);
        const auto zram = ActivityMonitor::readZram(c.sys, c.proc);
        ASSERT_TRUE(zram.has_value());
        EXPECT_EQ(zram->devices, c.devices);
        EXPECT_EQ(zram->sizeBytes, c.size);
        EXPECT_EQ(zram->storedBytes, c.stored);
        EXPECT_EQ(zram->inRamBytes, c.inRam);
        EXPECT_EQ(zram->hasInRam, c.hasInRam);
    }
    // A laptop swapping to a partition has no zram.
    EXPECT_FALSE(
        ActivityMonitor::readZram(kFixtures + "/sys-host-laptop", kFixtures + "/proc-host-laptop"));
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
