// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/wheelmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

using namespace wheelmath;

constexpr int kNone = -1;

int pageOr(double sine)
{
    return pageForSine(sine).value_or(kNone);
}

TEST(WheelSnapping, SectorsAndGapsOnTheSine)
{
    const struct
    {
        double sine;
        int page;
    } cases[] = {
        {-0.9, kNone},       {-0.864, kNone},   {-0.8639, Settings}, {-0.643, Settings},
        {-0.5071, Settings}, {-0.507, kNone},   {-0.5069, Charging}, {-0.423, Charging},
        {-0.1731, Charging}, {-0.173, kNone},   {-0.1729, Battery},  {0.0, Battery},
        {0.1539, Battery},   {0.154, kNone},    {0.1545, kNone},     {0.155, kNone},
        {0.1551, Calendar},  {0.423, Calendar}, {0.4919, Calendar},  {0.492, kNone},
        {0.4925, kNone},     {0.493, kNone},    {0.4931, Tips},      {0.643, Tips},
        {0.8679, Tips},      {0.868, kNone},    {0.95, kNone},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "sine " << c.sine);
        EXPECT_EQ(pageOr(c.sine), c.page);
    }
}

TEST(WheelSnapping, ReleaseAnglesOfTheWorkedExamples)
{
    const struct
    {
        float degrees;
        int page;
        float settlesAt;
    } cases[] = {
        {25, Calendar, 18.87f},      {-5, Battery, 0.0f},      {-25, Charging, -19.1f},
        {40, Tips, 37.77f},          {-40, Settings, -38.06f}, {47, Tips, 37.77f},
        {-47.9f, Settings, -38.06f}, {9.5f, Calendar, 18.87f}, {-10.5f, Charging, -19.1f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "released at " << c.degrees);
        const std::optional<int> page = pageForSine(sineOfDegrees(c.degrees));
        ASSERT_TRUE(page.has_value());
        EXPECT_EQ(*page, c.page);
        EXPECT_EQ(pageAngleDegrees(*page), c.settlesAt);
    }
    EXPECT_NEAR(sineOfDegrees(25), 0.423, 5e-4);
    EXPECT_NEAR(sineOfDegrees(-40), -0.643, 5e-4);
    // Just under 9 degrees the sine falls between the battery and the calendar sectors.
    EXPECT_FALSE(pageForSine(sineOfDegrees(8.89f)).has_value());
}

TEST(WheelSnapping, EachPageAngleLiesInItsOwnSector)
{
    for (int page : {Tips, Calendar, Battery, Charging, Settings}) {
        SCOPED_TRACE(page);
        const double radians = *pageAngleRadians(page);
        EXPECT_EQ(pageOr(std::sin(radians)), page);
        // The applied radians and the kept degrees are the same angle.
        EXPECT_NEAR(radians * 180 / std::numbers::pi, double(*pageAngleDegrees(page)), 0.005);
    }
}

