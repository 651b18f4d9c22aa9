// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chartgeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charts {

namespace {

bool usable(double value)
{
    return std::isfinite(value) && value >= 0;
}

// Tolerance for positions that are sums of a step and should land on the range's end.
double slack(double min, double max)
{
    return std::abs(max - min) * 1e-9;
}

} // namespace

int ringPercent(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, 0.0, 100.0));
}

Arc ringArc(double percent, double rotation)
{
    const double p = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    return {90.0 - rotation, -3.6 * p};
}

std::vector<Arc> pieSlices(const std::vector<double> &values, double startAngle, bool clockwise)
{
    double sum = 0;
    for (double v : values)
        if (usable(v))
            sum += v;
    const bool empty = !(sum > 0) || !std::isfinite(sum);
    const double direction = clockwise ? -1.0 : 1.0;

    std::vector<Arc> arcs;
    arcs.reserve(values.size());
    double at = startAngle;
    for (double v : values) {
        const double sweep = (empty || !usable(v)) ? 0.0 : direction * 360.0 * v / sum;
        arcs.push_back({at, sweep});
        at += sweep;
    }
    return arcs;
}

double pieRadius(double viewHeight, double share, const Rect &plot)
{
    const double wanted = share * viewHeight / 2;
    const double room = std::min(plot.width, plot.height) / 2;
    return std::max(0.0, std::min(wanted, room));
}

Point polar(const Point &center, double radius, double angle)
{
    const double a = angle * std::numbers::pi / 180.0;
    return {center.x + radius * std::cos(a), center.y - radius * std::sin(a)};
}

Ticks axisTicks(double min, double max, double interval, int minorPerMajor)
{
    Ticks ticks;
    if (!(interval > 0) || !std::isfinite(min) || !std::isfinite(max) || max < min)
        return ticks;
    const double end = max + slack(min, max);
    const double minorStep = interval / (std::max(0, minorPerMajor) + 1);
    for (int k = 0;; ++k) {
        const double major = min + k * interval;
        if (major > end)
            break;
        ticks.major.push_back(major);
        for (int m = 1; m <= minorPerMajor; ++m) {
            const double minor = major + m * minorStep;
            if (minor < end)
                ticks.minor.push_back(minor);
        }
    }
    return ticks;
}

std::vector<Range> alternatingBands(double min, double max, double interval)
{
    std::vector<Range> bands;
    const Ticks ticks = axisTicks(min, max, interval, 0);
    for (std::size_t k = 0; k + 1 < ticks.major.size(); k += 2)
        bands.push_back({ticks.major[k], ticks.major[k + 1]});
    // A last, partial interval that starts a filled band.
    if (ticks.major.size() % 2 == 1 && ticks.major.back() < max - slack(min, max))
        bands.push_back({ticks.major.back(), max});
    return bands;
}

Point Mapping::toPixel(double x, double y) const
{
    const double sx = xMax != xMin ? (x - xMin) / (xMax - xMin) : 0.0;
    const double sy = yMax != yMin ? (y - yMin) / (yMax - yMin) : 0.0;
    return {plot.x + sx * plot.width, plot.bottom() - sy * plot.height};
}

Rect Mapping::yBand(double from, double to) const
{
    const double top = toPixel(xMin, std::max(from, to)).y;
    const double bottom = toPixel(xMin, std::min(from, to)).y;
    return {plot.x, top, plot.width, bottom - top};
}

std::vector<double> barHeights(const std::vector<double> &values, double fullHeight)
{
    double sum = 0;
    for (double v : values)
        if (usable(v))
            sum += v;
    std::vector<double> heights(values.size(), 0.0);
    if (!(sum > 0) || !std::isfinite(sum))
        return heights;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (usable(values[i]))
            heights[i] = values[i] / sum * fullHeight;
    return heights;
}

std::vector<Rect> barRects(const std::vector<double> &heights, const Rect &area, double barWidth,
                           double spacing)
{
    std::vector<Rect> rects;
    if (heights.empty())
        return rects;
    const double n = static_cast<double>(heights.size());
    const double slot = std::max(0.0, (area.width - spacing * (n - 1)) / n);
    const double width = barWidth > 0 ? std::min(barWidth, slot) : slot;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const double h = usable(heights[i]) ? heights[i] : 0.0;
        const double slotX = area.x + static_cast<double>(i) * (slot + spacing);
        rects.push_back({slotX + (slot - width) / 2, area.bottom() - h, width, h});
    }
    return rects;
}

TrafficShares trafficShares(const std::array<double, 4> &counters)
{
    const double total = counters[0] + counters[1] + counters[2] + counters[3];
    if (!(total > 0) || !std::isfinite(total))
        return {};
    return {(counters[0] + counters[2]) * 100.0 / total,
            (counters[1] + counters[3]) * 100.0 / total};
}

} // namespace charts
