// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/clockrules.h"

#include <algorithm>
#include <cmath>

namespace clockrules {

std::int64_t wallMinute(std::int64_t utcMsecs, int offsetFromUtcSeconds)
{
    const std::int64_t local = utcMsecs + std::int64_t(offsetFromUtcSeconds) * 1000;
    // Floor division: moments before the epoch belong to the minute that began before them.
    const std::int64_t minute = 60000;
    return local >= 0 ? local / minute : -((-local + minute - 1) / minute);
}

void BrightnessGesture::begin(Point p, double brightness, double floor)
{
    m_active = true;
    m_tBegan = m_tEnd = m_tMov = p;
    m_floor = std::clamp(floor, 0.0, 1.0);
    m_light = std::isnan(brightness) ? 1.0 : std::clamp(brightness, 0.0, 1.0);
}

std::optional<double> BrightnessGesture::move(Point p)
{
    if (!m_active)
        return std::nullopt;
    m_tMov = p;
    if (std::abs(m_tMov.y - m_tEnd.y) <= kThreshold || m_tMov.y == m_tBegan.y)
        return std::nullopt;
    const double before = m_light;
    if (m_tMov.y < m_tBegan.y)
        m_light = std::min(m_light + kStep, 1.0);
    else
        // Never below the floor, and never up on a downward move.
        m_light = std::max(m_light - kStep, std::min(m_floor, m_light));
    m_tBegan = m_tMov;
    m_tEnd.x = m_tMov.x;
    if (m_light == before)
        return std::nullopt;
    return m_light;
}

} // namespace clockrules
