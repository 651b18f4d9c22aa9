// SPDX-License-Identifier: GPL-3.0-or-later
// The network figures of ActivityMonitor. Linux has no fixed "en0" / "pdp_ip0"; interfaces are
// sorted into kinds from /sys/class/net:
//   Wi-Fi     has a "wireless" or "phy80211" entry
//   cellular  named wwan*, rmnet*, ccmni*, or DEVTYPE=wwan in its uevent
//   wired     named en* or eth* (counted with Wi-Fi as "not cellular")
// Anything else (loopback, bridges, tunnels, containers) is not counted.
#include "monitor/activitymonitor.h"

#include "monitor/activitymonitor_procfs.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <dirent.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace activitymonitor_procfs;

namespace {

bool startsWith(const std::string &text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool exists(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

std::uint64_t counter(const std::string &path)
{
    auto text = readFile(path);
    if (!text)
        return 0;
    auto value = parseInteger(*text);
    return value && *value > 0 ? static_cast<std::uint64_t>(*value) : 0;
}

// How good an address is to show: IPv4 first, then a routable IPv6 address, then link-local.
int addressRank(const InterfaceAddress &address)
{
    if (address.family == AF_INET)
        return 3;
    return address.linkLocal ? 1 : 2;
}

} // namespace

std::optional<std::vector<InterfaceAddress>> ActivityMonitor::systemInterfaceAddresses()
{
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return std::nullopt;
    std::vector<InterfaceAddress> addresses;
    for (ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !entry->ifa_name)
            continue;
        char text[INET6_ADDRSTRLEN] = {};
        InterfaceAddress address;
        address.interfaceName = entry->ifa_name;
        address.family = entry->ifa_addr->sa_family;
        if (address.family == AF_INET) {
            const auto *in = reinterpret_cast<const sockaddr_in *>(entry->ifa_addr);
            ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
        } else if (address.family == AF_INET6) {
            const auto *in6 = reinterpret_cast<const sockaddr_in6 *>(entry->ifa_addr);
            ::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
            address.linkLocal = IN6_IS_ADDR_LINKLOCAL(&in6->sin6_addr);
        } else {
            continue;
        }
        address.address = text;
        addresses.push_back(std::move(address));
    }
    ::freeifaddrs(list);
    return addresses;
}

std::vector<ActivityMonitor::NetworkInterface> ActivityMonitor::networkInterfaces() const
{
    std::vector<NetworkInterface> interfaces;
    const std::string base = m_sysRoot + "/class/net/";
    DIR *dir = ::opendir(base.c_str());
    if (!dir)
        return interfaces;
    while (dirent *entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || !exists(base + name + "/."))
            continue;
        const std::string path = base + name;
        InterfaceKind kind = InterfaceKind::Other;
        auto uevent = readFile(path + "/uevent");
        if (startsWith(name, "wwan") || startsWith(name, "rmnet") || startsWith(name, "ccmni") ||
            (uevent &&
             (uevent->find("\nDEVTYPE=wwan\n") != std::string::npos ||
              startsWith(*uevent, "DEVTYPE=wwan\n") || uevent->ends_with("DEVTYPE=wwan")))) {
            kind = InterfaceKind::Cellular;
        } else if (exists(path + "/wireless") || exists(path + "/phy80211")) {
            kind = InterfaceKind::WiFi;
        } else if (startsWith(name, "en") || startsWith(name, "eth")) {
            kind = InterfaceKind::Wired;
        }
        interfaces.push_back({std::move(name), kind});
    }
    ::closedir(dir);
    std::sort(interfaces.begin(), interfaces.end(),
              [](const NetworkInterface &a, const NetworkInterface &b) { return a.name < b.name; });
    return interfaces;
}

std::pair<std::string, std::string> ActivityMonitor::getIPAddress() const
{
    std::pair<std::string, std::string> result{kLoopbackAddress, kLoopbackAddress};
    auto addresses = m_addresses();
    if (!addresses)
        return result;
    const std::vector<NetworkInterface> interfaces = networkInterfaces();

    // The best address of the first interface (in name order) of the given kind that has one;
    // among equally good addresses of one interface the later entry wins.
    auto addressOf = [&](InterfaceKind kind) -> std::optional<std::string> {
        for (const NetworkInterface &interface : interfaces) {
            if (interface.kind != kind)
                continue;
            const InterfaceAddress *best = nullptr;
            for (const InterfaceAddress &address : *addresses) {
                if (address.interfaceName != interface.name ||
                    (address.family != AF_INET && address.family != AF_INET6))
                    continue;
                if (!best || addressRank(address) >= addressRank(*best))
                    best = &address;
            }
            if (best)
                return best->address;
        }
        return std::nullopt;
    };
    // A machine on a cable and not on Wi-Fi shows its wired address in the Wi-Fi place.
    if (auto wifi = addressOf(InterfaceKind::WiFi))
        result.first = *wifi;
    else if (auto wired = addressOf(InterfaceKind::Wired))
        result.first = *wired;
    if (auto cellular = addressOf(InterfaceKind::Cellular))
        result.second = *cellular;
    return result;
}

std::string ActivityMonitor::getMacAddress() const
{
    // The error texts name the steps of the original lookup: no interface to ask, the address
    // could not be read, the address read is not a six-byte hardware address.
    const std::vector<NetworkInterface> interfaces = networkInterfaces();
    auto pick = [&](InterfaceKind kind) -> const NetworkInterface * {
        for (const NetworkInterface &interface : interfaces) {
            if (interface.kind == kind)
                return &interface;
        }
        return nullptr;
    };
    const NetworkInterface *interface = pick(InterfaceKind::WiFi);
    if (!interface)
        interface = pick(InterfaceKind::Wired);
    if (!interface)
        return "if_nametoindex failure";
    auto text = readFile(m_sysRoot + "/class/net/" + interface->name + "/address");
    if (!text)
        return "sysctl mgmtInfoBase failure";
    unsigned int bytes[6];
    char trailing = 0;
    int parsed = std::sscanf(text->c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &bytes[0], &bytes[1],
                             &bytes[2], &bytes[3], &bytes[4], &bytes[5], &trailing);
    if (parsed < 6 || (parsed == 7 && trailing != '\n'))
        return "sysctl msgBuffer failure";
    char formatted[18];
    std::snprintf(formatted, sizeof formatted, "%02X:%02X:%02X:%02X:%02X:%02X", bytes[0], bytes[1],
                  bytes[2], bytes[3], bytes[4], bytes[5]);
    return formatted;
}

std::array<long long, 4> ActivityMonitor::getDataCounters() const
{
    // 64-bit totals: the counters of a long-running link pass 4 GiB.
    std::uint64_t sums[4] = {0, 0, 0, 0};
    for (const NetworkInterface &interface : networkInterfaces()) {
        int offset;
        if (interface.kind == InterfaceKind::WiFi || interface.kind == InterfaceKind::Wired)
            offset = 0;
        else if (interface.kind == InterfaceKind::Cellular)
            offset = 2;
        else
            continue;
        const std::string statistics = m_sysRoot + "/class/net/" + interface.name + "/statistics/";
        sums[offset] += counter(statistics + "tx_bytes");
        sums[offset + 1] += counter(statistics + "rx_bytes");
    }
    std::array<long long, 4> megabytes{};
    for (int i = 0; i < 4; ++i)
        megabytes[i] = static_cast<long long>(sums[i] / (1024 * 1024));
    return megabytes;
}
