// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/detailscell.h"

#include "battery/summary.h"

#include <algorithm>
#include <cmath>

namespace {

float hoursFor(const Profile &profile, std::string_view key)
{
    const auto it = profile.find(key);
    return it == profile.end() ? 0.0f : it->second;
}

} // namespace

float detailsBarFraction(float hours, float audioHours)
{
    const float ratio = hours / audioHours;
    if (std::isnan(ratio))
        return 0;
    return std::clamp(ratio, 0.0f, 1.0f);
}

std::vector<DetailsCell> detailsCells(const Profile &profile, bool measuring)
{
    const float audio = hoursFor(profile, "audio");
    std::vector<DetailsCell> cells;
    cells.reserve(activities().size());
    for (const Activity &activity : activities()) {
        if (measuring) {
            cells.push_back({std::string(activity.label), summary::kCalculating, 0});
            continue;
        }
        const float hours = hoursFor(profile, activity.key);
        cells.push_back(
            {std::string(activity.label), floatToTime(hours), detailsBarFraction(hours, audio)});
    }
    return cells;
}
