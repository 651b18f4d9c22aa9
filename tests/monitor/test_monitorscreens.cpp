// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/cpu_graph.h"
#include "monitor/hddviewcontroller.h"
#include "monitor/monitorfigures.h"
#include "monitor/monitorgauge.h"
#include "monitor/sysmonitorcontroller.h"
#include "platform/notificationcenter.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <cmath>

using namespace monitorfigures;

namespace {

ActivityProcess process(int pid, const char *name = "proc")
{
    return {std::to_string(pid), name, "x"};
}

std::vector<ActivityProcess> processes(std::initializer_list<int> pids)
{
    std::vector<ActivityProcess> list;
    for (int pid : pids)
        list.push_back(process(pid));
    return list;
}

// ---- processor figures ------------------------------------------------------------------------

TEST(CpuFigures, LoadIdleAndProcessCount)
{
    using Usage = std::optional<std::pair<float, long>>;
    const struct
    {
        Usage usage;
        std::size_t count;
        int load, idle;
    } cases[] = {
        {std::make_pair(12.7f, 5L), 300, 12, 88},
        {std::make_pair(0.0f, 0L), 1, 0, 100},
        {std::make_pair(120.0f, 3L), 2, 120, 0}, // several threads on several cores
        {std::nullopt, 0, 0, 100},               // failed sample
    };
    for (const auto &c : cases) {
        const CpuFigures f = cpuFigures(c.count, c.usage);
        EXPECT_EQ(f.processes, static_cast<int>(c.count));
        EXPECT_EQ(f.load, c.load);
        EXPECT_EQ(f.idle, c.idle);
    }
}

TEST(CpuFigures, HistoryKeepsWhatTheChartShowsWithTheLoadCapped)
{
    CpuHistory history;
    EXPECT_EQ(history.blue, std::vector<double>{0});
    history.append(12);
    EXPECT_EQ(history.blue.back(), 24);
    EXPECT_EQ(history.green.back(), 264);
    for (int i = 0; i < 150; ++i)
        history.append(i);
    history.append(250);
    ASSERT_EQ(history.blue.size(), kHistoryLength);
    ASSERT_EQ(history.green.size(), kHistoryLength);
    EXPECT_EQ(history.blue.back(), 200); // min(250, 100) × 2
    EXPECT_EQ(history.green.back(), 0);  // 300 − min(250, 100) × 3
    // The oldest are dropped: the first kept is the load of 50 (1 + 12 + 150 + 1 − 101 samples).
    EXPECT_EQ(history.blue.front(), 2 * 50);
    for (double v : history.green)
        EXPECT_TRUE(v >= 0 && v <= 300);
}

TEST(CpuFigures, GaugeRecords)
{
    EXPECT_EQ(cpuGaugeValues(std::make_pair(12.7f, 3L)), (std::array<double, 4>{3, 9, 88, 60}));
    EXPECT_EQ(cpuGaugeValues(std::make_pair(150.0f, 0L)), (std::array<double, 4>{0, 150, 0, 60}));
    EXPECT_EQ(cpuGaugeValues(std::nullopt), (std::array<double, 4>{0, 0, 100, 60}));
    EXPECT_EQ(cpuLevelText(7.6f), "8%");
    EXPECT_EQ(cpuLevelText(0), "0%");
}

TEST(CpuFigures, ProcessIconsOnlyFromTheFixedTable)
{
    const struct
    {
        const char *name;
        const char *icon;
    } cases[] = {{"powerdeck", "powerdeck.png"}, {"bash", ""},        {"../Documents/x", ""},
                 {"powerdeck.png", ""},          {"/etc/passwd", ""}, {"", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(processIcon(c.name), c.icon) << c.name;
}

// ---- disk -------------------------------------------------------------------------------------

TEST(DiskFigures, DfArithmetic)
{
    constexpr std::uint64_t kGiBBlocks = 262144; // 4 KiB blocks
    const struct
    {
        const char *what;
        std::uint64_t blocks, bfree, bavail, frsize;
        int freeRing, usedRing;
        std::vector<std::string> texts; // free %, used %, used GB, free GB, size
        std::vector<double> gauge;      // free, used MB
    } cases[] = {
        // 12 GB free of 16 GB, nothing reserved.
        {"no reserve",
         16 * kGiBBlocks,
         12 * kGiBBlocks,
         12 * kGiBBlocks,
         4096,
         75,
         25,
         {"75%", "25%", "4GB", "12GB", "16.0 GB"},
         {12 * 1024, 4 * 1024}},
        // ext4 with 5 % for root: 50 GiB used of 100, 45 GiB available. df says 53 %
        // (51200 / 97280, rounded up), and the reserved 5 GiB are not used.
        {"ext4 reserve",
         100 * kGiBBlocks,
         50 * kGiBBlocks,
         45 * kGiBBlocks,
         4096,
         47,
         53,
         {"47%", "53%", "50GB", "45GB", "100.0 GB"},
         {45 * 1024, 50 * 1024}},
        // More free than the size (a file system reporting oddly): used is 0, never negative.
        {"odd",
         1000,
         2000,
         2000,
         1 << 20,
         100,
         0,
         {"100%", "0%", "0GB", "2GB", "1.0 GB"},
         {2000, 0}},
        // Sizes above 4 GiB in MB do not wrap.
        {"huge",
         4ull << 30,
         3ull << 30,
         3ull << 30,
         4096,
         75,
         25,
         {"75%", "25%", "4096GB", "12288GB", "16384.0 GB"},
         {3ull << 22, 1ull << 22}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const DiskSpace space = ActivityMonitor::diskSpace(c.blocks, c.bfree, c.bavail, c.frsize);
        const auto f = diskFigures(space);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->freeRing, c.freeRing);
        EXPECT_EQ(f->usedRing, c.usedRing);
        EXPECT_EQ((std::vector<std::string>{f->freeText, f->usedText, f->usedGBText, f->freeGBText,
                                            f->totalGBText}),
                  c.texts);
        EXPECT_EQ(diskGaugeValues(space), c.gauge);
    }
    EXPECT_FALSE(diskFigures(ActivityMonitor::diskSpace(0, 0, 0, 4096)));
    EXPECT_FALSE(diskFigures(std::nullopt));
    EXPECT_TRUE(diskGaugeValues(std::nullopt).empty());
}

// ---- network gauge ----------------------------------------------------------------------------

TEST(NetworkGauge, BarHeights)
{
    const struct
    {
        std::array<long long, 4> counters;
        double sent, received;
    } cases[] = {
        {{30, 70, 0, 0}, 18.6, 43.4}, //
        {{0, 0, 0, 0}, 0, 0},         // nothing yet: empty bars, not NaN
        {{10, 0, 10, 0}, 62, 0},      // cellular counts with Wi-Fi
    };
    for (const auto &c : cases) {
        const auto bars = networkBarHeights(c.counters);
        EXPECT_NEAR(bars[0], c.sent, 1e-9);
        EXPECT_NEAR(bars[1], c.received, 1e-9);
        EXPECT_FALSE(std::isnan(bars[0]) || std::isnan(bars[1]));
    }
}

// ---- processor screen -------------------------------------------------------------------------

TEST(CpuScreen, OneProcessListPerRefreshEveryProcessARow)
{
    ensureCoreApplication();
    // Each call returns one process fewer, as if processes ended between reads; the last
    // calls find none, then the list cannot be read at all.
    int calls = 0;
    std::size_t next = 4;
    cpu_graph screen(SystemRoots{}, false, [&]() -> std::optional<std::vector<ActivityProcess>> {
        ++calls;
        if (next == 0)
            return std::nullopt;
        auto list = processes({});
        for (std::size_t i = next; i > 0; --i)
            list.push_back(process(static_cast<int>(i * 100)));
        --next;
        return list;
    });
    QAbstractItemModelTester tester(&screen.processTable(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const int expected[] = {4, 3, 2, 1, 0, 0};
    for (int refresh = 0; refresh < 6; ++refresh) {
        if (refresh > 0)
            screen.refresh();
        EXPECT_EQ(calls, refresh + 1);
        EXPECT_EQ(screen.processTable().rowCount(), expected[refresh]);
        EXPECT_EQ(screen.totalRunnigPrcLblb(), QString::number(expected[refresh]));
    }
}

TEST(CpuScreen, TableFollowsTheListRowByRow)
{
    ensureCoreApplication();
    ProcessListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::vector<std::vector<ActivityProcess>> lists = {
        processes({5, 4, 3, 2, 1}),       processes({6, 5, 3, 1}), processes({6, 5, 3, 1}),
        processes({9, 8, 7, 6, 5, 3, 1}), processes({}),           processes({1})};
    for (const auto &list : lists) {
        model.setProcesses(list);
        ASSERT_EQ(model.rowCount(), static_cast<int>(list.size()));
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_EQ(model.data(model.index(row), ProcessListModel::IdRole).toString(),
                      QString::fromStdString(list[static_cast<std::size_t>(row)].processID));
    }
    model.setProcesses({process(7, "powerdeck")});
    EXPECT_EQ(model.data(model.index(0), ProcessListModel::ImageRole).toString(), "powerdeck.png");
}

TEST(CpuScreen, TimerRunsOnlyWhileShown)
{
    ensureCoreApplication();
    cpu_graph screen(SystemRoots{}, false, [] { return std::optional(processes({1})); });
    EXPECT_FALSE(screen.timer().isActive());
    screen.setShown(true);
    EXPECT_TRUE(screen.timer().isActive());
    EXPECT_EQ(screen.timer().interval(), 1000);
    screen.setShown(false);
    EXPECT_FALSE(screen.timer().isActive());
    screen.setShown(true);
    int closes = 0;
    QObject::connect(&screen, &cpu_graph::closeRequested, [&] { ++closes; });
    screen.goBack();
    EXPECT_FALSE(screen.timer().isActive());
    screen.setShown(true); // shown again while it slides away
    EXPECT_FALSE(screen.timer().isActive());
    EXPECT_EQ(closes, 1);
}

// ---- disk screen ------------------------------------------------------------------------------

TEST(DiskScreen, FiguresTimerAndFailure)
{
    ensureCoreApplication();
    QTemporaryDir documents;
    HDDViewController screen(documents.path(), false);
    EXPECT_TRUE(screen.total().endsWith(" GB"));
    EXPECT_EQ(screen.freeMem() + screen.UsedMeem() >= 99, true);
    screen.setShown(true);
    EXPECT_TRUE(screen.timer().isActive());
    EXPECT_EQ(screen.timer().interval(), 2000);
    screen.goBAckAction();
    EXPECT_FALSE(screen.timer().isActive());

    HDDViewController missing(QStringLiteral("/nonexistent/Documents"), false);
    EXPECT_EQ(missing.fleeLbl(), QString());
    EXPECT_EQ(missing.total(), QString());
}

// ---- overview ---------------------------------------------------------------------------------

// The main screen as the overview sees it: presenting a detail screen hides the overview.
class FakeMain : public QObject
{
    Q_OBJECT
public:
    sysMonitorController *overview = nullptr;
    bool presents = true;
    QStringList opened;
    Q_INVOKABLE bool showCpu() { return open("cpu"); }
    Q_INVOKABLE bool showRam() { return open("ram"); }
    Q_INVOKABLE bool showHDD() { return open("hdd"); }
    Q_INVOKABLE bool showNet() { return open("net"); }

private:
    bool open(const char *name)
    {
        opened << name;
        if (presents)
            overview->setShown(false);
        return presents;
    }
};

std::vector<bool> running(const sysMonitorController &overview)
{
    std::vector<bool> states;
    for (QObject *g : {overview.cpuG(), overview.ramG(), overview.hddG(), overview.netG()})
        states.push_back(g && static_cast<MonitorGauge *>(g)->running());
    return states;
}

TEST(MonitorOverview, GaugesStopAndResume)
{
    ensureCoreApplication();
    QTemporaryDir documents;
    NotificationCenter center;
    const SystemRoots roots{fixturePath("sys-net-laptop"), fixturePath("proc-sampler-basic")};
    sysMonitorController overview(roots, documents.path(), &center, false, 480);
    FakeMain main;
    main.overview = &overview;
    overview.setDelegate(&main);
    const std::vector<bool> all(4, true), none(4, false);

    // Figures from the start, before any timer has run.
    EXPECT_EQ(static_cast<MonitorGauge *>(overview.netG())->values(), (QList<qreal>{13, 24}));
    EXPECT_EQ(static_cast<MonitorGauge *>(overview.hddG())->values().size(), 2);
    EXPECT_EQ(running(overview), none);

    overview.setShown(true);
    EXPECT_EQ(running(overview), all);
    const struct
    {
        void (sysMonitorController::*tile)();
        const char *screen;
    } tiles[] = {{&sysMonitorController::gotoCpuView, "cpu"},
                 {&sysMonitorController::gotoRamView, "ram"},
                 {&sysMonitorController::gotoHddView, "hdd"},
                 {&sysMonitorController::gotoNetView, "net"}};
    for (const auto &t : tiles) {
        main.opened.clear();
        (overview.*t.tile)();
        EXPECT_EQ(main.opened, QStringList{t.screen});
        EXPECT_EQ(running(overview), none) << t.screen;
        overview.setShown(true); // the detail screen closed
        EXPECT_EQ(running(overview), all) << t.screen;
    }
    // A screen that is not there: the page stays, and so do its live gauges.
    main.presents = false;
    overview.gotoRamView();
    EXPECT_EQ(running(overview), all);
    // The window hidden: nothing runs; shown again: everything does.
    overview.setShown(false);
    EXPECT_EQ(running(overview), none);
    overview.setShown(true);
    EXPECT_EQ(running(overview), all);

    // Tear-down releases the four gauges and stops observing.
    QPointer<QObject> cpu = overview.cpuG();
    center.post(QStringLiteral("restartAPP"));
    EXPECT_EQ(overview.cpuG(), nullptr);
    EXPECT_EQ(overview.netG(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(cpu.isNull());
    overview.setShown(true); // harmless afterwards
    overview.gotoCpuView();
    overview.remoAllObj();
}

TEST(MonitorOverview, ProcessorFigureFollowsTheGauge)
{
    ensureCoreApplication();
    sysMonitorController overview(SystemRoots{}, QStringLiteral("/"), nullptr, false, 480);
    overview.currentCpuLevel(7.6f);
    EXPECT_EQ(overview.cpuLbl(), "8%");
    overview.currentCpuLevel(0);
    EXPECT_EQ(overview.cpuLbl(), "0%");
}

} // namespace

#include "test_monitorscreens.moc"
