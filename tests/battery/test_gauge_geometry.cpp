// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/gaugegeometry.h"
#include "battery/myslider.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace gauge;

void expectFrame(const Frame &f, double x, double y, double w, double h)
{
    EXPECT_NEAR(f.x, x, 1e-9);
    EXPECT_NEAR(f.y, y, 1e-9);
    EXPECT_NEAR(f.width, w, 1e-9);
    EXPECT_NEAR(f.height, h, 1e-9);
}

// A table of `count` entries whose points say which entry they are: entry i has p1 = (i, 100 + i),
// p2 = (i + 50, 100 + i), p3 = (i + 200, 100 + i), p4 = (i + 260, 100 + i).
PointTable numberedTable(int count)
{
    PointTable t;
    for (int i = 0; i < count; ++i) {
        const double y = 100 + i;
        t.push_back(
            {Point{double(i), y}, Point{i + 50.0, y}, Point{i + 200.0, y}, Point{i + 260.0, y}});
    }
    return t;
}

TEST(GaugeClassic, FillAndCurvedEnd)
{
    const struct
    {
        double value;
        bool tablet;
        double fillX;
        int endWidth;
    } cases[] = {
        {50, false, -90, 20},    // the worked example: widest end at half charge
        {0, false, -215, 0},     // empty: the liquid is entirely left of the window
        {100, false, 35, 0},     // full: the liquid fills the window, no end
        {25, false, -152.5, 10}, // int(10.0)
        {75, false, -27.5, 10},  // |int(-10.0)|
        {51, false, -87.5, 19},  // |int(-19.6)| truncates towards zero
        {49, false, -92.5, 19},  // int(19.6)
        {50, true, -30.5, 20},   {0, true, -238, 0}, {100, true, 177, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << (c.tablet ? " tablet" : " phone"));
        EXPECT_NEAR(classicFillX(c.value, c.tablet), c.fillX, 1e-9);
        EXPECT_EQ(classicEndWidth(c.value), c.endWidth);
        const ClassicGeometry g = classic(c.value, c.tablet);
        EXPECT_NEAR(g.fill.x, c.fillX, 1e-9);
        // The end sits centred on the liquid's right edge, with the liquid's height.
        EXPECT_DOUBLE_EQ(g.end.x + g.end.width / 2, g.fill.x + g.fill.width);
        EXPECT_DOUBLE_EQ(g.end.y, g.fill.y);
        EXPECT_DOUBLE_EQ(g.end.height, g.fill.height);
    }
    expectFrame(classic(50, false).fill, -90, 40, 250, 100);
    expectFrame(classic(50, false).end, 150, 40, 20, 100);
    expectFrame(classic(50, true).fill, -30.5, 75, 415, 170);
}

TEST(GaugePointTable, IndexFormula)
{
    const struct
    {
        int level;
        std::size_t count;
        long index;
    } cases[] = {
        {100, 101, 0},  {0, 101, 100}, {42, 101, 58},
        {100, 51, 0},   {0, 51, 50},   {43, 51, 28},   // 57 x 0.5 = 28.5
        {0, 11, 10},    {35, 11, 6},                   // 65 x 0.1 = 6.5
        {0, 1, 0},      {100, 1, 0},   {101, 101, -1}, // beyond the table at the full end
        {-1, 101, 101},                                // and at the empty end
        {50, 0, -1},                                   // an empty table has no entry at all
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " count " << c.count);
        EXPECT_EQ(pointIndex(c.level, c.count), c.index);
    }
}

