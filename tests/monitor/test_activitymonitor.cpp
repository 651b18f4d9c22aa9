// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/activitymonitor.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const std::string kFixtures = POWERDECK_FIXTURES;

// ---- process list -----------------------------------------------------------------------

TEST(ActivityMonitorProcesses, ReadsEveryProcessHighestPidFirst)
{
    ActivityMonitor monitor(kFixtures + "/proc-sampler-basic", kFixtures + "/sys-net-phone");
    auto processes = monitor.runningProcesses();
    ASSERT_TRUE(processes.has_value());

    struct Expected
    {
        const char *pid;
        const char *name;
        char priority;
    };
    // 977 has vanished and 978's line is cut short: both are left out.
    const Expected expected[] = {
        {"2002", "abcdefghijklmno", 19}, // the kernel keeps 15 bytes of a name
        {"2001", "a) b (c", 39},         // from the first '(' to the last ')'
        {"1234", "Web Content", 20},
        {"315", "irq/51-rtw89", static_cast<char>(-51)}, // real-time priority
        {"42", "(sd-pam)", 20},
        {"1", "systemd", 20},
    };
    ASSERT_EQ(processes->size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const ActivityProcess &p = (*processes)[i];
        EXPECT_EQ(p.processID, expected[i].pid);
        EXPECT_EQ(p.processName, expected[i].name);
        ASSERT_EQ(p.priority.size(), 1u);
        EXPECT_EQ(p.priority[0], expected[i].priority);
    }
}

TEST(ActivityMonitorProcesses, MissingProcTreeGivesNothing)
{
    ActivityMonitor monitor(kFixtures + "/no-such-tree", kFixtures + "/no-such-tree");
    EXPECT_FALSE(monitor.runningProcesses().has_value());
}

TEST(ActivityMonitorProcesses, TreeWithoutProcessesGivesAnEmptyList)
{
    ActivityMonitor monitor(kFixtures + "/proc-sampler-no-meminfo", "/nonexistent");
    auto processes = monitor.runningProcesses();
    ASSERT_TRUE(processes.has_value());
    EXPECT_TRUE(processes->empty());
}

// The stat files stay open between calls: later calls must still see every change of the tree,
// and no more files than the bound stay open.
TEST(ActivityMonitorProcesses, KeptFilesFollowTheTree)
{
    const auto root =
        std::filesystem::temp_directory_path() / ("powerdeck-kept-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    auto write = [&](long pid, const char *name, int priority) {
        std::filesystem::create_directories(root / std::to_string(pid));
        std::ofstream(root / std::to_string(pid) / "stat")
            << pid << " (" << name << ") S 1 1 1 0 -1 0 0 0 0 0 7 3 0 0 " << priority
            << " 0 1 0 500 0 0\n";
    };
    for (long pid : {3, 5, 8, 13, 21})
        write(pid, "old", 20);
    auto names = [](const std::optional<std::vector<ActivityProcess>> &list) {
        std::string text;
        for (const ActivityProcess &p : list.value_or(std::vector<ActivityProcess>{}))
            text += p.processID + ":" + p.processName + ":" +
                    std::to_string(static_cast<int>(p.priority.at(0))) + " ";
        return text;
    };

    ActivityMonitor monitor(root.string(), "/nonexistent");
    EXPECT_EQ(names(monitor.runningProcesses()), "21:old:20 13:old:20 8:old:20 5:old:20 3:old:20 ");
    write(8, "renamed", 5);                   // rewritten in place: read afresh
    std::filesystem::remove_all(root / "13"); // ended
    write(34, "new", 20);                     // started
    EXPECT_EQ(names(monitor.runningProcesses()),
              "34:new:20 21:old:20 8:renamed:5 5:old:20 3:old:20 ");

    using activitymonitor_procfs::KeptFiles;
    KeptFiles files(2);
    const std::vector<long> ids = {3, 5, 8, 13, 21};
    std::vector<long> read;
    char buffer[256];
    const int directory = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(directory, 0);
    EXPECT_EQ(files.walk(directory, ids, "stat", true, buffer, sizeof buffer,
                         [&](long id, std::string_view) { return read.push_back(id), true; }),
              KeptFiles::Result::Skipped); // 13 has gone
    EXPECT_EQ(read, (std::vector<long>{3, 5, 8, 21}));
    EXPECT_EQ(files.openCount(), 2u);
    EXPECT_EQ(files.walk(directory, {5}, "stat", true, buffer, sizeof buffer,
                         [](long, std::string_view) { return true; }),
              KeptFiles::Result::Read);
    EXPECT_EQ(files.openCount(), 1u); // the files of ids no longer listed are closed
    ::close(directory);
    std::filesystem::remove_all(root);
}

