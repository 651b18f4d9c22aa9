// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/netinterfaces.h"
#include "monitor/reachability.h"
#include "monitor/reachabilitywatch.h"
#include "platform/notificationcenter.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

namespace {

using namespace reachability;

TEST(ReachabilityFlags, StatusRules)
{
    const struct
    {
        const char *what;
        std::uint32_t flags;
        bool localWiFi;
        Status status;
    } cases[] = {
        {"nothing", 0, false, NotReachable},
        {"reachable", Reachable, false, ReachableViaWiFi},
        {"reachable and cellular", Reachable | IsWWAN, false, ReachableViaWWAN},
        {"cellular wins over everything",
         Reachable | IsWWAN | ConnectionRequired | InterventionRequired, false, ReachableViaWWAN},
        {"cellular but not reachable", IsWWAN, false, NotReachable},
        {"connection required", Reachable | ConnectionRequired, false, NotReachable},
        {"required, on demand", Reachable | ConnectionRequired | ConnectionOnDemand, false,
         ReachableViaWiFi},
        {"required, on traffic", Reachable | ConnectionRequired | ConnectionOnTraffic, false,
         ReachableViaWiFi},
        {"required, on demand, intervention",
         Reachable | ConnectionRequired | ConnectionOnDemand | InterventionRequired, false,
         NotReachable},
        {"required, intervention", Reachable | ConnectionRequired | InterventionRequired, false,
         NotReachable},
        {"local Wi-Fi: reachable and direct", Reachable | IsDirect, true, ReachableViaWiFi},
        {"local Wi-Fi: reachable, not direct", Reachable, true, NotReachable},
        {"local Wi-Fi: direct, not reachable", IsDirect, true, NotReachable},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(statusForFlags(c.flags, c.localWiFi), c.status);
    }
    EXPECT_TRUE(connectionRequired(Reachable | ConnectionRequired));
    EXPECT_FALSE(connectionRequired(Reachable));
}

const char *kRouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT";

TEST(NetInterfaces, DefaultRouteFromTheRoutingTable)
{
    QTemporaryDir dir;
    SystemRoots roots{dir.path() + "/sys", dir.path() + "/proc"};
    EXPECT_EQ(netif::defaultRouteInterface(roots), QString()); // no table at all
    const QByteArray table = QByteArray(kRouteHeader) +
                             "\nwlan0\t0002A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0"
                             "\nwwan0\t00000000\t0102A8C0\t0003\t0\t0\t700\t00000000\t0\t0\t0";
    writeTree(dir.path(), {{"proc/net/route", table.constData()}});
    EXPECT_EQ(netif::defaultRouteInterface(roots), "wwan0");
    // A route that is down does not count; an IPv6 default route does.
    writeTree(dir.path(),
              {{"proc/net/route", (QByteArray(kRouteHeader) +
                                   "\neth0\t00000000\t0102A8C0\t0000\t0\t0\t0\t00000000\t0\t0\t0")
                                      .constData()},
               {"proc/net/ipv6_route",
                "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                "fe800000000000000000000000000001 00000400 00000001 00000000 00000003 usb0"}});
    EXPECT_EQ(netif::defaultRouteInterface(roots), "usb0");
}

TEST(NetInterfaces, KindsOfLinks)
{
    QTemporaryDir dir;
    SystemRoots roots{dir.path(), dir.path() + "/proc"};
    writeTree(dir.path(), {{"class/net/wlp2s0/wireless/.keep", ""},
                           {"class/net/wlp2s0/operstate", "up"},
                           {"class/net/mlan0/phy80211/.keep", ""},
                           {"class/net/mlan0/operstate", "down"},
                           {"class/net/usb0/uevent", "DEVTYPE=wwan\nINTERFACE=usb0"},
                           {"class/net/eth0/operstate", "unknown"},
                           {"class/net/eth0/carrier", "1"}});
    EXPECT_TRUE(netif::isWireless(roots, "wlp2s0"));
    EXPECT_TRUE(netif::isWireless(roots, "mlan0"));
    EXPECT_FALSE(netif::isWireless(roots, "eth0"));
    EXPECT_TRUE(netif::isUp(roots, "wlp2s0"));
    EXPECT_FALSE(netif::isUp(roots, "mlan0"));
    EXPECT_TRUE(netif::isUp(roots, "eth0"));
    for (const char *cellular : {"wwan0", "rmnet_data0", "ccmni1", "usb0"})
        EXPECT_TRUE(netif::isCellular(roots, cellular)) << cellular;
    for (const char *other : {"eth0", "wlp2s0", "enp3s0"})
        EXPECT_FALSE(netif::isCellular(roots, other)) << other;
}

TEST(Reachability, SystemFlagsFromAFixtureTree)
{
    QTemporaryDir dir;
    SystemRoots roots{dir.path() + "/sys", dir.path() + "/proc"};
    EXPECT_EQ(Reachability::reachabilityForInternetConnection(roots)->currentReachabilityStatus(),
              NotReachable);
    EXPECT_EQ(periferikStatus(roots), 0);

    writeTree(dir.path(),
              {{"proc/net/route", (QByteArray(kRouteHeader) +
                                   "\nwwan0\t00000000\t0102A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0")
                                      .constData()}});
    EXPECT_EQ(periferikStatus(roots), 2);

    writeTree(dir.path(),
              {{"proc/net/route", (QByteArray(kRouteHeader) +
                                   "\nwlan0\t00000000\t0102A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0")
                                      .constData()},
               {"sys/class/net/wlan0/wireless/.keep", ""},
               {"sys/class/net/wlan0/operstate", "up"}});
    EXPECT_EQ(periferikStatus(roots), 1);
    EXPECT_EQ(Reachability::reachabilityForLocalWiFi(roots)->currentReachabilityStatus(),
              ReachableViaWiFi);
    EXPECT_EQ(Reachability::reachabilityWithHostName("api.example.org", roots)
                  ->currentReachabilityStatus(),
              ReachableViaWiFi);
    EXPECT_EQ(Reachability::reachabilityWithHostName("", roots), nullptr);

    writeTree(dir.path(), {{"sys/class/net/wlan0/operstate", "dormant"}});
    EXPECT_EQ(Reachability::reachabilityForLocalWiFi(roots)->currentReachabilityStatus(),
              NotReachable);
}

TEST(Reachability, ScriptedFlagsAndConnectionRequired)
{
    std::uint32_t flags = Reachable | ConnectionRequired;
    auto r = Reachability::withFlagSource([&](bool) { return flags; }, false);
    EXPECT_EQ(r->currentReachabilityStatus(), NotReachable);
    EXPECT_TRUE(r->connectionRequired());
    flags = Reachable | IsWWAN;
    EXPECT_EQ(r->currentReachabilityStatus(), ReachableViaWWAN);
    EXPECT_FALSE(r->connectionRequired());
}

TEST(Reachability, EachChangeOfTheFlagsPostsOneNotice)
{
    std::uint32_t flags = Reachable;
    NetworkChangeSource kernel;
    NotificationCenter center;
    QList<QObject *> notices;
    center.addObserver("kNetworkReachabilityChangedNotification", nullptr,
                       [&](const QVariant &object) { notices << object.value<QObject *>(); });
    auto r = Reachability::withFlagSource([&](bool) { return flags; }, false);
    r->watch(&kernel);
    ASSERT_TRUE(r->startNotifier(&center));
    const struct
    {
        const char *step;
        std::uint32_t flags;
        bool notifierRuns;
        int notices; // in all, after the step
    } steps[] = {
        {"nothing changed", Reachable, true, 0},
        {"cellular", Reachable | IsWWAN, true, 1},
        {"same again", Reachable | IsWWAN, true, 1},
        {"a flag that keeps the status", Reachable | IsWWAN | TransientConnection, true, 2},
        {"offline", 0, true, 3},
        {"notifier stopped", Reachable, false, 3},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        if (!step.notifierRuns)
            r->stopNotifier();
        flags = step.flags;
        emit kernel.changed();
        ASSERT_EQ(notices.size(), step.notices);
        if (!notices.isEmpty()) {
            EXPECT_EQ(notices.last(), r.get()) << "the notice carries the object";
        }
    }
}

// The kernel's link and route messages, from a network namespace of the test's own (nothing
// outside it is touched). Needs the right to make one: root, or unprivileged user namespaces.
constexpr const char *kInNamespace = "POWERDECK_IN_NETNS";

TEST(RouteChanges, ANewDefaultRouteIsNoticed)
{
    const QString unshare = QStandardPaths::findExecutable("unshare");
    const QString ip = QStandardPaths::findExecutable("ip", {"/usr/sbin", "/sbin", "/usr/bin"});
    if (unshare.isEmpty() || ip.isEmpty())
        GTEST_SKIP() << "needs unshare and ip";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kInNamespace, ip);
    child.setProcessEnvironment(env);
    QStringList args{"--net"};
    if (::geteuid() != 0)
        args << "--map-root-user";
    args << QFile::symLinkTarget("/proc/self/exe")
         << "--gtest_filter=RouteChanges.InsideTheNamespace";
    child.start(unshare, args);
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString out =
        QString::fromUtf8(child.readAllStandardOutput() + child.readAllStandardError());
    if (!out.contains("[ RUN      ] RouteChanges.InsideTheNamespace"))
        GTEST_SKIP() << "no network namespace here: " << out.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[       OK ] RouteChanges.InsideTheNamespace")) << out.toStdString();
}

TEST(RouteChanges, InsideTheNamespace)
{
    const QString ip = qEnvironmentVariable(kInNamespace);
    if (ip.isEmpty())
        GTEST_SKIP()
            << "runs only inside the namespace RouteChanges.ANewDefaultRouteIsNoticed makes";
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    NotificationCenter center;
    int notices = 0;
    center.addObserver("kNetworkReachabilityChangedNotification", nullptr,
                       [&](const QVariant &) { ++notices; });
    // The routing table of this namespace, as the fallback reads it.
    auto r = Reachability::withFlagSource(
        [](bool) {
            return netif::defaultRouteInterface({}).isEmpty() ? 0u : std::uint32_t(Reachable);
        },
        false);
    RouteChangeWatcher kernel;
    ASSERT_TRUE(kernel.isOpen());
    r->watch(&kernel);
    ASSERT_TRUE(r->startNotifier(&center));
    ASSERT_EQ(r->currentReachabilityStatus(), NotReachable);

    ASSERT_EQ(QProcess::execute(ip, {"link", "set", "lo", "up"}), 0);
    ASSERT_EQ(QProcess::execute(ip, {"route", "add", "default", "dev", "lo"}), 0);
    QElapsedTimer waited;
    waited.start();
    while (notices == 0 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(r->currentReachabilityStatus(), ReachableViaWiFi);
}

} // namespace