TEST(GaugeSphere, LiquidTopAndRegion)
{
    const struct
    {
        int level;
        bool tablet;
        double y;
    } cases[] = {
        {0, false, 138}, {100, false, 16}, {50, false, 77},
        {0, true, 266},  {100, true, 36},  {50, true, 151},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << (c.tablet ? " tablet" : " phone"));
        EXPECT_DOUBLE_EQ(sphereFillY(c.level, c.tablet), c.y);
        const Frame f = sphereFill(c.level, c.tablet);
        EXPECT_DOUBLE_EQ(f.y, c.y);
        // The region always ends at the sphere's bottom, where the liquid picture ends.
        EXPECT_DOUBLE_EQ(f.bottom(), liquidRest(Atomic, c.tablet).bottom());
    }
}

TEST(GaugeSphere, SurfaceFromPointsOneAndTwo)
{
    const PointTable table = numberedTable(101);
    // Level 30 -> entry 70: p1 = (70, 170), p2 = (120, 170).
    const Lookup phone = sphereSurface(30, false, table);
    ASSERT_TRUE(phone.frame);
    const double hPhone = (170 - 15) * 0.28;
    expectFrame(*phone.frame, 70, 170 - hPhone / 2, 50, hPhone);
    const Lookup pad = sphereSurface(30, true, table);
    ASSERT_TRUE(pad.frame);
    const double hPad = (170 - 15) * 0.1;
    expectFrame(*pad.frame, 70, 170 - hPad / 2, 50, hPad);
}

TEST(GaugeSphere, FailedLookupsSayWhy)
{
    EXPECT_FALSE(sphereSurface(50, false, {}).frame);
    EXPECT_FALSE(sphereSurface(50, false, {}).error.empty());
    const PointTable table = numberedTable(101);
    EXPECT_FALSE(sphereSurface(101, false, table).frame);
    EXPECT_FALSE(sphereSurface(-5, false, table).frame);
    PointTable holed = table;
    holed[50][1].reset(); // entry for level 50 lacks its point "2"
    const Lookup l = sphereSurface(50, false, holed);
    EXPECT_FALSE(l.frame);
    EXPECT_NE(l.error.find("50"), std::string::npos);
    EXPECT_TRUE(sphereSurface(51, false, holed).frame); // the others are unaffected
}

TEST(GaugeSphere, ElectronOrbit)
{
    const struct
    {
        double angle;
        bool tablet;
        double x, y;
    } cases[] = {
        {0, false, 284, 77},
        {std::numbers::pi / 2, false, 150, 106},
        {std::numbers::pi, false, 16, 77},
        {0, true, 627, 133},
        {std::numbers::pi / 2, true, 367, 193},
        {-std::numbers::pi / 2, true, 367, 73},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << (c.tablet ? " tablet" : " phone"));
        const Point p = electronCenter(c.angle, c.tablet);
        EXPECT_NEAR(p.x, c.x, 1e-9);
        EXPECT_NEAR(p.y, c.y, 1e-9);
    }
}

TEST(GaugeSphere, OrbitAngleGrowsAndWrapsWithoutAJump)
{
    EXPECT_DOUBLE_EQ(nextOrbitAngle(0), 0.2);
    EXPECT_DOUBLE_EQ(nextOrbitAngle(3), 3.2);
    EXPECT_DOUBLE_EQ(nextOrbitAngle(99.5), 99.7); // not yet past 100
    double a = 99.9;
    const Point before = electronCenter(a + 0.2, false);
    a = nextOrbitAngle(a);
    EXPECT_LT(a, 2 * std::numbers::pi);
    EXPECT_GE(a, 0);
    const Point after = electronCenter(a, false);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    // Over a long run the angle stays bounded.
    a = 0;
    for (int i = 0; i < 100000; ++i)
        a = nextOrbitAngle(a);
    EXPECT_LE(a, 100.2);
}