TEST(ActivityMonitorProcesses, FindsThisProcessOnTheRunningSystem)
{
    ActivityMonitor monitor;
    auto processes = monitor.runningProcesses();
    ASSERT_TRUE(processes.has_value());
    std::ifstream commFile("/proc/self/comm");
    std::string comm;
    std::getline(commFile, comm);
    const std::string pid = std::to_string(::getpid());
    bool found = false;
    long previous = -1;
    for (const ActivityProcess &p : *processes) {
        long value = std::stol(p.processID);
        if (previous >= 0) {
            EXPECT_LT(value, previous) << "descending pid order";
        }
        previous = value;
        if (p.processID == pid) {
            found = true;
            EXPECT_EQ(p.processName, comm);
        }
    }
    EXPECT_TRUE(found);
}

// ---- memory -----------------------------------------------------------------------------

TEST(ActivityMonitorMemory, ThousandUsedAndTwentyFourFreeMB)
{
    const std::string root = kFixtures + "/proc-sampler-1000-used";
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(false, root), 1000.0);
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(true, root), 97.65625);
    EXPECT_DOUBLE_EQ(ActivityMonitor::freeMemoryy(false, root), 24.0);
    EXPECT_DOUBLE_EQ(ActivityMonitor::freeMemoryy(true, root), 2.34375);

    ActivityMonitor monitor(root, "/nonexistent");
    EXPECT_FLOAT_EQ(monitor.totalMem(), 1024.0f);
    const std::map<std::string, double> expected = {
        {"Wire", 100.0},        // Unevictable + SUnreclaim + KernelStack + PageTables
        {"active", 500.0},      //
        {"free", 24.0},         //
        {"inactive", 400.0},    //
        {"Purgeable", 303.4375} // SReclaimable + Inactive(file) - Dirty - Writeback
    };
    EXPECT_EQ(monitor.currentMemoryUsage(), expected);
}

TEST(ActivityMonitorMemory, PercentagesUseWholeMegabytes)
{
    // No MemAvailable (before 3.14): used is MemTotal − MemFree − buff/cache, 256 of 512 MB;
    // fields a kernel may lack count as zero.
    const std::string root = kFixtures + "/proc-sampler-old-kernel";
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(true, root), 50.0);
    EXPECT_DOUBLE_EQ(ActivityMonitor::freeMemoryy(true, root), 50.0);
    ActivityMonitor monitor(root, "/nonexistent");
    auto usage = monitor.currentMemoryUsage();
    EXPECT_DOUBLE_EQ(usage.at("Wire"), 0.0);
    EXPECT_DOUBLE_EQ(usage.at("Purgeable"), 0.0);
    EXPECT_DOUBLE_EQ(usage.at("inactive"), 64.0);
}

TEST(ActivityMonitorMemory, TotalAboveFourGigabytesDoesNotOverflow)
{
    ActivityMonitor monitor(kFixtures + "/proc-sampler-basic", "/nonexistent");
    EXPECT_FLOAT_EQ(monitor.totalMem(), 7989060.0f / 1024);
    // Used is MemTotal − MemAvailable, as free(1) has it: the page cache is not used memory.
    const std::string root = kFixtures + "/proc-sampler-basic";
    EXPECT_DOUBLE_EQ(ActivityMonitor::usedMemoryy(false, root), (7989060 - 4538220) / 1024.0);
}

