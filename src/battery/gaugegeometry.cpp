// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/gaugegeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gauge {

namespace {

const char *const kNoEntry = "no point-table entry for level ";

std::string missingPoints(long index)
{
    return "point-table entry " + std::to_string(index) + " lacks one of its points";
}

// The entry for a level, or why there is none.
const PointEntry *entryFor(int level, const PointTable &table, std::string &error)
{
    const long index = pointIndex(level, table.size());
    if (index < 0 || index >= long(table.size())) {
        error = kNoEntry + std::to_string(level) + " in a table of " + std::to_string(table.size());
        return nullptr;
    }
    return &table[std::size_t(index)];
}

Frame centred(Point c, double width, double height)
{
    return {c.x - width / 2, c.y - height / 2, width, height};
}

// A vertical slider whose thumb centre runs from yEmpty (level 0) up to yFull (level 100).
SliderLayout verticalSlider(double x, double yEmpty, double yFull)
{
    return {{x, (yEmpty + yFull) / 2}, yEmpty - yFull + kThumbWidth, 44, true};
}

// What of a skin must show, top and bottom, in its own coordinates: its windows with their rims
// and marks, the orbit, the rotors.
struct Extent
{
    double top;
    double bottom;
};

Extent contentExtent(int skin, bool tablet)
{
    static constexpr Extent phone[kSkinCount] = {
        {28, 162}, {10, 144}, {17, 180}, {10, 150}, {16, 258}};
    static constexpr Extent pad[kSkinCount] = {
        {55, 285}, {30, 272}, {60, 295}, {20, 265}, {24, 446}};
    return tablet ? pad[skin] : phone[skin];
}

} // namespace

// ---- Skin 0 ------------------------------------------------------------------------------------

double classicFillX(double value, bool tablet)
{
    return tablet ? value * 4.15 - 238 : value * 2.5 - 215;
}

int classicEndWidth(double value)
{
    return std::abs(value > 50 ? int((value - 100) * 0.4) : int(value * 0.4));
}

ClassicGeometry classic(double value, bool tablet)
{
    ClassicGeometry g;
    g.fill = tablet ? Frame{0, 75, 415, 170} : Frame{0, 40, 250, 100};
    g.fill.x = classicFillX(value, tablet);
    const int w = classicEndWidth(value);
    g.end = {g.fill.x + g.fill.width - w / 2.0, g.fill.y, double(w), g.fill.height};
    return g;
}

// ---- Point tables ------------------------------------------------------------------------------

long pointIndex(int level, std::size_t count)
{
    if (count == 0)
        return -1;
    return long(std::trunc((100 - level) * ((double(count) - 1) / 100)));
}

// ---- Skin 1 ------------------------------------------------------------------------------------

double sphereFillY(int level, bool tablet)
{
    return tablet ? 266 - 2.3 * level : 138 - 1.22 * level;
}

Frame sphereFill(int level, bool tablet)
{
    const double y = sphereFillY(level, tablet);
    const Frame sphere = liquidRest(Atomic, tablet);
    return {sphere.x, y, sphere.width, std::max(0.0, sphere.bottom() - y)};
}

Lookup sphereSurface(int level, bool tablet, const PointTable &table)
{
    Lookup out;
    const PointEntry *entry = entryFor(level, table, out.error);
    if (!entry)
        return out;
    if (!(*entry)[0] || !(*entry)[1]) {
        out.error = missingPoints(pointIndex(level, table.size()));
        return out;
    }
    const Point p1 = *(*entry)[0];
    const Point p2 = *(*entry)[1];
    const double h = (p1.y - 15) * (tablet ? 0.1 : 0.28);
    out.frame = Frame{p1.x, p1.y - h / 2, p2.x - p1.x, h};
    return out;
}

Point electronCenter(double angle, bool tablet)
{
    if (tablet)
        return {std::cos(angle) * 260 + 367, std::sin(angle) * 60 + 133};
    return {std::cos(angle) * 134 + 150, std::sin(angle) * 29 + 77};
}

double nextOrbitAngle(double angle)
{
    angle += kOrbitStep;
    if (angle > 100)
        angle = std::fmod(angle, 2 * std::numbers::pi);
    return angle;
}

