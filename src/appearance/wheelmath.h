// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The navigation wheel's arithmetic: how finger movement becomes angle steps, how far the wheel
// may turn, and which page a released wheel settles on. Plain functions of their inputs.
namespace wheelmath {

struct Point
{
    double x = 0;
    double y = 0;
};

// The ring in which finger movement turns the wheel, in the touch view's coordinates.
struct Ring
{
    Point mid;
    double innerRadius = 0;
    double outerRadius = 0;
};

// The ring of a wheel picture with this frame: centred on it, from a third of its radius out to
// its edge.
Ring ringForFrame(double x, double y, double width, double height);

// True when p lies within the ring, both edges included.
bool insideRing(const Ring &ring, Point p);

// A step of more than half a turn is the short way round the other direction: 350 is -10.
float wrapStep(float degrees);

// The turn, in degrees, from the previous finger point to the current one about mid; positive
// is clockwise on screen (y grows downwards). Already wrapped to [-180, 180].
float rotationStep(Point mid, Point previous, Point current);

// The limits of a turn; they are not symmetric.
constexpr float kUpperLimit = 47.0f;
constexpr float kUpperTrigger = 47.01f;
constexpr float kLowerLimit = -47.9f;
// The angle after adding a step: beyond the upper trigger it stops at the upper limit, below the
// lower limit it stops there.
float clampAngle(float degrees);

// Pages the wheel can point at, numbered as the main screen numbers its pages.
enum Page {
    Tips = 0,
    Calendar = 1,
    Battery = 2,
    Charging = 3,
    Settings = 4,
    ActivityMonitor = 5,
};

// The page whose sector holds a rotation with this sine, or none when the sine falls into one
// of the narrow gaps between sectors (or outside all of them). All bounds are exclusive.
std::optional<int> pageForSine(double sine);

// The sine a view's rotation transform carries for an angle in degrees.
double sineOfDegrees(float degrees);

// The wheel's resting angle for a page (tips ... settings), in degrees and in the radians the
// rotation is applied with. The monitor page has no angle: the wheel does not turn for it.
std::optional<float> pageAngleDegrees(int page);
std::optional<double> pageAngleRadians(int page);

// The picture that marks the selected page, phone or tablet set; empty for other pages.
const char *highlightImage(int page, bool tablet);

} // namespace wheelmath
