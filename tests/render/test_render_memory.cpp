// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "monitor/networkviewcontroller.h"
#include "monitor/ramviewcontroller.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QThread>

namespace {

// Figures that keep a purge waiting at its first reading until it is stopped, so that the screen
// can be drawn while it runs.
class WaitingSource : public PurgeMemorySource
{
public:
    std::shared_ptr<std::atomic<bool>> flag;
    std::optional<Memory> memory() override
    {
        for (int i = 0; i < 2000 && flag && !flag->load(); ++i)
            QThread::msleep(5);
        return Memory{std::uint64_t(8) << 30, std::uint64_t(4) << 30};
    }
    std::optional<std::uint64_t> cgroupHeadroom() override { return std::nullopt; }
    std::optional<double> pressure() override { return std::nullopt; }
    double now() override { return 0; }
};

class MemoryRender : public RenderTest
{
};

// The memory and the network screen on fixture figures, then with nothing to read.
TEST_P(MemoryRender, MemoryAndNetworkScreens)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    ViewController &vc = h.viewController();
    SystemRoots &roots = h.app().platform().roots;

    const struct
    {
        const char *proc;
        const char *sys;
        const char *shot;
        const char *used;
    } memory[] = {
        // A phone swapping to zram.
        {"proc-host-phone", "sys-host-phone", "memory", "60.12 %"},
        {"proc-sampler-no-meminfo", "sys-empty", "memory-failed", "-1.00 %"},
    };
    const QString harnessSys = roots.sysfs;
    for (const auto &m : memory) {
        SCOPED_TRACE(m.shot);
        roots.procfs = fixturePath(m.proc);
        roots.sysfs = fixturePath(m.sys);
        ASSERT_TRUE(vc.showRam());
        EXPECT_TRUE(vc.wheelHidden());
        RenderHarness::settle(900);
        auto *ram = qobject_cast<ramViewController *>(vc.presentedScreen());
        ASSERT_NE(ram, nullptr);
        EXPECT_EQ(ram->ramPrWired(), QString::fromLatin1(m.used));
        EXPECT_TRUE(ram->refreshTimer().isActive());
        ASSERT_TRUE(h.shoot(QString::fromLatin1(m.shot)));
        ram->goBack();
        RenderHarness::settle(100);
        EXPECT_EQ(vc.presentedScreen(), nullptr);
    }

    // A purge running: the button covered by the loading view with its stop button.
    {
        auto source = std::make_shared<WaitingSource>();
        roots.sysfs = harnessSys;
        auto screen = std::make_unique<ramViewController>(
            fixturePath("proc-sampler-basic").toStdString(), harnessSys.toStdString(),
            h.app().platform().folders.resources + "/gallery3_2256_2x.jpeg", source);
        source->flag = screen->purge().stopFlag();
        auto *ram = screen.get();
        QObject::connect(ram, &ramViewController::closeRequested, &vc,
                         &ViewController::closePresented, Qt::QueuedConnection);
        vc.present(std::move(screen), layout.idiom == 1 ? QStringLiteral("MemoryTablet.qml")
                                                        : QStringLiteral("MemoryPhone.qml"));
        ram->accelerateRam();
        RenderHarness::settle(900);
        EXPECT_TRUE(ram->loadingVisible());
        ASSERT_TRUE(h.shoot(QStringLiteral("memory-purging")));
        ram->tempAction();
        RenderHarness::settle(200);
        EXPECT_FALSE(ram->loadingVisible());
        EXPECT_EQ(ram->lastPurge().reason, PurgeStop::Stopped);
        ram->goBack();
        RenderHarness::settle(100);
        EXPECT_EQ(vc.presentedScreen(), nullptr);
    }

    const struct
    {
        const char *sys;
        const char *shot;
        std::vector<InterfaceAddress> addresses;
    } network[] = {
        {"sys-net-phone",
         "network",
         {{"wlan0", 2, "192.168.1.23", false}, {"rmnet_data0", 2, "10.64.12.7", false}}},
        // A laptop on Wi-Fi and a cable: a block of its own for the cable.
        {"sys-net-laptop",
         "network-wired",
         {{"enp0s31f6", 2, "192.168.0.9", false}, {"wlp2s0", 2, "10.0.0.5", false}}},
        {"sys-empty", "network-failed", {}},
    };
    for (const auto &n : network) {
        SCOPED_TRACE(n.shot);
        auto addresses = n.addresses;
        auto screen = std::make_unique<netWorkViewController>(
            ActivityMonitor("/nonexistent", fixturePath(n.sys).toStdString(), [addresses] {
                return std::optional<std::vector<InterfaceAddress>>(addresses);
            }));
        auto *net = screen.get();
        QObject::connect(net, &netWorkViewController::closeRequested, &vc,
                         &ViewController::closePresented, Qt::QueuedConnection);
        vc.present(std::move(screen), layout.idiom == 1 ? QStringLiteral("NetworkTablet.qml")
                                                        : QStringLiteral("NetworkPhone.qml"));
        RenderHarness::settle(900);
        EXPECT_TRUE(net->refreshTimer().isActive());
        ASSERT_TRUE(h.shoot(QString::fromLatin1(n.shot)));
        net->goBack();
        RenderHarness::settle(100);
        EXPECT_EQ(vc.presentedScreen(), nullptr);
    }
    // The screen the main screen makes itself, on the harness's empty trees.
    ASSERT_TRUE(vc.showNet());
    RenderHarness::settle(300);
    EXPECT_NE(qobject_cast<netWorkViewController *>(vc.presentedScreen()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MemoryRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
