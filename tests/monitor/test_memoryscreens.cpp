// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/networkviewcontroller.h"
#include "monitor/ramviewcontroller.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>

namespace {

QList<int> ints(std::initializer_list<int> values)
{
    return QList<int>(values);
}

TEST(MemoryScreen, FiguresAndStackedRings)
{
    QTemporaryDir dir;
    // The page counts without MemTotal: a total of 0.
    writeTree(dir.path(), {{"no-total/meminfo", "MemFree: 24576 kB\nActive: 512000 kB\n"
                                                "Inactive: 409600 kB\nUnevictable: 102400 kB"}});
    const std::string fixtures = POWERDECK_FIXTURES;
    const std::string noSys = fixtures + "/sys-empty";
    const struct
    {
        std::string proc, sys;
        QStringList texts; // the eleven figures in the order of the screen's labels
        QStringList more;  // cache MB and %, swap MB and %, zram MB and %
        QList<int> rings;
        QList<qreal> rotations;
    } cases[] = {
        // A laptop up for a while: 9.6 GB of its 15.4 GB are page cache, so used memory
        // (MemTotal − MemAvailable) is 38.78 %, not the 95.87 % of active + inactive + wired.
        {fixtures + "/proc-host-laptop",
         fixtures + "/sys-host-laptop",
         {"6109.3 MB", "5979 MB", "598.0 MB", "7474 MB", "5998 MB", "38.78 %", "37.95 %", "3.79 %",
          "47.44 %", "38.07 %", "15754.3MB"},
         {"9820.0 MB", "62.33 %", "258.0 MB", "3.15 %", "", ""},
         ints({38, 37, 3, 47, 38}),
         {0, 139.5988, 276.2243, 289.8666, 460.6541}},
        // A phone swapping to zram: 683.6 MB stored in 196.0 MB of memory.
        {fixtures + "/proc-host-phone",
         fixtures + "/sys-host-phone",
         {"2272.1 MB", "1615 MB", "183.0 MB", "1205 MB", "813 MB", "60.12 %", "42.73 %", "4.84 %",
          "31.89 %", "21.51 %", "3779.2MB"},
         {"1485.3 MB", "39.30 %", "683.6 MB", "36.18 %", "683.6 \u2192 196.0 MB", "36.18 %"},
         ints({60, 42, 4, 31, 21}),
         {0, 216.4382, 370.2813, 387.7145, 502.5014}},
        // The same phone on a kernel that shows zram only in the swap list.
        {fixtures + "/proc-host-phone",
         noSys,
         {"2272.1 MB", "1615 MB", "183.0 MB", "1205 MB", "813 MB", "60.12 %", "42.73 %", "4.84 %",
          "31.89 %", "21.51 %", "3779.2MB"},
         {"1485.3 MB", "39.30 %", "683.6 MB", "36.18 %", "683.6 MB", "36.18 %"},
         ints({60, 42, 4, 31, 21}),
         {0, 216.4382, 370.2813, 387.7145, 502.5014}},
        {fixtures + "/proc-sampler-1000-used",
         noSys,
         {"1000.0 MB", "500 MB", "24.0 MB", "400 MB", "303 MB", "97.66 %", "48.83 %", "2.34 %",
          "39.06 %", "29.59 %", "1024.0MB"},
         {"10.0 MB", "0.98 %", "", "", "", ""},
         ints({97, 48, 2, 39, 29}),
         {0, 351.5625, 527.3438, 535.7813, 676.4063}},
        // Before MemAvailable: MemTotal − MemFree − buff/cache.
        {fixtures + "/proc-sampler-old-kernel",
         noSys,
         {"256.0 MB", "128 MB", "256.0 MB", "64 MB", "0 MB", "50.00 %", "25.00 %", "50.00 %",
          "12.50 %", "0.00 %", "512.0MB"},
         {"0.0 MB", "0.00 %", "", "", "", ""},
         ints({50, 25, 50, 12, 0}),
         {0, 180, 270, 450, 495}},
        // No total: no shares and empty rings, never a division by zero.
        {(dir.path() + "/no-total").toStdString(),
         noSys,
         {"-1 MB", "500 MB", "24.0 MB", "400 MB", "0 MB", "-1.00 %", "-1.00 %", "-1.00 %",
          "-1.00 %", "-1.00 %", "-1 MB"},
         {"0.0 MB", "-1.00 %", "", "", "", ""},
         ints({0, 0, 0, 0, 0}),
         {0, 0, 0, 0, 0}},
        // Nothing read: every figure failed.
        {fixtures + "/proc-sampler-no-meminfo",
         noSys,
         {"-1 MB", "-1 MB", "-1 MB", "-1 MB", "-1 MB", "-1.00 %", "-1.00 %", "-1.00 %", "-1.00 %",
          "-1.00 %", "-1 MB"},
         {"-1 MB", "-1.00 %", "", "", "", ""},
         ints({0, 0, 0, 0, 0}),
         {0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.proc + " " + c.sys);
        ramViewController screen(c.proc, c.sys, QString());
        screen.refresh();
        const QStringList texts = {
            screen.ramMBWired(),     screen.ramMBActive(),    screen.ramMBFree(),
            screen.ramMBInactive(),  screen.ramMBPurgeable(), screen.ramPrWired(),
            screen.ramPrActive(),    screen.ramPrFree(),      screen.ramPrInactive(),
            screen.ramPrPurgeabme(), screen.totalLBL()};
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ((QStringList{screen.ramMBCache(), screen.ramPrCache(), screen.ramMBSwap(),
                               screen.ramPrSwap(), screen.ramMBZram(), screen.ramPrZram()}),
                  c.more);
        EXPECT_EQ(screen.hasSwap(), !c.more[2].isEmpty());
        EXPECT_EQ(screen.hasZram(), !c.more[4].isEmpty());
        EXPECT_EQ(screen.ringPercents(), c.rings);
        ASSERT_EQ(screen.ringRotations().size(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(screen.ringRotations()[i], c.rotations[i], 1e-3) << "ring " << i + 1;
        // Ring 1 is the first row's used memory.
        if (screen.totalLBL() != QStringLiteral("-1 MB")) {
            EXPECT_EQ(screen.ringPercents()[0],
                      int(screen.ramPrWired().section(' ', 0, 0).toDouble()));
        }
    }
}

TEST(NetworkScreen, SharesOfTheTrafficTotals)
{
    QTemporaryDir dir;
    writeTree(dir.path(), {{"busy/class/net/wlan0/wireless/phy", "1"},
                           {"busy/class/net/wlan0/address", "02:1a:2b:3c:4d:5e"},
                           {"busy/class/net/wlan0/statistics/tx_bytes", "31457280"}, // 30 MB
                           {"busy/class/net/wlan0/statistics/rx_bytes", "73400320"}, // 70 MB
                           {"idle/class/net/wlan0/wireless/phy", "1"},
                           {"idle/class/net/wlan0/address", "02:1a:2b:3c:4d:5e"},
                           {"idle/class/net/wlan0/statistics/tx_bytes", "0"},
                           {"idle/class/net/wlan0/statistics/rx_bytes", "1048575"}}); // under 1 MB
    const struct
    {
        const char *sys;
        int upload, download;
        double total;
        QStringList texts; // upload, download, Wi-Fi sent, received, cellular sent, received
    } cases[] = {
        {"busy", 15, 35, 100, {"30.0MB", "70.0MB", "30.0MB", "70.0MB", "0.0MB", "0.0MB"}},
        {"idle", 0, 0, 0, {"0.0MB", "0.0MB", "0.0MB", "0.0MB", "0.0MB", "0.0MB"}},
    };
    auto addresses = [] {
        return std::optional<std::vector<InterfaceAddress>>(
            std::vector<InterfaceAddress>{{"wlan0", 2, "192.168.1.23", false}});
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sys);
        netWorkViewController screen(
            ActivityMonitor("/nonexistent", (dir.path() + "/" + c.sys).toStdString(), addresses));
        screen.refresh();
        EXPECT_EQ(screen.upload(), c.upload);
        EXPECT_EQ(screen.download(), c.download);
        EXPECT_EQ(screen.total(), c.total);
        EXPECT_EQ((QStringList{screen.uploadLbl(), screen.downloadLbl(), screen.sendWifi(),
                               screen.dwnloadWifi(), screen.send3G(), screen.donload3G()}),
                  c.texts);
        EXPECT_EQ(screen.ipWifi(), QStringLiteral("192.168.1.23"));
        EXPECT_EQ(screen.Ip3G(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(screen.macWifi(), QStringLiteral("02:1A:2B:3C:4D:5E"));
        EXPECT_EQ(screen.mac3G(), QStringLiteral("N/A"));
    }
}

// A laptop on Wi-Fi and a cable: each block shows its own interface's figures.
TEST(NetworkScreen, EachInterfaceKeepsItsFigures)
{
    auto addresses = [] {
        return std::optional<std::vector<InterfaceAddress>>(std::vector<InterfaceAddress>{
            {"enp0s31f6", 2, "192.168.0.9", false}, {"wlp2s0", 2, "10.0.0.5", false}});
    };
    netWorkViewController screen(
        ActivityMonitor("/nonexistent", POWERDECK_FIXTURES "/sys-net-laptop", addresses));
    EXPECT_EQ(
        (QStringList{screen.ipWifi(), screen.macWifi(), screen.sendWifi(), screen.dwnloadWifi()}),
        (QStringList{"10.0.0.5", "3C:A9:F4:0A:1B:2C", "3.0MB", "4.0MB"}));
    ASSERT_TRUE(screen.hasWired());
    EXPECT_EQ((QStringList{screen.ipWired(), screen.macWired(), screen.sendWired(),
                           screen.dwnloadWired()}),
              (QStringList{"192.168.0.9", "E4:54:E8:AA:BB:CC", "10.0MB", "20.0MB"}));
    // The totals and the rings count every interface once.
    EXPECT_EQ(screen.uploadLbl(), QStringLiteral("13.0MB"));
    EXPECT_EQ(screen.downloadLbl(), QStringLiteral("24.0MB"));
    EXPECT_EQ(screen.upload(), 17);   // 13 of 37, half a ring at most
    EXPECT_EQ(screen.download(), 32); // 24 of 37

    netWorkViewController phone(
        ActivityMonitor("/nonexistent", POWERDECK_FIXTURES "/sys-net-phone"));
    EXPECT_FALSE(phone.hasWired());
}

TEST(MonitorScreens, TimersRunOnlyWhileShown)
{
    ensureCoreApplication();
    ramViewController ram(POWERDECK_FIXTURES "/proc-sampler-basic", "/nonexistent", QString());
    netWorkViewController net(ActivityMonitor("/nonexistent", "/nonexistent"));
    const struct
    {
        const char *what;
        QObject *screen;
        QTimer *timer;
        int interval;
        bool singleShot;
    } timers[] = {
        {"memory 2 s", &ram, &ram.refreshTimer(), 2000, false},
        {"network 30 s", &net, &net.refreshTimer(), 30000, false},
        {"network 0.1 s once", &net, &net.firstRefreshTimer(), 100, true},
    };
    for (const auto &t : timers) {
        SCOPED_TRACE(t.what);
        EXPECT_FALSE(t.timer->isActive()); // nothing runs before the screen is shown
        QMetaObject::invokeMethod(t.screen, "setShown", Q_ARG(bool, true));
        EXPECT_TRUE(t.timer->isActive());
        EXPECT_EQ(t.timer->interval(), t.interval);
        EXPECT_EQ(t.timer->isSingleShot(), t.singleShot);
        QMetaObject::invokeMethod(t.screen, "setShown", Q_ARG(bool, false));
        EXPECT_FALSE(t.timer->isActive());
    }
}

} // namespace
