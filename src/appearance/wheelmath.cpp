// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/wheelmath.h"

#include <cmath>
#include <numbers>

namespace wheelmath {

namespace {

struct PageEntry
{
    int page;
    float degrees;
    double radians;
    const char *phoneImage;
    const char *tabletImage;
};

// The radians are the values the rotation is applied with; the degrees are what the wheel keeps
// as its angle afterwards. They agree to the hundredth of a degree.
constexpr PageEntry kPages[] = {
    {Tips, 37.77f, 0.65921086, "1_tips-on_60x52.png", "2_tips_on_70x65.png"},
    {Calendar, 18.87f, 0.32934362, "1_calendar-on_60x52.png", "2_callendar_on_70x65.png"},
    {Battery, 0.0f, 0.0, "1_battery-on_60x52.png", "2_battery_on_70x65.png"},
    {Charging, -19.1f, -0.3333579, "1_recharge--on_60x52.png", "2_charge_on_70x65.png"},
    {Settings, -38.06f, -0.6642723, "1_settigns--on_60x52.png", "2_settings_on_70x65.png"},
};

const PageEntry *entryFor(int page)
{
    for (const PageEntry &e : kPages) {
        if (e.page == page)
            return &e;
    }
    return nullptr;
}

struct Sector
{
    double low;
    double high;
    int page;
};

// Tested in this order. The bounds leave small gaps (0.154..0.155, 0.492..0.493) and the shared
// bounds themselves belong to no sector.
constexpr Sector kSectors[] = {
    {-0.864, -0.507, Settings}, {-0.507, -0.173, Charging}, {-0.173, 0.154, Battery},
    {0.155, 0.492, Calendar},   {0.493, 0.868, Tips},
};

} // namespace

Ring ringForFrame(double x, double y, double width, double height)
{
    return Ring{{x + width / 2, y + height / 2}, (width / 2) / 3, width / 2};
}

bool insideRing(const Ring &ring, Point p)
{
    const double distance = std::hypot(p.x - ring.mid.x, p.y - ring.mid.y);
    return distance >= ring.innerRadius && distance <= ring.outerRadius;
}

float wrapStep(float degrees)
{
    if (degrees > 180.0f)
        return degrees - 360.0f;
    if (degrees < -180.0f)
        return degrees + 360.0f;
    return degrees;
}

float rotationStep(Point mid, Point previous, Point current)
{
    // atan2 takes the x difference first: angles are measured from the downward y axis, which
    // makes a clockwise movement on screen a positive step.
    const double before = std::atan2(previous.x - mid.x, previous.y - mid.y);
    const double after = std::atan2(current.x - mid.x, current.y - mid.y);
    return wrapStep(float((before - after) * 180.0 / std::numbers::pi));
}

float clampAngle(float degrees)
{
    if (degrees > kUpperTrigger)
        return kUpperLimit;
    if (degrees < kLowerLimit)
        return kLowerLimit;
    return degrees;
}

std::optional<int> pageForSine(double sine)
{
    for (const Sector &s : kSectors) {
        if (s.low < sine && sine < s.high)
            return s.page;
    }
    return std::nullopt;
}

double sineOfDegrees(float degrees)
{
    // The angle is applied as float radians, as the view's transform receives it.
    const float radians = degrees * float(std::numbers::pi) / 180.0f;
    return std::sin(double(radians));
}

std::optional<float> pageAngleDegrees(int page)
{
    if (const PageEntry *e = entryFor(page))
        return e->degrees;
    return std::nullopt;
}

std::optional<double> pageAngleRadians(int page)
{
    if (const PageEntry *e = entryFor(page))
        return e->radians;
    return std::nullopt;
}

const char *highlightImage(int page, bool tablet)
{
    if (const PageEntry *e = entryFor(page))
        return tablet ? e->tabletImage : e->phoneImage;
    return "";
}

} // namespace wheelmath
