// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <filesystem>
#include <fstream>

namespace {

using RenderMonitor = RenderTest;

// A running system below the harness's /proc and /sys: some forty processes (this program
// among them), the memory figures of a 4 GB phone and the traffic of a phone's interfaces.
void writeRunningSystem(RenderHarness &h)
{
    const Platform &p = h.app().platform();
    const std::filesystem::path proc = p.roots.procfs.toStdString();
    const std::filesystem::path sys = p.roots.sysfs.toStdString();
    static const char *const names[] = {
        "systemd",        "kthreadd",     "phosh",        "phoc",        "pipewire", "wireplumber",
        "feedbackd",      "ModemManager", "eg25-manager", "gnome-calls", "chatty",   "powerdeck",
        "NetworkManager", "sshd",         "dbus-daemon",  "upowerd"};
    for (int i = 0; i < 40; ++i) {
        const int pid = 1 + i * 37;
        std::filesystem::create_directories(proc / std::to_string(pid));
        std::ofstream(proc / std::to_string(pid) / "stat")
            << pid << " (" << names[i % 16] << ") S 1 " << pid << ' ' << pid
            << " 0 -1 4194560 1200 0 3 0 10 5 0 0 20 0 1 0 412 17216716 3180 "
               "18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
    }
    // The load is this test's own.
    std::filesystem::create_directory_symlink("/proc/self", proc / "self");
    const std::filesystem::path fixtures = POWERDECK_FIXTURES;
    std::filesystem::copy(fixtures / "proc-sampler-basic" / "meminfo", proc / "meminfo",
                          std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy(fixtures / "sys-net-phone", sys,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

// The overview with nothing to read (no /proc, no /sys), then on a running system; a tile opens
// its screen, and closing it brings the gauges back to life.
TEST_P(RenderMonitor, Overview)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &main = h.viewController();
    main.gotoView(5);
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("monitor-failed"));

    writeRunningSystem(h);
    main.setWindowVisible(false); // hidden and shown again: the gauges refresh as they start
    main.setWindowVisible(true);
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("monitor"));

    QObject *overview = main.pageController(5);
    ASSERT_NE(overview, nullptr);
    ASSERT_TRUE(QMetaObject::invokeMethod(overview, "gotoHddView"));
    RenderHarness::settle(200);
    ASSERT_NE(main.presentedScreen(), nullptr);
    auto *disk = overview->property("hddG").value<QObject *>();
    ASSERT_NE(disk, nullptr);
    EXPECT_FALSE(disk->property("running").toBool());
    QMetaObject::invokeMethod(main.presentedScreen(), "goBAckAction");
    RenderHarness::settle(200);
    EXPECT_EQ(main.presentedScreen(), nullptr);
    EXPECT_TRUE(disk->property("running").toBool());
}

// The processor screen with an empty process list and then with forty processes.
TEST_P(RenderMonitor, Cpu)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &main = h.viewController();
    main.gotoView(5);
    ASSERT_TRUE(main.showCpu());
    RenderHarness::settle();
    EXPECT_TRUE(main.wheelHidden());
    ASSERT_TRUE(h.shoot("cpu-failed"));
    QMetaObject::invokeMethod(main.presentedScreen(), "goBack");
    RenderHarness::settle(200);
    EXPECT_EQ(main.presentedScreen(), nullptr);

    writeRunningSystem(h);
    ASSERT_TRUE(main.showCpu());
    QObject *screen = main.presentedScreen();
    for (int i = 0; i < 30; ++i) // a history to draw
        QMetaObject::invokeMethod(screen, "refresh");
    RenderHarness::settle();
    EXPECT_EQ(screen->property("totalRunnigPrcLblb").toString(), "40");
    ASSERT_TRUE(h.shoot("cpu"));
}

// The disk screen on the temporary folder's file system, and with no Documents folder to measure.
TEST_P(RenderMonitor, Disk)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &main = h.viewController();
    main.gotoView(5);
    ASSERT_TRUE(main.showHDD());
    RenderHarness::settle(900);
    EXPECT_TRUE(main.presentedScreen()->property("total").toString().endsWith(" GB"));
    ASSERT_TRUE(h.shoot("disk"));
    QMetaObject::invokeMethod(main.presentedScreen(), "goBAckAction");
    RenderHarness::settle(200);

    const QString documents = h.app().folders().documents;
    ASSERT_TRUE(QDir().rename(documents, documents + ".away"));
    ASSERT_TRUE(main.showHDD());
    RenderHarness::settle(900);
    EXPECT_EQ(main.presentedScreen()->property("total").toString(), QString());
    ASSERT_TRUE(h.shoot("disk-failed"));
    QDir().rename(documents + ".away", documents);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RenderMonitor, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