// ---- Skin 2 ------------------------------------------------------------------------------------

Frame hydraulicColumn(int level, bool tablet)
{
    const double d = 100 - level;
    if (tablet)
        return {128, 66 + 1.98 * d, 517, 225 - 1.98 * d};
    return {0, 21 + 1.2 * d, 320, 156 - 1.2 * d};
}

Lookup hydraulicSurfaces(int level, const PointTable &table)
{
    Lookup out;
    const PointEntry *entry = entryFor(level, table, out.error);
    if (!entry)
        return out;
    for (const auto &p : *entry) {
        if (!p) {
            out.error = missingPoints(pointIndex(level, table.size()));
            return out;
        }
    }
    const Point p1 = *(*entry)[0], p2 = *(*entry)[1], p3 = *(*entry)[2], p4 = *(*entry)[3];
    const double h = (p4.x - p1.x) * 0.063;
    out.frame = Frame{p1.x, p1.y - h / 2, p2.x - p1.x, h};
    out.frame2 = Frame{p3.x, p3.y - h / 2, p4.x - p3.x, h};
    return out;
}

// ---- Skin 3 ------------------------------------------------------------------------------------

LabGeometry laboratory(int level, bool tablet)
{
    LabGeometry g;
    g.surfaceScale = 1 - level / 100.0;
    if (tablet) {
        const double c = level * 1.46;
        g.liquid = {186, 212 - c, 406, c + 49};
        g.surface = centred({382, 213 - c}, 406, 49 * g.surfaceScale);
    } else {
        const double c = level * 0.87;
        g.liquid = {36, 123 - c, 246, c + 25};
        g.surface = centred({160, 123 - c}, 246, 25 * g.surfaceScale);
    }
    return g;
}

// ---- Skin 4 ------------------------------------------------------------------------------------

Point nuclearCoreCenter(int level, bool tablet)
{
    if (tablet)
        return {381, 388 - 2.35 * level};
    return {160, 222 - 1.3 * level};
}

Frame nuclearCore(int level, bool tablet)
{
    const double side = tablet ? 100 : 60;
    return centred(nuclearCoreCenter(level, tablet), side, side);
}

Frame nuclearCoolant(int level, bool tablet)
{
    const Point c = nuclearCoreCenter(level, tablet);
    const Frame tube = liquidRest(Nuclear, tablet);
    return {tube.x, c.y, tube.width, std::max(0.0, tube.bottom() - c.y)};
}

int nextRotorDegrees(int degrees)
{
    return (degrees + 90) % 360;
}

double glidingRotorDegrees(int degrees, int substeps)
{
    const int done = std::clamp(substeps, 0, kRotorGlideSteps);
    return degrees - 90 + 90.0 * done / kRotorGlideSteps;
}

std::array<Frame, 2> rotorFrames(bool tablet)
{
    if (tablet)
        return {centred({191, 115}, 180, 180), centred({571, 115}, 180, 180)};
    return {centred({50, 70}, 100, 100), centred({270, 70}, 100, 100)};
}

std::vector<Frame> aroundRotors(bool tablet)
{
    const Frame canvas = skinCanvas(Nuclear, tablet);
    std::array<Frame, 2> holes = rotorFrames(tablet);
    std::sort(holes.begin(), holes.end(), [](const Frame &a, const Frame &b) { return a.x < b.x; });
    // Bands between the holes' top and bottom edges; in each, the stretches beside the holes
    // that cross it.
    std::vector<double> edges{canvas.y, canvas.bottom()};
    for (const Frame &h : holes)
        for (const double e : {h.y, h.bottom()})
            edges.push_back(std::clamp(e, canvas.y, canvas.bottom()));
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Frame> pieces;
    for (std::size_t b = 0; b + 1 < edges.size(); ++b) {
        const double top = edges[b], bottom = edges[b + 1];
        double x = canvas.x;
        for (const Frame &h : holes) {
            if (h.y >= bottom || h.bottom() <= top)
                continue;
            if (h.x > x)
                pieces.push_back({x, top, h.x - x, bottom - top});
            x = std::max(x, h.x + h.width);
        }
        const double right = canvas.x + canvas.width;
        if (right > x)
            pieces.push_back({x, top, right - x, bottom - top});
    }
    return pieces;
}