TEST(ActivityMonitorMemory, UnreadableFiguresGiveTheFailureValues)
{
    const std::string root = kFixtures + "/proc-sampler-no-meminfo";
    EXPECT_EQ(ActivityMonitor::usedMemoryy(false, root), -1);
    EXPECT_EQ(ActivityMonitor::usedMemoryy(true, root), -1);
    EXPECT_EQ(ActivityMonitor::freeMemoryy(false, root), -1);
    EXPECT_EQ(ActivityMonitor::freeMemoryy(true, root), -1);
    ActivityMonitor monitor(root, "/nonexistent");
    const std::map<std::string, double> error = {{"error", -1}};
    EXPECT_EQ(monitor.currentMemoryUsage(), error);
    EXPECT_EQ(monitor.totalMem(), 0.0f);
}

TEST(ActivityMonitorMemory, RunningSystemGivesPlausibleFigures)
{
    const double used = ActivityMonitor::usedMemoryy(true);
    const double free = ActivityMonitor::freeMemoryy(true);
    EXPECT_GT(used, 0);
    EXPECT_LE(used + free, 100.0 + 1e-9);
    EXPECT_GT(ActivityMonitor().totalMem(), 0.0f);
}

// ---- network ----------------------------------------------------------------------------

InterfaceAddress v4(const char *name, const char *address)
{
    return {name, AF_INET, address, false};
}
InterfaceAddress v6(const char *name, const char *address, bool linkLocal = false)
{
    return {name, AF_INET6, address, linkLocal};
}

ActivityMonitor::AddressSource addresses(std::vector<InterfaceAddress> list)
{
    return [list] { return std::optional(list); };
}

struct NetworkCase
{
    const char *name;
    const char *sysTree;
    std::vector<InterfaceAddress> addresses;
    std::pair<std::string, std::string> ip;
    std::string mac;
    std::array<long long, 4> counters;
};

void PrintTo(const NetworkCase &c, std::ostream *os)
{
    *os << c.name;
}

class ActivityMonitorNetwork : public testing::TestWithParam<NetworkCase>
{
};

TEST_P(ActivityMonitorNetwork, Figures)
{
    const NetworkCase &c = GetParam();
    ActivityMonitor monitor(kFixtures + "/proc-sampler-basic", kFixtures + "/" + c.sysTree,
                            addresses(c.addresses));
    EXPECT_EQ(monitor.getIPAddress(), c.ip);
    EXPECT_EQ(monitor.getMacAddress(), c.mac);
    EXPECT_EQ(monitor.getDataCounters(), c.counters);
}