// Each glide starts where the previous step was drawn and ends on the new step, also across the
// orbit angle's wrap past 100 and the rotor's turn from 270 to 0.
TEST(GaugeGlide, RotorStartsAtThePreviousStepAndEndsOnTheNext)
{
    for (int d : {0, 90, 180, 270}) {
        SCOPED_TRACE(d);
        const int next = nextRotorDegrees(d);
        EXPECT_DOUBLE_EQ(std::fmod(glidingRotorDegrees(next, 0) + 360, 360), d);
        // Equal sub-steps, each short of the 60° that would read as a turn back, each on one of
        // the positions drawn ahead.
        for (int s = 1; s <= kRotorGlideSteps; ++s) {
            const double turn = glidingRotorDegrees(next, s) - glidingRotorDegrees(next, s - 1);
            EXPECT_DOUBLE_EQ(turn, 90.0 / kRotorGlideSteps);
            EXPECT_LT(turn, 60.0);
            EXPECT_DOUBLE_EQ(std::fmod(glidingRotorDegrees(next, s), kRotorPositionDegrees), 0);
        }
        EXPECT_DOUBLE_EQ(glidingRotorDegrees(next, kRotorGlideSteps), next);
        EXPECT_DOUBLE_EQ(glidingRotorDegrees(next, kRotorGlideSteps + 2), next);
    }
}

TEST(GaugeHydraulic, Column)
{
    expectFrame(hydraulicColumn(100, false), 0, 21, 320, 156);
    expectFrame(hydraulicColumn(0, false), 0, 141, 320, 36);
    expectFrame(hydraulicColumn(50, false), 0, 81, 320, 96);
    expectFrame(hydraulicColumn(100, true), 128, 66, 517, 225);
    expectFrame(hydraulicColumn(0, true), 128, 264, 517, 27);
    for (int level : {0, 13, 77, 100}) {
        EXPECT_DOUBLE_EQ(hydraulicColumn(level, false).bottom(),
                         liquidRest(Hydraulic, false).bottom());
        EXPECT_NEAR(hydraulicColumn(level, true).bottom(), liquidRest(Hydraulic, true).bottom(),
                    1e-9);
    }
}

TEST(GaugeHydraulic, SurfacesFromFourPoints)
{
    const PointTable table = numberedTable(51);
    // Level 20 -> d 80 -> entry 40: p1 (40, 140), p2 (90, 140), p3 (240, 140), p4 (300, 140).
    const Lookup l = hydraulicSurfaces(20, table);
    ASSERT_TRUE(l.frame);
    ASSERT_TRUE(l.frame2);
    const double h = (300 - 40) * 0.063;
    expectFrame(*l.frame, 40, 140 - h / 2, 50, h);
    expectFrame(*l.frame2, 240, 140 - h / 2, 60, h);

    PointTable holed = table;
    holed[40][3].reset();
    EXPECT_FALSE(hydraulicSurfaces(20, holed).frame);
    EXPECT_FALSE(hydraulicSurfaces(20, holed).error.empty());
    EXPECT_FALSE(hydraulicSurfaces(0, PointTable(50)).frame); // 50 entries: index 49 but no points
    EXPECT_FALSE(hydraulicSurfaces(120, table).frame);
}

TEST(GaugeLab, LiquidAndSurface)
{
    // The worked example: full flask on a phone.
    const LabGeometry full = laboratory(100, false);
    expectFrame(full.liquid, 36, 36, 246, 112);
    EXPECT_DOUBLE_EQ(full.surfaceScale, 0);
    EXPECT_DOUBLE_EQ(full.surface.height, 0);
    EXPECT_DOUBLE_EQ(full.surface.y, 36);

    const LabGeometry empty = laboratory(0, false);
    expectFrame(empty.liquid, 36, 123, 246, 25);
    expectFrame(empty.surface, 37, 110.5, 246, 25);

    const LabGeometry half = laboratory(50, false);
    expectFrame(half.liquid, 36, 79.5, 246, 68.5);
    expectFrame(half.surface, 37, 79.5 - 6.25, 246, 12.5);

    const LabGeometry pad = laboratory(100, true);
    expectFrame(pad.liquid, 186, 66, 406, 195);
    EXPECT_DOUBLE_EQ(pad.surface.height, 0);
    const LabGeometry padEmpty = laboratory(0, true);
    expectFrame(padEmpty.liquid, 186, 212, 406, 49);
    expectFrame(padEmpty.surface, 179, 213 - 24.5, 406, 49);
}

