// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The battery gauge's drawing as arithmetic: where each layer of each skin goes for a level, in
// the skin's own coordinates (points; the phone skins are 320 wide, the tablet skins 768 wide),
// and the touch rules of the level slider. Pure functions of their inputs, no Qt.
namespace gauge {

enum Skin { Classic = 0, Atomic = 1, Hydraulic = 2, Lab = 3, Nuclear = 4 };
constexpr int kSkinCount = 5;

struct Point
{
    double x = 0;
    double y = 0;
};

struct Frame
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double bottom() const { return y + height; }
};

// One entry of a point table: the points "1" to "4"; a point the table lacks stays empty.
using PointEntry = std::array<std::optional<Point>, 4>;
// Entry 0 belongs to a full battery, the last entry to an empty one.
using PointTable = std::vector<PointEntry>;

// ---- Skin 0, the classic cell ------------------------------------------------------------------

struct ClassicGeometry
{
    Frame fill; // the liquid picture, slid sideways
    Frame end;  // the curved end of the liquid at its right edge
};

// x of the liquid picture: v x 2.5 - 215 (phone) or v x 4.15 - 238 (tablet).
double classicFillX(double value, bool tablet);
// Width of the curved end: widest (20) at 50 %, nothing at 0 % and 100 %.
int classicEndWidth(double value);
ClassicGeometry classic(double value, bool tablet);

// ---- Point-table lookups -----------------------------------------------------------------------

// Index of the entry for a level: integer part of (100 - level) x ((count - 1) / 100). Out of
// range (level beyond 0..100, or an empty table) when the table has no such entry.
long pointIndex(int level, std::size_t count);

// A placement that needs a point table; without the entry or its points it stays empty and
// says why.
struct Lookup
{
    std::optional<Frame> frame;
    std::optional<Frame> frame2;
    std::string error;
};

// ---- Skin 1, the atomic sphere -----------------------------------------------------------------

// Top of the liquid: 138 - 1.22 x level (phone) or 266 - 2.3 x level (tablet).
double sphereFillY(int level, bool tablet);
// The liquid region: from the liquid's top down to the bottom of the sphere.
Frame sphereFill(int level, bool tablet);
// The liquid's surface ellipse from the entry's points "1" and "2".
Lookup sphereSurface(int level, bool tablet, const PointTable &table);

// Where the orbiting electron's centre is for an orbit angle (radians).
Point electronCenter(double angle, bool tablet);
// The orbit angle one 0.08 s tick later: 0.2 further on. Past 100 it comes back to the same
// place on the orbit near 0, so the electron never jumps.
double nextOrbitAngle(double angle);
constexpr double kOrbitStep = 0.2;

// The rotor glides from one quarter-turn step to the next in kRotorGlideSteps sub-steps of
// 30°, one every kRotorGlideFrameMs: turned at once, a three-bladed rotor would seem to turn
// back by 30°, and any sub-step under 60° reads as turning on. Three are the fewest frames that
// keep every drawn position on a multiple of 30° (four pictures, drawn once). The electron needs
// no glide: its 0.08 s steps are its motion.
constexpr int kRotorGlideFrameMs = 200;
constexpr int kRotorGlideSteps = 3;
// The rotor's distinct drawn positions: its rotations modulo the 120° of its symmetry.
constexpr int kRotorPositionDegrees = 30;
// The rotor's drawn rotation `substeps` sub-steps after the step to `degrees`: a quarter turn
// back at 0, so that the turn from 270 to 0 goes on clockwise; `degrees` from kRotorGlideSteps on.
double glidingRotorDegrees(int degrees, int substeps);

// ---- Skin 2, the hydraulic tubes ---------------------------------------------------------------

// The liquid column: (0, 21 + 1.2 d, 320, 156 - 1.2 d) on a phone, (128, 66 + 1.98 d, 517,
// 225 - 1.98 d) on a tablet, with d = 100 - level.
Frame hydraulicColumn(int level, bool tablet);
// The two surface ellipses from the entry's points "1" to "4".
Lookup hydraulicSurfaces(int level, const PointTable &table);

// ---- Skin 3, the lab flask ---------------------------------------------------------------------

struct LabGeometry
{
    Frame liquid;
    Frame surface; // the surface picture, squashed vertically by 1 - level / 100
    double surfaceScale = 1;
};
LabGeometry laboratory(int level, bool tablet);

// ---- Skin 4, the nuclear station ---------------------------------------------------------------

// Centre of the core: (160, 222 - 1.3 x level) phone, (381, 388 - 2.35 x level) tablet.
Point nuclearCoreCenter(int level, bool tablet);
// The core picture's frame around that centre.
Frame nuclearCore(int level, bool tablet);
// The glowing coolant in the reactor tube, from the core's centre down to the tube's bottom.
Frame nuclearCoolant(int level, bool tablet);
// The rotor one 0.6 s step later: a quarter turn on, kept within one turn.
int nextRotorDegrees(int degrees);
// The two rotors turning above the cooling towers.
std::array<Frame, 2> rotorFrames(bool tablet);
// The canvas without the rotors' frames, as rectangles that cover it once: the faceplate is
// drawn in these pieces, and the rotors' frames bring the faceplate below them along, so a
// rotor's frame is drawn alone.
std::vector<Frame> aroundRotors(bool tablet);

// ---- Layout of a skin --------------------------------------------------------------------------

// The skin's canvas in its own coordinates (the size of its faceplate picture).
Frame skinCanvas(int skin, bool tablet);
// The frame of the liquid picture at a full battery: the window it is seen through. The liquid
// regions above all end at its bottom edge.
Frame liquidRest(int skin, bool tablet);

// Where the skin's canvas sits in the gauge: the pages leave only a band at the top of the screen
// uncovered on the battery and charging pages (132 points on a phone, 316 on a tablet), so a skin
// that is taller than the band is scaled down and centred to fit into it.
struct Placement
{
    double x = 0;
    double y = 0;
    double scale = 1;
};
double visibleBand(bool tablet);
Placement skinPlacement(int skin, bool tablet);

// The level slider on a skin, in the skin's coordinates. Its length runs along the level; the
// vertical sliders are the horizontal ones turned by -90 degrees about their centre, so the
// minimum is at the bottom. The thumb's centre sits on the liquid's edge for every level.
struct SliderLayout
{
    Point center;
    double length = 0;
    double thickness = 0;
    bool vertical = false;
};
SliderLayout sliderLayout(int skin, bool tablet);

// ---- The slider's touch rules (mySlider) -------------------------------------------------------

constexpr double kThumbWidth = 230;
// How far the thumb's knob and its glow reach from the slider's middle line, at the phone's size.
constexpr double kThumbReach = 20;
// The thumb picture is drawn larger on a tablet, to suit a finger on the larger skins; its touch
// rules stay those of the 230-point thumb.
double thumbScale(bool tablet);
constexpr double kTouchMarginX = 10;
constexpr double kTouchMarginY = 8;

// True when (x, y), in the slider's own coordinates, lies within its bounds enlarged by 10
// points left and right and 8 above and below.
bool sliderPointInside(double width, double height, double x, double y);
// The thumb's centre: (value - minimum) / (maximum - minimum) x (width - 230) + 115.
double sliderThumbCenter(double value, double minimum, double maximum, double width);
// The value whose thumb centre is at x, clamped to the range.
double sliderValueAt(double x, double minimum, double maximum, double width);
// Tracking starts only when the touch lies within 115 points of the thumb's centre.
bool sliderBeginsTracking(double x, double thumbCenter);

} // namespace gauge
