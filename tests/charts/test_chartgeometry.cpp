// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chartgeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace charts;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void expectArcs(const std::vector<Arc> &actual, const std::vector<Arc> &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].start, expected[i].start, 1e-9);
        EXPECT_NEAR(actual[i].sweep, expected[i].sweep, 1e-9);
    }
}

TEST(RingGeometry, PercentIsWholeAndClamped)
{
    const struct
    {
        double value;
        int percent;
    } cases[] = {{0, 0},  {50, 50},   {100, 100}, {kNaN, 0},   {150, 100},
                 {-5, 0}, {99.9, 99}, {62.5, 62}, {kInf, 100}, {-kInf, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ringPercent(c.value), c.percent);
    }
}

TEST(RingGeometry, ArcStartsAtTwelveTurnedClockwiseAndRunsClockwise)
{
    const struct
    {
        double percent;
        double rotation;
        Arc arc;
    } cases[] = {
        {0, 0, {90, 0}},      {50, 0, {90, -180}}, {100, 0, {90, -360}}, {25, 180, {-90, -90}},
        {150, 0, {90, -360}}, {kNaN, 0, {90, 0}},  {12.5, 90, {0, -45}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.percent);
        expectArcs({ringArc(c.percent, c.rotation)}, {c.arc});
    }
}

TEST(RingGeometry, RingTurnedByThePreviousShareStartsWhereItEnded)
{
    // Stacked rings: each is turned by the shares before it, so the arcs close into one circle.
    const double shares[] = {30, 25, 40, 5};
    double turned = 0;
    double previousEnd = 90;
    for (double share : shares) {
        const Arc arc = ringArc(share, turned);
        EXPECT_NEAR(std::fmod(arc.start - previousEnd, 360.0), 0.0, 1e-9);
        previousEnd = arc.start + arc.sweep;
        turned += share * 3.6;
    }
    EXPECT_NEAR(previousEnd, 90 - 360, 1e-9);
}

TEST(PieGeometry, SlicesFollowShareDirectionAndSkipUnusableValues)
{
    const struct
    {
        const char *name;
        std::vector<double> values;
        double start;
        bool clockwise;
        std::vector<Arc> arcs;
    } cases[] = {
        {"clockwise from 90", {1, 1, 2}, 90, true, {{90, -90}, {0, -90}, {-90, -180}}},
        {"counter-clockwise", {1, 1, 2}, 90, false, {{90, 90}, {180, 90}, {270, 180}}},
        {"negative and NaN",
         {1, -1, kNaN, 1},
         90,
         true,
         {{90, -180}, {-90, 0}, {-90, 0}, {-90, -180}}},
        {"infinite", {kInf, 1}, -160, true, {{-160, 0}, {-160, -360}}},
        {"all zero", {0, 0, 0}, 45, true, {{45, 0}, {45, 0}, {45, 0}}},
        {"negative sum", {-3, -1}, 180, true, {{180, 0}, {180, 0}}},
        {"one record", {-1}, 0, true, {{0, 0}}},
        {"no records", {}, 0, true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        expectArcs(pieSlices(c.values, c.start, c.clockwise), c.arcs);
    }
}

TEST(PieGeometry, RadiusIsAShareOfHalfTheHeightWithinThePlot)
{
    const struct
    {
        double height;
        double share;
        Rect plot;
        double radius;
    } cases[] = {
        {150, 0.8, {15, 15, 116, 120}, 58},    // fits: 0.8 x 75 = 60 is cut to the plot's 58
        {150, 0.68, {5, 5, 140, 140}, 51},     // 0.68 x 75
        {259, 0.8, {15, 15, 232, 229}, 103.6}, // 0.8 x 129.5
        {100, 0.8, {0, 0, -4, 10}, 0},         // no room
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.height);
        EXPECT_NEAR(pieRadius(c.height, c.share, c.plot), c.radius, 1e-9);
    }
}

TEST(AxisGeometry, TicksCoverTheRange)
{
    const struct
    {
        double min, max, interval;
        int minorPerMajor;
        std::vector<double> major;
        std::vector<double> firstMinors;
        std::size_t minorCount;
        double lastMinor;
    } cases[] = {
        {0, 100, 10, 1, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, {5, 15, 25}, 10, 95},
        {0, 300, 50, 4, {0, 50, 100, 150, 200, 250, 300}, {10, 20, 30, 40, 60}, 24, 290},
        {0, 300, 300.0 / 6, 0, {0, 50, 100, 150, 200, 250, 300}, {}, 0, 0},
        {0, 100, 0, 1, {}, {}, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.max);
        const Ticks t = axisTicks(c.min, c.max, c.interval, c.minorPerMajor);
        ASSERT_EQ(t.major.size(), c.major.size());
        for (std::size_t i = 0; i < c.major.size(); ++i)
            EXPECT_NEAR(t.major[i], c.major[i], 1e-9);
        ASSERT_EQ(t.minor.size(), c.minorCount);
        for (std::size_t i = 0; i < c.firstMinors.size(); ++i)
            EXPECT_NEAR(t.minor[i], c.firstMinors[i], 1e-9);
        if (c.minorCount) {
            EXPECT_NEAR(t.minor.back(), c.lastMinor, 1e-9);
        }
    }
}

