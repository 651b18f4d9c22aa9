// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

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

} // namespace scenegraph