// ---- Layout ------------------------------------------------------------------------------------

Frame skinCanvas(int skin, bool tablet)
{
    if (skin == Nuclear)
        return tablet ? Frame{0, 0, 768, 480} : Frame{0, 0, 320, 260};
    return tablet ? Frame{0, 0, 768, 320} : Frame{0, 0, 320, 180};
}

Frame liquidRest(int skin, bool tablet)
{
    switch (skin) {
    case Classic:
        return tablet ? Frame{177, 75, 415, 170} : Frame{35, 40, 250, 100};
    case Atomic:
        return tablet ? Frame{252, 36, 230, 230} : Frame{89, 16, 122, 122};
    case Hydraulic:
        return tablet ? Frame{128, 66, 517, 225} : Frame{0, 21, 320, 156};
    case Lab:
        return tablet ? Frame{186, 66, 406, 195} : Frame{36, 36, 246, 112};
    case Nuclear:
        return tablet ? Frame{331, 96, 100, 344} : Frame{130, 58, 60, 196};
    default:
        return {};
    }
}

double visibleBand(bool tablet)
{
    return tablet ? 316 : 132;
}

Placement skinPlacement(int skin, bool tablet)
{
    if (skin < 0 || skin >= kSkinCount)
        return {};
    const double margin = tablet ? 10 : 4;
    const double band = visibleBand(tablet);
    Extent e = contentExtent(skin, tablet);
    // The thumb must stay whole (and so within reach) at both ends of its travel.
    const SliderLayout s = sliderLayout(skin, tablet);
    const double travel = s.vertical ? (s.length - kThumbWidth) / 2 : 0;
    const double reach = kThumbReach * thumbScale(tablet);
    e.top = std::min(e.top, s.center.y - travel - reach);
    e.bottom = std::max(e.bottom, s.center.y + travel + reach);
    if (e.bottom <= band - margin)
        return {};
    const double scale = (band - 2 * margin) / (e.bottom - e.top);
    const double width = skinCanvas(skin, tablet).width;
    return {(width - width * scale) / 2, margin - e.top * scale, scale};
}

SliderLayout sliderLayout(int skin, bool tablet)
{
    switch (skin) {
    case Classic:
        // Horizontal; the thumb's centre runs along the cell's window with the liquid's edge.
        return tablet ? SliderLayout{{384.5, 160}, 415 + kThumbWidth, 44, false}
                      : SliderLayout{{160, 90}, 250 + kThumbWidth, 44, false};
    case Atomic:
        return tablet ? verticalSlider(367, 266, 36) : verticalSlider(150, 138, 16);
    case Hydraulic:
        // Between the two tubes, on the scale.
        return tablet ? verticalSlider(386.5, 264, 66) : verticalSlider(160, 141, 21);
    case Lab:
        return tablet ? verticalSlider(389, 212, 66) : verticalSlider(159, 123, 36);
    case Nuclear:
        // Beside the reactor tube, level with the core.
        return tablet ? verticalSlider(468, 388, 153) : verticalSlider(212, 222, 92);
    default:
        return {};
    }
}

// ---- Slider touch rules ------------------------------------------------------------------------

double thumbScale(bool tablet)
{
    return tablet ? 1.6 : 1.0;
}

bool sliderPointInside(double width, double height, double x, double y)
{
    return x >= -kTouchMarginX && x < width + kTouchMarginX && y >= -kTouchMarginY &&
           y < height + kTouchMarginY;
}

double sliderThumbCenter(double value, double minimum, double maximum, double width)
{
    const double span = maximum - minimum;
    const double fraction = span > 0 ? (value - minimum) / span : 0;
    return fraction * (width - kThumbWidth) + kThumbWidth / 2;
}

double sliderValueAt(double x, double minimum, double maximum, double width)
{
    const double travel = width - kThumbWidth;
    if (travel <= 0)
        return minimum;
    const double fraction = std::clamp((x - kThumbWidth / 2) / travel, 0.0, 1.0);
    return minimum + fraction * (maximum - minimum);
}

bool sliderBeginsTracking(double x, double thumbCenter)
{
    return std::abs(x - thumbCenter) <= kThumbWidth / 2;
}

} // namespace gauge