TEST(GaugeNuclear, CoreCentre)
{
    const struct
    {
        int level;
        bool tablet;
        double x, y;
    } cases[] = {
        {0, true, 381, 388},  {100, true, 381, 153}, {50, true, 381, 270.5},
        {0, false, 160, 222}, {100, false, 160, 92}, {50, false, 160, 157},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << (c.tablet ? " tablet" : " phone"));
        const Point p = nuclearCoreCenter(c.level, c.tablet);
        EXPECT_NEAR(p.x, c.x, 1e-9);
        EXPECT_NEAR(p.y, c.y, 1e-9);
        const Frame core = nuclearCore(c.level, c.tablet);
        EXPECT_NEAR(core.x + core.width / 2, c.x, 1e-9);
        EXPECT_NEAR(core.y + core.height / 2, c.y, 1e-9);
        const Frame coolant = nuclearCoolant(c.level, c.tablet);
        EXPECT_NEAR(coolant.y, c.y, 1e-9);
        EXPECT_NEAR(coolant.bottom(), liquidRest(Nuclear, c.tablet).bottom(), 1e-9);
    }
}

TEST(GaugeNuclear, RotorTurnsAQuarterPerStep)
{
    EXPECT_EQ(nextRotorDegrees(0), 90);
    EXPECT_EQ(nextRotorDegrees(90), 180);
    EXPECT_EQ(nextRotorDegrees(180), 270);
    EXPECT_EQ(nextRotorDegrees(270), 0);
    int d = 0;
    for (int i = 0; i < 41; ++i)
        d = nextRotorDegrees(d);
    EXPECT_EQ(d, 90);
}

TEST(GaugeLayout, SkinsFitTheBandTheyAreSeenIn)
{
    for (bool tablet : {false, true}) {
        for (int skin = 0; skin < kSkinCount; ++skin) {
            SCOPED_TRACE(testing::Message() << "skin " << skin << (tablet ? " tablet" : " phone"));
            const Placement p = skinPlacement(skin, tablet);
            const Frame canvas = skinCanvas(skin, tablet);
            EXPECT_GT(p.scale, 0.4);
            EXPECT_LE(p.scale, 1.0);
            // Centred across the screen, never wider than it.
            EXPECT_NEAR(p.x * 2 + canvas.width * p.scale, canvas.width, 1e-9);
            // The liquid's window lies inside the band on the battery page.
            const Frame w = liquidRest(skin, tablet);
            EXPECT_GE(p.y + w.y * p.scale, 0);
            EXPECT_LE(p.y + w.bottom() * p.scale, visibleBand(tablet));
            // So does the thumb at both ends of its travel.
            const SliderLayout s = sliderLayout(skin, tablet);
            const double half = s.vertical ? (s.length - kThumbWidth) / 2 : 0;
            const double reach = kThumbReach * thumbScale(tablet);
            EXPECT_GE(p.y + (s.center.y - half - reach) * p.scale, 0);
            EXPECT_LE(p.y + (s.center.y + half + reach) * p.scale, visibleBand(tablet));
        }
    }
    // Skins that fit keep their own coordinates.
    EXPECT_DOUBLE_EQ(skinPlacement(Classic, true).scale, 1);
    EXPECT_DOUBLE_EQ(skinPlacement(Classic, true).y, 0);
    EXPECT_LT(skinPlacement(Nuclear, true).scale, 1);
    EXPECT_LT(skinPlacement(Nuclear, false).scale, skinPlacement(Atomic, false).scale);
}

