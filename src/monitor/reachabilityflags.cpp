// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/reachabilityflags.h"

namespace reachability {

Status statusForFlags(std::uint32_t flags, bool localWiFiOnly)
{
    if (localWiFiOnly)
        return ((flags & Reachable) && (flags & IsDirect)) ? ReachableViaWiFi : NotReachable;
    if (!(flags & Reachable))
        return NotReachable;
    if (flags & IsWWAN)
        return ReachableViaWWAN;
    if (!(flags & ConnectionRequired))
        return ReachableViaWiFi;
    if ((flags & (ConnectionOnTraffic | ConnectionOnDemand)) && !(flags & InterventionRequired))
        return ReachableViaWiFi;
    return NotReachable;
}

bool connectionRequired(std::uint32_t flags)
{
    return flags & ConnectionRequired;
}

} // namespace reachability
