// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/memorypurge.h"
#include "monitor/ramviewcontroller.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kTotal = 4096 * kMiB; // floor 409.6 MiB
constexpr std::size_t kChunk = 64 * 1024;
const std::uint64_t kFloor = purgeFloor(kTotal);

// Scripted figures: each call takes the next value of its list, the last one repeating.
class ScriptedSource : public PurgeMemorySource
{
public:
    std::vector<std::uint64_t> available{kFloor + 64 * kMiB};
    std::vector<std::optional<std::uint64_t>> headroom{std::nullopt};
    std::vector<std::optional<double>> pressures{std::nullopt};
    std::vector<double> clock{0};
    bool readable = true;
    // Before answering memory call number `holdAt` (1 = the reading at the start), waits until
    // `flag` is set, as a stop arriving while the worker is busy.
    int holdAt = 0;
    std::shared_ptr<std::atomic<bool>> flag;
    // When set, the hold lasts after the flag until `release` is set too, as a worker still busy
    // after the stop (giving back what it took).
    std::shared_ptr<std::atomic<bool>> release;
    std::atomic<int> memoryCalls{0};
    std::atomic<bool> holding{false};
    std::atomic<bool> leftHold{false};

    std::optional<Memory> memory() override
    {
        const int call = ++memoryCalls;
        if (call == holdAt && flag) {
            holding = true;
            for (int i = 0; i < 1000 && !flag->load(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            for (int i = 0; i < 1000 && release && !release->load(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            leftHold = true;
        }
        if (!readable)
            return std::nullopt;
        return Memory{kTotal, next(available, m_available)};
    }
    std::optional<std::uint64_t> cgroupHeadroom() override { return next(headroom, m_headroom); }
    std::optional<double> pressure() override { return next(pressures, m_pressure); }
    double now() override { return next(clock, m_clock); }

private:
    template <typename T> static T next(const std::vector<T> &list, std::size_t &at)
    {
        const T value = list[std::min(at, list.size() - 1)];
        ++at;
        return value;
    }
    std::size_t m_available = 0, m_headroom = 0, m_pressure = 0, m_clock = 0;
};

const std::string kPicture = POWERDECK_FIXTURES "/proc-sampler-basic/meminfo";

PurgeOptions smallChunks()
{
    PurgeOptions options;
    options.chunkBytes = kChunk;
    return options;
}

TEST(MemoryPurge, StopsAtTheFirstSignOfLowMemory)
{
    using O = std::optional<std::uint64_t>;
    using P = std::optional<double>;
    const struct
    {
        const char *what;
        std::vector<std::uint64_t> available;
        std::vector<O> headroom;
        std::vector<P> pressure;
        std::vector<double> clock;
        PurgeStop reason;
        std::uint64_t taken;
    } cases[] = {
        // Available memory drops as the chunks are taken: two chunks, then below the floor.
        {"floor",
         {kFloor + kMiB, kFloor + kMiB, kFloor + kMiB, kFloor - 1},
         {std::nullopt},
         {std::nullopt},
         {0},
         PurgeStop::Floor,
         2 * kChunk},
        {"already below the floor",
         {kFloor - 1},
         {std::nullopt},
         {std::nullopt},
         {0},
         PurgeStop::Floor,
         0},
        // The kernel keeps finding memory (caches): the cap is what was available at the start
        // minus the floor, the last chunk cut to fit.
        {"cap",
         {kFloor + 4 * kChunk + 4096},
         {std::nullopt},
         {std::nullopt},
         {0},
         PurgeStop::Cap,
         4 * kChunk + 4096},
        {"cgroup headroom",
         {kFloor + kMiB},
         {kFloor * 2, kFloor, kFloor - 1},
         {std::nullopt},
         {0},
         PurgeStop::Cgroup,
         2 * kChunk},
        {"pressure above 10",
         {kFloor + kMiB},
         {std::nullopt},
         {P(0.5), P(10.0), P(10.01)},
         {0},
         PurgeStop::Pressure,
         2 * kChunk},
        // Clock reads: the start, then one before each chunk.
        {"20 s",
         {kFloor + kMiB},
         {std::nullopt},
         {std::nullopt},
         {0, 0, 9.9, 19.9, 20},
         PurgeStop::Time,
         3 * kChunk},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSource source;
        source.available = c.available;
        source.headroom = c.headroom;
        source.pressures = c.pressure;
        source.clock = c.clock;
        std::atomic<bool> stop{false};
        const PurgeResult result = runMemoryPurge(source, kPicture, stop, smallChunks());
        EXPECT_EQ(purgeStopName(result.reason), std::string(purgeStopName(c.reason)));
        EXPECT_EQ(result.bytesTaken, c.taken);
        EXPECT_EQ(result.floor, kFloor);
    }
}

TEST(MemoryPurge, FloorIsATenthOfMemoryButAtLeast256MiB)
{
    EXPECT_EQ(purgeFloor(1024 * kMiB), 256 * kMiB);
    EXPECT_EQ(purgeFloor(8192 * kMiB), 8192 * kMiB / 10);
}

TEST(MemoryPurge, NothingToReadEndsItAtOnce)
{
    ScriptedSource source;
    std::atomic<bool> stop{false};
    PurgeResult result = runMemoryPurge(source, "/nonexistent/gallery3_2256_2x.jpeg", stop);
    EXPECT_EQ(result.reason, PurgeStop::MissingPicture);
    EXPECT_EQ(source.memoryCalls, 0);

    source.readable = false;
    result = runMemoryPurge(source, kPicture, stop, smallChunks());
    EXPECT_EQ(result.reason, PurgeStop::NoFigures);
    EXPECT_EQ(result.bytesTaken, 0u);
}

TEST(MemoryPurge, ProcSourceReadsMeminfoCgroupAndPressure)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const std::string cgroups = (root + "/cgroup").toStdString();
    writeTree(root,
              {{"proc/meminfo", "MemTotal: 4194304 kB\nMemFree: 100 kB\nMemAvailable: 2097152 kB"},
               {"proc/self/cgroup", "1:name=systemd:/\n0::/user.slice/app.scope"},
               {"proc/pressure/memory", "some avg10=12.50 avg60=1.00 avg300=0.00 total=5\n"
                                        "full avg10=0.00 avg60=0.00 avg300=0.00 total=0"},
               {"cgroup/user.slice/app.scope/memory.max", "1073741824"},
               {"cgroup/user.slice/app.scope/memory.current", "805306368"}});
    writeTree(root, {{"proc/self/mountinfo",
                      ("30 1 0:26 / /sys/fs/cgroup/memory rw - cgroup cgroup rw,memory\n"
                       "31 1 0:27 / " +
                       cgroups + " rw,nosuid - cgroup2 cgroup2 rw")
                          .c_str()}});
    ProcMemorySource source((root + "/proc").toStdString());
    const auto memory = source.memory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->total, 4096 * kMiB);
    EXPECT_EQ(memory->available, 2048 * kMiB);
    EXPECT_EQ(source.cgroupHeadroom(), std::optional<std::uint64_t>(256 * kMiB));
    EXPECT_EQ(source.pressure(), std::optional<double>(12.5));

    writeTree(root, {{"cgroup/user.slice/app.scope/memory.max", "max"}});
    ProcMemorySource unlimited((root + "/proc").toStdString());
    EXPECT_FALSE(unlimited.cgroupHeadroom());
    ProcMemorySource none(POWERDECK_FIXTURES "/proc-sampler-no-meminfo");
    EXPECT_FALSE(none.memory());
    EXPECT_FALSE(none.cgroupHeadroom());
    EXPECT_FALSE(none.pressure());
}

// ---- The screen's button, stop, back, tear-down
// ---------------------------------------------------

bool waitFor(const std::function<bool()> &done, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

struct PurgeScreen
{
    std::shared_ptr<ScriptedSource> source = std::make_shared<ScriptedSource>();
    std::unique_ptr<ramViewController> screen;

    explicit PurgeScreen(const std::string &picture = kPicture, int holdAt = 3)
    {
        ensureCoreApplication();
        screen = std::make_unique<ramViewController>(
            POWERDECK_FIXTURES "/proc-sampler-basic", "/nonexistent",
            QString::fromStdString(picture), source, smallChunks());
        source->holdAt = holdAt;
        source->flag = screen->purge().stopFlag();
    }
    bool finished()
    {
        return waitFor([&] { return screen->purgesFinished() > 0; });
    }
    bool holding()
    {
        return waitFor([&] { return source->holding.load(); });
    }
};

TEST(MemoryPurgeScreen, StopButtonLeavingAndTearDownEndIt)
{
    // The worker waits inside its third reading of the figures until the flag is set.
    {
        SCOPED_TRACE("stop button");
        PurgeScreen s;
        s.screen->accelerateRam();
        ASSERT_TRUE(s.holding());
        s.screen->tempAction();
        ASSERT_TRUE(s.finished());
        EXPECT_EQ(s.screen->lastPurge().reason, PurgeStop::Stopped);
        // The chunk before the hold; the writing of the next one stops at once.
        EXPECT_EQ(s.screen->lastPurge().bytesTaken, kChunk);
        EXPECT_TRUE(s.screen->killEnabled());
        EXPECT_FALSE(s.screen->loadingVisible());
    }
    {
        SCOPED_TRACE("back button");
        PurgeScreen s;
        QSignalSpy closing(s.screen.get(), &ramViewController::closeRequested);
        s.screen->accelerateRam();
        ASSERT_TRUE(s.holding());
        s.screen->goBack();
        EXPECT_EQ(closing.count(), 1);
        ASSERT_TRUE(s.finished());
        EXPECT_EQ(s.screen->lastPurge().reason, PurgeStop::Stopped);
    }
    {
        // Closing the screen during a purge does not wait on the interface thread for the
        // worker to finish and give its memory back.
        SCOPED_TRACE("tear-down");
        PurgeScreen s;
        const auto release = std::make_shared<std::atomic<bool>>(false);
        s.source->release = release;
        s.screen->accelerateRam();
        ASSERT_TRUE(s.holding());
        const std::shared_ptr<std::atomic<bool>> flag = s.screen->purge().stopFlag();
        s.screen.reset(); // sets the flag and lets the worker go
        EXPECT_TRUE(flag->load());
        EXPECT_FALSE(s.source->leftHold.load()) << "the screen waited for the worker";
        release->store(true);
        // The worker ends on its own: this test's and the source's shares of the flag are left.
        ASSERT_TRUE(waitFor([&] { return flag.use_count() == 2; }));
        QCoreApplication::processEvents(); // nothing reaches the gone screen
    }
}

TEST(MemoryPurgeScreen, ATapStartsOnePurgeWithAClearFlag)
{
    PurgeScreen s;
    // A stop that came while no purge ran (the flag set) must not end the next purge.
    s.screen->tempAction();
    s.screen->accelerateRam();
    // Off at once, before the worker has done anything.
    EXPECT_FALSE(s.screen->killEnabled());
    EXPECT_TRUE(s.screen->loadingVisible());
    EXPECT_FALSE(s.screen->purge().stopFlag()->load());
    s.screen->accelerateRam(); // the second of two quick taps
    ASSERT_TRUE(s.holding());
    EXPECT_FALSE(s.screen->purge().stopFlag()->load());
    s.screen->tempAction();
    ASSERT_TRUE(s.finished());
    waitFor([] { return false; }, 100);
    EXPECT_EQ(s.screen->purgesFinished(), 1);
    EXPECT_EQ(s.source->memoryCalls, 3);
}

TEST(MemoryPurgeScreen, MissingPictureEndsItAtOnce)
{
    PurgeScreen s("/nonexistent/gallery3_2256_2x.jpeg", 0);
    s.screen->accelerateRam();
    ASSERT_TRUE(s.finished());
    EXPECT_EQ(s.screen->lastPurge().reason, PurgeStop::MissingPicture);
    EXPECT_EQ(s.source->memoryCalls, 0);
    EXPECT_TRUE(s.screen->killEnabled());
}

} // namespace