TEST(WheelTurning, ClampsAtTheTwoUnequalLimits)
{
    const struct
    {
        float in, out;
    } cases[] = {
        {60, 47},      {47.02f, 47}, {47.01f, 47.01f}, {47.005f, 47.005f},
        {47, 47},      {0, 0},       {-47.9f, -47.9f}, {-47.91f, -47.9f},
        {-60, -47.9f}, {400, 47},    {-400, -47.9f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(clampAngle(c.in), c.out);
    }
}

TEST(WheelTurning, StepsWrapAtHalfATurn)
{
    const struct
    {
        float in, out;
    } cases[] = {
        {350, -10}, {-350, 10}, {180, 180}, {-180, -180}, {181, -179}, {-181, 179}, {12.5f, 12.5f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_FLOAT_EQ(wrapStep(c.in), c.out);
    }
}

// A point at distance r from mid, at angle theta (degrees) measured from straight up, clockwise.
Point onCircle(Point mid, double r, double theta)
{
    const double t = theta * std::numbers::pi / 180;
    return {mid.x + r * std::sin(t), mid.y - r * std::cos(t)};
}

TEST(WheelTurning, StepFromTwoFingerPoints)
{
    const Point mid{160, 186};
    const struct
    {
        double from, to;
        float step;
    } cases[] = {
        {0, 90, 90},     {0, -90, -90},    {10, 20, 10}, {-20, -35, -15},
        {170, -170, 20}, {-170, 170, -20}, // across the bottom: the short way round
        {-5, 5, 10},     {175, 185, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        EXPECT_NEAR(rotationStep(mid, onCircle(mid, 100, c.from), onCircle(mid, 100, c.to)), c.step,
                    1e-3);
    }
}

TEST(WheelTurning, RawStepOf350DegreesIsTenBack)
{
    // The previous point's bearing is +175 (from the downward axis), the current one's -175: the
    // difference is 350, which is the finger going 10 degrees anticlockwise over the top.
    const Point mid{0, 0};
    const Point previous{100 * std::sin(175 * std::numbers::pi / 180),
                         100 * std::cos(175 * std::numbers::pi / 180)};
    const Point current{-previous.x, previous.y};
    EXPECT_NEAR(rotationStep(mid, previous, current), -10, 1e-3);
}

TEST(WheelRing, GeometryAndEdges)
{
    const Ring phone = ringForFrame(0, 26, 320, 320);
    EXPECT_DOUBLE_EQ(phone.mid.x, 160);
    EXPECT_DOUBLE_EQ(phone.mid.y, 186);
    EXPECT_DOUBLE_EQ(phone.innerRadius, 160.0 / 3);
    EXPECT_DOUBLE_EQ(phone.outerRadius, 160);
    const Ring tablet = ringForFrame(0, 40, 768, 768);
    EXPECT_DOUBLE_EQ(tablet.mid.y, 424);
    EXPECT_DOUBLE_EQ(tablet.innerRadius, 128);

    const Ring ring{{0, 0}, 30, 90};
    const struct
    {
        Point p;
        bool inside;
    } cases[] = {
        {{0, 0}, false},   {{29.9, 0}, false},  {{30, 0}, true},  {{0, -60}, true},
        {{90, 0}, true},   {{0, 90.01}, false}, {{54, 72}, true}, // 54-72-90 lies on the edge
        {{64, 64}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(insideRing(ring, c.p), c.inside);
    }
}

TEST(WheelPages, AnglesAndHighlightsForBothFamilies)
{
    const struct
    {
        int page;
        float degrees;
        double radians;
        const char *phone;
        const char *tablet;
    } cases[] = {
        {Tips, 37.77f, 0.65921086, "1_tips-on_60x52.png", "2_tips_on_70x65.png"},
        {Calendar, 18.87f, 0.32934362, "1_calendar-on_60x52.png", "2_callendar_on_70x65.png"},
        {Battery, 0, 0, "1_battery-on_60x52.png", "2_battery_on_70x65.png"},
        {Charging, -19.1f, -0.3333579, "1_recharge--on_60x52.png", "2_charge_on_70x65.png"},
        {Settings, -38.06f, -0.6642723, "1_settigns--on_60x52.png", "2_settings_on_70x65.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(pageAngleDegrees(c.page), c.degrees);
        EXPECT_EQ(pageAngleRadians(c.page), c.radians);
        EXPECT_EQ(std::string(highlightImage(c.page, false)), c.phone);
        EXPECT_EQ(std::string(highlightImage(c.page, true)), c.tablet);
    }
    for (int page : {int(ActivityMonitor), -1, 6}) {
        EXPECT_FALSE(pageAngleDegrees(page).has_value());
        EXPECT_FALSE(pageAngleRadians(page).has_value());
        EXPECT_EQ(std::string(highlightImage(page, false)), "");
    }
}

} // namespace