TEST(GaugeLayout, ThumbRidesOnTheLiquidsEdge)
{
    // For every skin the slider's thumb centre, turned into skin coordinates, is where the level
    // shows: the liquid's right edge, its top, or the core.
    for (bool tablet : {false, true}) {
        for (int skin = 0; skin < kSkinCount; ++skin) {
            const SliderLayout s = sliderLayout(skin, tablet);
            mySlider slider(s.length, s.thickness);
            for (int level : {0, 37, 100}) {
                SCOPED_TRACE(testing::Message() << "skin " << skin << " level " << level
                                                << (tablet ? " tablet" : " phone"));
                slider.setValue(level);
                const double along = slider.thumbCenter() - s.length / 2; // from the centre
                double at = 0;
                double expected = 0;
                if (!s.vertical) {
                    const ClassicGeometry g = classic(level, tablet);
                    at = s.center.x + along;
                    expected = g.fill.x + g.fill.width;
                } else {
                    at = s.center.y - along; // turned by -90 degrees: up is increasing
                    switch (skin) {
                    case Atomic:
                        expected = sphereFillY(level, tablet);
                        break;
                    case Hydraulic:
                        expected = hydraulicColumn(level, tablet).y;
                        break;
                    case Lab:
                        expected = laboratory(level, tablet).liquid.y;
                        break;
                    default:
                        expected = nuclearCoreCenter(level, tablet).y;
                        break;
                    }
                }
                EXPECT_NEAR(at, expected, 1e-9);
            }
        }
    }
}

TEST(GaugeLayout, RotorsAndCanvas)
{
    EXPECT_DOUBLE_EQ(skinCanvas(Nuclear, false).height, 260);
    EXPECT_DOUBLE_EQ(skinCanvas(Nuclear, true).height, 480);
    EXPECT_DOUBLE_EQ(skinCanvas(Lab, true).width, 768);
    for (bool tablet : {false, true}) {
        const auto rotors = rotorFrames(tablet);
        const Frame canvas = skinCanvas(Nuclear, tablet);
        const Frame tube = liquidRest(Nuclear, tablet);
        // Mirror images of each other across the reactor, inside the canvas.
        EXPECT_NEAR(rotors[0].x + rotors[0].width / 2 + rotors[1].x + rotors[1].width / 2,
                    2 * (tube.x + tube.width / 2), 1e-9);
        EXPECT_GE(rotors[0].x, 0);
        EXPECT_LE(rotors[1].x + rotors[1].width, canvas.width);
        // Above the reactor's core travel, clear of the tube.
        EXPECT_LT(rotors[0].x + rotors[0].width, tube.x);
        EXPECT_GT(rotors[1].x, tube.x + tube.width);
    }
}

} // namespace

TEST(GaugeNuclear, FaceplatePiecesCoverTheCanvasOnceAroundTheRotors)
{
    for (const bool tablet : {false, true}) {
        SCOPED_TRACE(tablet);
        const Frame canvas = skinCanvas(Nuclear, tablet);
        const auto holes = rotorFrames(tablet);
        const auto overlap = [](const Frame &a, const Frame &b) {
            const double w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
            const double h = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
            return w > 0 && h > 0 ? w * h : 0.0;
        };
        const std::vector<Frame> pieces = aroundRotors(tablet);
        double area = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            area += pieces[i].width * pieces[i].height;
            EXPECT_NEAR(overlap(pieces[i], canvas), pieces[i].width * pieces[i].height, 1e-9);
            for (const Frame &h : holes)
                EXPECT_EQ(overlap(pieces[i], h), 0) << i;
            for (std::size_t j = i + 1; j < pieces.size(); ++j)
                EXPECT_EQ(overlap(pieces[i], pieces[j]), 0) << i << ' ' << j;
        }
        double holesArea = 0;
        for (const Frame &h : holes)
            holesArea += overlap(h, canvas);
        EXPECT_NEAR(area, canvas.width * canvas.height - holesArea, 1e-9);
    }
}
