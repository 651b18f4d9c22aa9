// SPDX-License-Identifier: GPL-3.0-or-later
// The network figures of ActivityMonitor. Linux has no fixed "en0" / "pdp_ip0"; interfaces are
// sorted into kinds from /sys/class/net:
//   Wi-Fi     has a "wireless" or "phy80211" entry
//   cellular  named wwan*, rmnet*, ccmni*, or DEVTYPE=wwan in its uevent
//   wired     named en* or eth*
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

NetworkFigures ActivityMonitor::networkFigures() const
{
    NetworkFigures figures;
    const std::vector<NetworkInterface> interfaces = networkInterfaces();
    const auto addresses = m_addresses();

    // The best address of one interface; among equally good ones the later entry wins.
    auto addressOf = [&](const std::string &name) -> const InterfaceAddress * {
        const InterfaceAddress *best = nullptr;
        if (!addresses)
            return best;
        for (const InterfaceAddress &address : *addresses) {
            if (address.interfaceName != name ||
                (address.family != AF_INET && address.family != AF_INET6))
                continue;
            if (!best || addressRank(address) >= addressRank(*best))
                best = &address;
        }
        return best;
    };

    auto fill = [&](InterfaceKind kind, NetworkBlock &block) {
        const NetworkInterface *chosen = nullptr;
        const InterfaceAddress *address = nullptr;
        // 64-bit totals: the counters of a long-running link pass 4 GiB.
        std::uint64_t sent = 0, received = 0;
        for (const NetworkInterface &interface : interfaces) {
            if (interface.kind != kind)
                continue;
            const std::string statistics =
                m_sysRoot + "/class/net/" + interface.name + "/statistics/";
            sent += counter(statistics + "tx_bytes");
            received += counter(statistics + "rx_bytes");
            if (!address) {
                if (const InterfaceAddress *found = addressOf(interface.name)) {
                    chosen = &interface;
                    address = found;
                } else if (!chosen) {
                    chosen = &interface;
                }
            }
        }
        block.sentMB = static_cast<long long>(sent / (1024 * 1024));
        block.receivedMB = static_cast<long long>(received / (1024 * 1024));
        if (!chosen)
            return;
        block.present = true;
        block.interfaceName = chosen->name;
        if (address)
            block.address = address->address;
        block.hardwareAddress = hardwareAddress(chosen->name);
    };
    fill(InterfaceKind::WiFi, figures.wifi);
    fill(InterfaceKind::Wired, figures.wired);
    fill(InterfaceKind::Cellular, figures.cellular);
    return figures;
}

std::string ActivityMonitor::hardwareAddress(const std::string &interfaceName) const
{
    // The error texts name the steps of the original lookup: the address could not be read, the
    // address read is not a six-byte hardware address.
    auto text = readFile(m_sysRoot + "/class/net/" + interfaceName + "/address");
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

std::pair<std::string, std::string> ActivityMonitor::getIPAddress() const
{
    const NetworkFigures figures = networkFigures();
    return {figures.wifi.address, figures.cellular.address};
}

std::string ActivityMonitor::getMacAddress() const
{
    return networkFigures().wifi.hardwareAddress;
}

std::array<long long, 4> ActivityMonitor::getDataCounters() const
{
    const NetworkFigures figures = networkFigures();
    return {figures.wifi.sentMB, figures.wifi.receivedMB, figures.cellular.sentMB,
            figures.cellular.receivedMB};
}
