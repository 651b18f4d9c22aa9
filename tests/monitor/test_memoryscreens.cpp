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
    // 1000 MB used of 1024, all of it wired.
    writeTree(dir.path(),
              {{"wired/meminfo", "MemTotal: 1048576 kB\nMemFree: 24576 kB\n"
                                 "Active: 0 kB\nInactive: 0 kB\nUnevictable: 1024000 kB"},
               // The page counts without MemTotal: a total of 0.
               {"no-total/meminfo", "MemFree: 24576 kB\nActive: 512000 kB\n"
                                    "Inactive: 409600 kB\nUnevictable: 102400 kB"}});
    const std::string fixtures = POWERDECK_FIXTURES;
    const struct
    {
        std::string root;
        QStringList texts; // the eleven figures in the order of the screen's labels
        QList<int> rings;
        QList<qreal> rotations;
    } cases[] = {
        // Wired 100, active 500, free 24, inactive 400 of 1024 MB: the four close the circle.
        {fixtures + "/proc-sampler-1000-used",
         {"1000.0 MB", "500 MB", "24.0 MB", "400 MB", "303 MB", "97.66 %", "48.83 %", "2.34 %",
          "39.06 %", "29.59 %", "1024.0MB"},
         ints({9, 48, 2, 39, 29}),
         {0, 35.15625, 210.9375, 219.375, 360}},
        {(dir.path() + "/wired").toStdString(),
         {"1000.0 MB", "0 MB", "24.0 MB", "0 MB", "0 MB", "97.66 %", "0.00 %", "2.34 %", "0.00 %",
          "0.00 %", "1024.0MB"},
         ints({97, 0, 2, 0, 0}),
         {0, 351.5625, 351.5625, 360, 360}},
        {fixtures + "/proc-sampler-old-kernel",
         {"192.0 MB", "128 MB", "256.0 MB", "64 MB", "0 MB", "42.86 %", "25.00 %", "57.14 %",
          "12.50 %", "0.00 %", "512.0MB"},
         ints({0, 25, 50, 12, 0}),
         {0, 0, 90, 270, 315}},
        // No total: no shares and empty rings, never a division by zero.
        {(dir.path() + "/no-total").toStdString(),
         {"1000.0 MB", "500 MB", "24.0 MB", "400 MB", "0 MB", "97.66 %", "-1.00 %", "2.34 %",
          "-1.00 %", "-1.00 %", "-1 MB"},
         ints({0, 0, 0, 0, 0}),
         {0, 0, 0, 0, 0}},
        // Nothing read: every figure failed.
        {fixtures + "/proc-sampler-no-meminfo",
         {"-1 MB", "-1 MB", "-1 MB", "-1 MB", "-1 MB", "-1.00 %", "-1.00 %", "-1.00 %", "-1.00 %",
          "-1.00 %", "-1 MB"},
         ints({0, 0, 0, 0, 0}),
         {0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.root);
        ramViewController screen(c.root, QString());
        screen.refresh();
        const QStringList texts = {
            screen.ramMBWired(),     screen.ramMBActive(),    screen.ramMBFree(),
            screen.ramMBInactive(),  screen.ramMBPurgeable(), screen.ramPrWired(),
            screen.ramPrActive(),    screen.ramPrFree(),      screen.ramPrInactive(),
            screen.ramPrPurgeabme(), screen.totalLBL()};
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(screen.ringPercents(), c.rings);
        ASSERT_EQ(screen.ringRotations().size(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_DOUBLE_EQ(screen.ringRotations()[i], c.rotations[i]) << "ring " << i + 1;
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
    EXPECT_EQ((QStringList{screen.ipWifi(), screen.macWifi(), screen.sendWifi(),
                           screen.dwnloadWifi()}),
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

    netWorkViewController phone(ActivityMonitor("/nonexistent", POWERDECK_FIXTURES "/sys-net-phone"));
    EXPECT_FALSE(phone.hasWired());
}

TEST(MonitorScreens, TimersRunOnlyWhileShown)
{
    ensureCoreApplication();
    ramViewController ram(POWERDECK_FIXTURES "/proc-sampler-basic", QString());
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