const NetworkCase kNetworkCases[] = {
    // Wi-Fi and a cellular modem (rmnet by name, usb0 by DEVTYPE=wwan); docker0 and lo do not
    // count; 6 GiB received over cellular does not wrap; 100 MB - 1 byte is 99 MB.
    {"phone",
     "sys-net-phone",
     {v4("lo", "127.0.0.1"), v6("wlan0", "fe80::a65e:60ff:fec1:b7f", true),
      v4("wlan0", "192.168.1.20"), v4("wlan0", "192.168.1.21"), v6("wlan0", "2a02:8071::20"),
      v6("rmnet_data0", "2a01:598:b181::1"), v4("docker0", "172.17.0.1")},
     {"192.168.1.21", "2a01:598:b181::1"},
     "A4:5E:60:C1:0B:7F",
     {5, 99, 3, 6148}},
    // Two Wi-Fi interfaces (one by "wireless", one by "phy80211") add to the Wi-Fi traffic; the
    // cable's does not. The first Wi-Fi interface with an address gives the address and the
    // hardware address (not the first Wi-Fi interface's, which is not six bytes).
    {"laptop",
     "sys-net-laptop",
     {v4("enp0s31f6", "192.168.0.9"), v6("wlp2s0", "fe80::1", true), v4("wlp2s0", "10.0.0.5")},
     {"10.0.0.5", "127.0.0.1"},
     "3C:A9:F4:0A:1B:2C",
     {3, 4, 0, 0}},
    // Only a link-local IPv6 address: still shown. No cellular interface: loopback, 0 MB.
    {"laptop ipv6 only",
     "sys-net-laptop",
     {v6("wlp2s0", "fe80::1", true)},
     {"fe80::1", "127.0.0.1"},
     "3C:A9:F4:0A:1B:2C",
     {3, 4, 0, 0}},
    // Wi-Fi without an address: its own hardware address beside the loopback, never the
    // cable's address.
    {"laptop wifi down",
     "sys-net-laptop",
     {v4("enp0s31f6", "192.168.0.9")},
     {"127.0.0.1", "127.0.0.1"},
     "sysctl msgBuffer failure",
     {3, 4, 0, 0}},
    // No Wi-Fi and no cable: no hardware address; traffic below 1 MB is 0.
    {"no wifi",
     "sys-net-no-wifi",
     {v4("lo", "127.0.0.1"), v4("wwan0", "10.64.0.2")},
     {"127.0.0.1", "10.64.0.2"},
     "if_nametoindex failure",
     {0, 0, 0, 1}},
    // A wired machine has no Wi-Fi figures: the cable's are its own (see WiredBlock).
    {"cable",
     "sys-net-cable",
     {v4("eth0", "192.168.122.7"), v4("virbr0", "192.168.124.1")},
     {"127.0.0.1", "127.0.0.1"},
     "if_nametoindex failure",
     {0, 0, 0, 0}},
    {"no sysfs",
     "no-such-tree",
     {v4("wlan0", "192.168.1.20")},
     {"127.0.0.1", "127.0.0.1"},
     "if_nametoindex failure",
     {0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Trees, ActivityMonitorNetwork, testing::ValuesIn(kNetworkCases),
                         [](const testing::TestParamInfo<NetworkCase> &info) {
                             std::string name = info.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Each kind's figures belong to its own interfaces.
TEST(ActivityMonitorNetworkSources, WiredBlock)
{
    const struct
    {
        const char *sysTree;
        std::vector<InterfaceAddress> addresses;
        bool present;
        std::string address, mac;
        long long sent, received;
    } cases[] = {
        {"sys-net-laptop",
         {v4("enp0s31f6", "192.168.0.9"), v4("wlp2s0", "10.0.0.5")},
         true,
         "192.168.0.9",
         "E4:54:E8:AA:BB:CC",
         10,
         20},
        {"sys-net-cable",
         {v4("eth0", "192.168.122.7"), v4("virbr0", "192.168.124.1")},
         true,
         "192.168.122.7",
         "52:54:00:12:34:56",
         7,
         8},
        {"sys-net-phone",
         {v4("wlan0", "192.168.1.20")},
         false,
         "127.0.0.1",
         "if_nametoindex failure",
         0,
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sysTree);
        ActivityMonitor monitor("/nonexistent", kFixtures + "/" + c.sysTree,
                                addresses(c.addresses));
        const NetworkBlock wired = monitor.networkFigures().wired;
        EXPECT_EQ(wired.present, c.present);
        EXPECT_EQ(wired.address, c.address);
        EXPECT_EQ(wired.hardwareAddress, c.mac);
        EXPECT_EQ(wired.sentMB, c.sent);
        EXPECT_EQ(wired.receivedMB, c.received);
    }
}

TEST(ActivityMonitorNetworkSources, FailingAddressListKeepsLoopback)
{
    ActivityMonitor monitor(kFixtures + "/proc-sampler-basic", kFixtures + "/sys-net-phone",
                            [] { return std::optional<std::vector<InterfaceAddress>>(); });
    EXPECT_EQ(monitor.getIPAddress(),
              std::make_pair(std::string("127.0.0.1"), std::string("127.0.0.1")));
    EXPECT_EQ(monitor.getDataCounters()[1], 99) << "counters do not depend on the address list";
}

TEST(ActivityMonitorNetworkSources, SystemAddressListHasLoopback)
{
    auto list = ActivityMonitor::systemInterfaceAddresses();
    ASSERT_TRUE(list.has_value());
    bool loopback = false;
    for (const InterfaceAddress &a : *list)
        loopback = loopback || (a.family == AF_INET && a.address == "127.0.0.1");
    EXPECT_TRUE(loopback);
}

} // namespace