TEST(AxisGeometry, BandsFillEveryOtherIntervalFromTheFirst)
{
    const struct
    {
        double max, interval;
        std::vector<Range> bands;
    } cases[] = {
        {300, 50, {{0, 50}, {100, 150}, {200, 250}}},
        {100, 25, {{0, 25}, {50, 75}}},
        {120, 50, {{0, 50}, {100, 120}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.max);
        const auto bands = alternatingBands(0, c.max, c.interval);
        ASSERT_EQ(bands.size(), c.bands.size());
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_NEAR(bands[i].from, c.bands[i].from, 1e-9);
            EXPECT_NEAR(bands[i].to, c.bands[i].to, 1e-9);
        }
    }
}

TEST(AxisGeometry, DataMapsOntoThePlotWithYUp)
{
    const Mapping m{{10, 20, 200, 150}, 0, 100, 0, 300};
    const struct
    {
        double x, y;
        Point pixel;
    } cases[] = {
        {0, 0, {10, 170}},
        {100, 300, {210, 20}},
        {50, 150, {110, 95}},
        {200, -300, {410, 320}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        const Point p = m.toPixel(c.x, c.y);
        EXPECT_NEAR(p.x, c.pixel.x, 1e-9);
        EXPECT_NEAR(p.y, c.pixel.y, 1e-9);
    }
    const Rect band = m.yBand(50, 100);
    EXPECT_NEAR(band.y, 120, 1e-9);
    EXPECT_NEAR(band.height, 25, 1e-9);
    EXPECT_NEAR(band.x, 10, 1e-9);
    EXPECT_NEAR(band.width, 200, 1e-9);
}

TEST(BarGeometry, BarsStandOnTheBaseAndGrowUpByTheirShare)
{
    const Rect area{0, 0, 40, 62};
    const struct
    {
        const char *name;
        std::vector<double> values;
        std::vector<double> heights;
    } cases[] = {
        {"shares", {30, 70}, {18.6, 43.4}},
        {"zero total", {0, 0}, {0, 0}},
        {"unusable", {kNaN, 5}, {0, 62}},
        {"negative", {-5, 5}, {0, 62}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto heights = barHeights(c.values, area.height);
        const auto rects = barRects(heights, area, 0, 10);
        ASSERT_EQ(rects.size(), c.heights.size());
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_NEAR(rects[i].height, c.heights[i], 1e-9);
            EXPECT_NEAR(rects[i].bottom(), area.bottom(), 1e-9);
            EXPECT_NEAR(rects[i].x, i * 25.0, 1e-9);
            EXPECT_NEAR(rects[i].width, 15, 1e-9);
        }
    }
    const auto narrow = barRects({10, 20}, area, 6, 10);
    EXPECT_NEAR(narrow[0].x, 4.5, 1e-9);
    EXPECT_NEAR(narrow[1].width, 6, 1e-9);
}

TEST(NetworkGeometry, TrafficGivesHalfRingsAndBars)
{
    const struct
    {
        std::array<double, 4> counters;
        int uploadRing, downloadRing;
        double uploadBar, downloadBar;
    } cases[] = {
        {{30, 70, 0, 0}, 15, 35, 18.6, 43.4},
        {{0, 0, 0, 0}, 0, 0, 0, 0},
        {{10, 20, 30, 40}, 20, 30, 24.8, 37.2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.counters[0]);
        const TrafficShares s = trafficShares(c.counters);
        EXPECT_FALSE(std::isnan(s.sent) || std::isnan(s.received));
        EXPECT_EQ(ringPercent(s.sent * 0.5), c.uploadRing);
        EXPECT_EQ(ringPercent(s.received * 0.5), c.downloadRing);
        const auto bars =
            barHeights({c.counters[0] + c.counters[2], c.counters[1] + c.counters[3]}, 62);
        EXPECT_NEAR(bars[0], c.uploadBar, 1e-9);
        EXPECT_NEAR(bars[1], c.downloadBar, 1e-9);
    }
}

} // namespace
