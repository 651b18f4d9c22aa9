// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <utility>

// The renderer that draws the interface.
namespace scenegraph {

enum class Backend {
    Default,  // Qt's choice: OpenGL on Linux
    Software, // Qt Quick's own raster renderer
};

// OpenGL without a graphics processor is a CPU rasterizer (Mesa's llvmpipe or softpipe), which
// costs about three times the memory and twice the start-up time of Qt Quick's software renderer
// for the same picture. So the software renderer draws when the system has no GPU device node
// under devRoot (DRM, NVIDIA, Adreno, Mali, Vivante, PowerVR), or when Mesa is told to rasterize
// in software (LIBGL_ALWAYS_SOFTWARE, GALLIUM_DRIVER). A choice made through Qt's own variables
// (QT_QUICK_BACKEND, QSG_RHI_BACKEND) is left to Qt. env returns a variable's value, empty when
// unset.
Backend choose(const std::function<QString(const char *)> &env, const QString &devRoot);

// Applies choose() for this process (its environment, /dev) before the first window is made;
// later calls do nothing.
void applyOnce();

// What the window system is told, before it starts, when Qt Quick's software renderer draws.
// Each software frame on X11 otherwise costs two wake-ups and a round trip: the window's update
// request waits in a 5 ms timer of its own (QT_QPA_UPDATE_IDLE_TIME), and the backing store waits
// for the X server to finish reading its shared-memory image before drawing into it again wherever
// the new frame overlaps the last one, which the gauge's moving parts always do
// (QT_XCB_NO_MITSHM sends the changed rectangles over the socket instead). For the electron's
// 12.5 steps a second that is a third of their cost; a frame of the whole window costs more
// without shared memory (about 1.75 ms instead of 1.0 ms on a laptop-sized window), which only
// page changes draw. Frames still come no faster than the items' animations ask for them.
// Returns the variables to set, leaving out those the environment already sets (env as for
// choose(), chosen what choose() gave); none when the default renderer draws.
QList<std::pair<const char *, QByteArray>>
softwareFramePath(const std::function<QString(const char *)> &env, Backend chosen);

// Sets softwareFramePath() for this process; called before the application object exists. The
// choice is made once for the process and also serves applyOnce().
void prepareFramePath();

} // namespace scenegraph
