// cpu_usage on a copy of a fixture /proc tree whose thread counters the tests advance, with a
// scripted clock (seconds since boot).
#include "monitor/activitymonitor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
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
    // whole user and system seconds of the busy threads: (1 + 0) + (2 + 1) at 100 Hz
    const long seconds = static_cast<long>(150 / kHz) + static_cast<long>(50 / kHz) +
                         static_cast<long>(250 / kHz) + static_cast<long>(120 / kHz);
    EXPECT_EQ(usage->second, seconds);
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
    EXPECT_EQ(usage->second, static_cast<long>(190 / kHz) + static_cast<long>(60 / kHz) +
                                 static_cast<long>(10 / kHz));
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
    EXPECT_EQ(first->second, second->second);

    // After a full window the reference moves on: nothing ran since 1001.
    m_now = 1002.0;
    auto third = sampler.cpu_usage();
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->first, 0.0f);
    EXPECT_EQ(third->second, 0) << "idle threads add no seconds";
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
    EXPECT_EQ(usage->second, 0);
}

TEST_F(ActivityMonitorCpu, UnreadableThreadsGiveNothing)
{
    ActivityMonitor sampler = monitor();
    std::ofstream(m_root / "self/task/100/stat") << "100 (cut";
    EXPECT_FALSE(sampler.cpu_usage().has_value());
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
    ASSERT_TRUE(usage.has_value());
    EXPECT_GT(usage->first, 0.0f);
    EXPECT_GE(usage->second, 0);
}

} // namespace
