// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

// The charts' drawing as arithmetic: arcs of rings and pie slices, axis ticks, band and bar
// rectangles, and the mapping of data to pixels. Pure functions of their inputs, no Qt.
//
// Angles are in degrees, 0 at three o'clock, counter-clockwise positive (the painter's own
// convention); a clockwise arc has a negative sweep. Pixel y grows downward.
namespace charts {

struct Point
{
    double x = 0;
    double y = 0;
};

struct Rect
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    Point center() const { return {x + width / 2, y + height / 2}; }
};

struct Arc
{
    double start = 0;
    double sweep = 0;
};

// ---- Progress ring -----------------------------------------------------------------------------

// The whole percent a ring holds: truncated toward zero and clamped to 0..100; not a number → 0.
int ringPercent(double value);

// The filled arc of a ring at a percent (fractions allowed while it animates): it starts at twelve
// o'clock turned clockwise by `rotation` degrees and runs clockwise, 3.6 degrees per percent.
Arc ringArc(double percent, double rotation);

// ---- Pie
// -----------------------------------------------------------------------------------------

// One arc per record, laid end to end from `startAngle`, each the record's share of 360 degrees.
// A record that is negative or not a number takes no room (a zero sweep where the previous slice
// ended); when the valid records sum to zero or less, every slice is empty.
std::vector<Arc> pieSlices(const std::vector<double> &values, double startAngle, bool clockwise);

// The pie's radius: `share` of half the view's height, never beyond the plot area.
double pieRadius(double viewHeight, double share, const Rect &plot);

// The point at `radius` from `center` in the direction `angle`.
Point polar(const Point &center, double radius, double angle);

// ---- Axes
// ------------------------------------------------------------------------------------------

struct Ticks
{
    std::vector<double> major;
    std::vector<double> minor;
};

// Major ticks every `interval` from `min` up to `max`, and `minorPerMajor` evenly spaced minor
// ticks inside each major interval.
Ticks axisTicks(double min, double max, double interval, int minorPerMajor);

struct Range
{
    double from = 0;
    double to = 0;
};

// The filled bands of an axis: every other major interval, the first one filled.
std::vector<Range> alternatingBands(double min, double max, double interval);

// Data coordinates to pixels of a plot area (y up in data, down in pixels).
struct Mapping
{
    Rect plot;
    double xMin = 0;
    double xMax = 100;
    double yMin = 0;
    double yMax = 300;

    Point toPixel(double x, double y) const;
    // The rectangle between two y values across the whole x range.
    Rect yBand(double from, double to) const;
};

// ---- Bars
// --------------------------------------------------------------------------------------------

// Each value's share of the sum times `fullHeight` (the height of a bar holding everything).
// Negative or not-a-number values, and a sum of zero or less, give height 0.
std::vector<double> barHeights(const std::vector<double> &values, double fullHeight);

// Bars side by side in equal slots across `area`, `spacing` apart, each `barWidth` wide (0: the
// whole slot) and centred in its slot, standing on the area's bottom and growing upward.
std::vector<Rect> barRects(const std::vector<double> &heights, const Rect &area, double barWidth,
                           double spacing);

// ---- Network traffic
// ------------------------------------------------------------------------------

struct TrafficShares
{
    double sent = 0;     // percent of all traffic
    double received = 0; // percent of all traffic
};

// Shares of the totals [Wi-Fi sent, Wi-Fi received, cellular sent, cellular received]; with no
// traffic at all both are 0.
TrafficShares trafficShares(const std::array<double, 4> &counters);

} // namespace charts
