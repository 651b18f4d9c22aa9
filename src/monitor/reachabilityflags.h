// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Reachability flags and the rules that turn them into a network status. The flag values are
// those of the classic reachability interface, so stored logs and tests read the same everywhere.
namespace reachability {

enum Flag : std::uint32_t {
    TransientConnection = 1u << 0,
    Reachable = 1u << 1,
    ConnectionRequired = 1u << 2,
    ConnectionOnTraffic = 1u << 3,
    InterventionRequired = 1u << 4,
    ConnectionOnDemand = 1u << 5,
    IsLocalAddress = 1u << 16,
    IsDirect = 1u << 17,
    IsWWAN = 1u << 18,
};

enum Status : int {
    NotReachable = 0,
    ReachableViaWiFi = 1, // or any link that is not cellular
    ReachableViaWWAN = 2,
};

// The status for flags; localWiFiOnly is true for the object that watches the local Wi-Fi link.
Status statusForFlags(std::uint32_t flags, bool localWiFiOnly);
bool connectionRequired(std::uint32_t flags);

} // namespace reachability
