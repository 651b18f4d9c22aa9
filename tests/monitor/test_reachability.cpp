#include "monitor/netinterfaces.h"
#include "monitor/reachability.h"
#include "platform/notificationcenter.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

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
        {"cellular wins over everything", Reachable | IsWWAN | ConnectionRequired | InterventionRequired, false, ReachableViaWWAN},
        {"cellular but not reachable", IsWWAN, false, NotReachable},
        {"connection required", Reachable | ConnectionRequired, false, NotReachable},
        {"required, on demand", Reachable | ConnectionRequired | ConnectionOnDemand, false, ReachableViaWiFi},
        {"required, on traffic", Reachable | ConnectionRequired | ConnectionOnTraffic, false, ReachableViaWiFi},
        {"required, on demand, intervention", Reachable | ConnectionRequired | ConnectionOnDemand | InterventionRequired, false, NotReachable},
        {"required, intervention", Reachable | ConnectionRequired | InterventionRequired, false, NotReachable},
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

const char *kRouteHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT";

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
    writeTree(dir.path(), {{"proc/net/route", (QByteArray(kRouteHeader) +
                                                "\neth0\t00000000\t0102A8C0\t0000\t0\t0\t0\t00000000\t0\t0\t0").constData()},
                           {"proc/net/ipv6_route",
                            "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fe800000000000000000000000000001 00000400 00000001 00000000 00000003 usb0"}});
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
    EXPECT_EQ(Reachability::reachabilityForInternetConnection(roots)->currentReachabilityStatus(), NotReachable);
    EXPECT_EQ(periferikStatus(roots), 0);

    writeTree(dir.path(), {{"proc/net/route", (QByteArray(kRouteHeader) +
                                                "\nwwan0\t00000000\t0102A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0").constData()}});
    EXPECT_EQ(periferikStatus(roots), 2);

    writeTree(dir.path(), {{"proc/net/route", (QByteArray(kRouteHeader) +
                                                "\nwlan0\t00000000\t0102A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0").constData()},
                           {"sys/class/net/wlan0/wireless/.keep", ""},
                           {"sys/class/net/wlan0/operstate", "up"}});
    EXPECT_EQ(periferikStatus(roots), 1);
    EXPECT_EQ(Reachability::reachabilityForLocalWiFi(roots)->currentReachabilityStatus(), ReachableViaWiFi);
    EXPECT_EQ(Reachability::reachabilityWithHostName("api.example.org", roots)->currentReachabilityStatus(), ReachableViaWiFi);
    EXPECT_EQ(Reachability::reachabilityWithHostName("", roots), nullptr);

    writeTree(dir.path(), {{"sys/class/net/wlan0/operstate", "dormant"}});
    EXPECT_EQ(Reachability::reachabilityForLocalWiFi(roots)->currentReachabilityStatus(), NotReachable);
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

} // namespace
