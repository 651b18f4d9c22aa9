// SPDX-License-Identifier: GPL-3.0-or-later
// cpu_usage on a copy of a fixture /proc tree whose thread counters the tests advance, with a
// scripted clock (seconds since boot).
#include "monitor/activitymonitor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/times.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const double kHz = static_cast<double>(sysconf(_SC_CLK_TCK));

class ActivityMonitorCpu : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() /
                 ("powerdeck-cpu-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        fs::copy(POWERDECK_FIXTURES "/proc-sampler-basic", m_root, fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // utime and stime in ticks, start in ticks since boot
    void writeThread(int tid, int utime, int stime, long start)
    {
        fs::create_directories(m_root / "self/task" / std::to_string(tid));
        std::ofstream(m_root / "self/task" / std::to_string(tid) / "stat")
            << tid << " (worker) S 1 1 1 0 -1 4194560 100 0 0 0 " << utime << ' ' << stime
            << " 0 0 20 0 4 0 " << start << " 1000000 200 18446744073709551615\n";
    }

    // The whole process's utime and stime in ticks, ended threads included
    void writeProcess(int utime, int stime)
    {
        std::ofstream(m_root / "self/stat")
            << "100 (powerdeck) R 1 100 100 0 -1 4194560 1200 0 3 0 " << utime << ' ' << stime
            << " 0 0 20 0 3 0 99000 17216716 3180 18446744073709551615\n";
    }

    ActivityMonitor monitor()
    {
        return ActivityMonitor(m_root.string(), "/nonexistent", {}, [this] { return m_now; });
    }

    fs::path m_root;
    double m_now = 1000.0;
};

TEST_F(ActivityMonitorCpu, FirstCallMeasuresSinceEachThreadStarted)
{
    // Fixture threads: 100 used 150+50 ticks since 99000; 101 never ran; 102 used 250+120
    // ticks since 99500.
    ActivityMonitor sampler = monitor();
    auto usage = sampler.cpu_usage();
    ASSERT_TRUE(usage.has_value());
    const double expected =
        200 / kHz / (1000 - 99000 / kHz) * 100 + 370 / kHz / (1000 - 99500 / kHz) * 100;
    EXPECT_NEAR(usage->first, expected, 1e-3);
}

TEST_F(ActivityMonitorCpu, LaterCallsMeasureSinceThePreviousOne)
{
    ActivityMonitor sampler = monitor();
    ASSERT_TRUE(sampler.cpu_usage());

    // One second later thread 100 ran 50 more ticks; 102 stayed idle; a new thread 103
    // started half a second ago and has run 10 ticks; 101 ended.
    m_now = 1001.0;
    writeThread(100, 190, 60, 99000);
    writeThread(103, 10, 0, static_cast<long>(1000.5 * kHz));
    fs::remove_all(m_root / "self/task/101");
    auto usage = sampler.cpu_usage();
    ASSERT_TRUE(usage.has_value());
    EXPECT_NEAR(usage->first, 50 / kHz * 100 + 10 / kHz / 0.5 * 100, 1e-3);
}

TEST_F(ActivityMonitorCpu, SecondsAreTheWholeProcessAndNeverFall)
{
    // The fixture process used 480 + 190 ticks: its three threads' 570 and 100 of threads that
    // have ended. Threads that sleep, or end, keep their seconds in the total.
    const struct
    {
        const char *step;
        double now;
        int utime, stime;
        bool threadEnds;
        long seconds;
    } steps[] = {
        {"first call", 1000.0, 480, 190, false, static_cast<long>(670 / kHz)},
        {"every thread idle since", 1001.0, 480, 190, false, static_cast<long>(670 / kHz)},
        {"the busiest thread ended", 1002.0, 480, 190, true, static_cast<long>(670 / kHz)},
        {"busy again", 1003.0, 700, 200, false, static_cast<long>(900 / kHz)},
    };
    ActivityMonitor sampler = monitor();
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        m_now = step.now;
        writeProcess(step.utime, step.stime);
        if (step.threadEnds)
            fs::remove_all(m_root / "self/task/102");
        auto usage = sampler.cpu_usage();
        ASSERT_TRUE(usage.has_value());
        EXPECT_EQ(usage->second, step.seconds);
    }
}

TEST_F(ActivityMonitorCpu, QuickSuccessiveCallsAgree)
{
    ActivityMonitor sampler = monitor();
    ASSERT_TRUE(sampler.cpu_usage());
    m_now = 1001.0;
    writeThread(100, 200, 100, 99000); // 100 ticks in the second
    auto first = sampler.cpu_usage();
    // A screen asks again a moment later: still measured from t = 1000, not over 1 ms.
    m_now = 1001.001;
    auto second = sampler.cpu_usage();
    ASSERT_TRUE(first && second);
    EXPECT_NEAR(first->first, 100 / kHz * 100, 1e-3);
    EXPECT_NEAR(second->first, 100 / kHz / 1.001 * 100, 1e-3);

    // After a full window the reference moves on: nothing ran since 1001.
    m_now = 1002.0;
    auto third = sampler.cpu_usage();
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->first, 0.0f);
}

TEST_F(ActivityMonitorCpu, IdleThreadsAddNothing)
{
    fs::remove_all(m_root / "self/task");
    writeThread(7, 0, 0, 1000);
    writeThread(8, 0, 0, 2000);
    ActivityMonitor sampler = monitor();
    auto usage = sampler.cpu_usage();
    ASSERT_TRUE(usage.has_value());
    EXPECT_EQ(usage->first, 0.0f);
}

TEST_F(ActivityMonitorCpu, UnreadableThreadsGiveNothing)
{
    ActivityMonitor sampler = monitor();
    std::ofstream(m_root / "self/task/100/stat") << "100 (cut";
    EXPECT_FALSE(sampler.cpu_usage().has_value());
    fs::copy(POWERDECK_FIXTURES "/proc-sampler-basic/self/task/100/stat",
             m_root / "self/task/100/stat", fs::copy_options::overwrite_existing);
    fs::remove(m_root / "self/stat");
    EXPECT_FALSE(sampler.cpu_usage().has_value()) << "the process's own figures are missing";
    fs::remove_all(m_root / "self");
    EXPECT_FALSE(sampler.cpu_usage().has_value());
}

TEST(ActivityMonitorCpuLive, CountsThisProcessOnTheRunningSystem)
{
    ActivityMonitor sampler;
    // Burn some CPU in this thread so the process has a non-idle thread.
    volatile double sink = 0;
    for (int i = 0; i < 20000000; ++i)
        sink = sink + i * 0.5;
    auto usage = sampler.cpu_usage();
    tms process{};
    ::times(&process);
    ASSERT_TRUE(usage.has_value());
    EXPECT_GT(usage->first, 0.0f);
    // The same total the C library reports (a tick may pass between the two readings).
    EXPECT_NEAR(usage->second, static_cast<double>(process.tms_utime + process.tms_stime) / kHz,
                1.0);
}

} // namespace
