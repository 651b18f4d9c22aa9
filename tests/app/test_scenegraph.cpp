// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scenegraph.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

namespace {

using scenegraph::Backend;

// The renderer follows the graphics processor: software only where OpenGL could only be a CPU
// rasterizer, and never against the user's own choice.
TEST(SceneGraph, SoftwareOnlyWithoutAGraphicsProcessor)
{
    const struct
    {
        const char *name;
        QStringList nodes; // files under the device folder
        QMap<QString, QString> env;
        Backend expected;
    } cases[] = {
        {"no device at all", {}, {}, Backend::Software},
        {"only unrelated devices", {"null", "tty0", "input/event0"}, {}, Backend::Software},
        {"DRM render node", {"dri/renderD128"}, {}, Backend::Default},
        {"DRM card only", {"dri/card0"}, {}, Backend::Default},
        {"NVIDIA driver", {"nvidia0", "nvidiactl"}, {}, Backend::Default},
        {"Adreno (Android kernel)", {"kgsl-3d0"}, {}, Backend::Default},
        {"Mali (Android kernel)", {"mali0"}, {}, Backend::Default},
        {"Mesa told to rasterize",
         {"dri/renderD128"},
         {{"LIBGL_ALWAYS_SOFTWARE", "1"}},
         Backend::Software},
        {"Mesa told not to",
         {"dri/renderD128"},
         {{"LIBGL_ALWAYS_SOFTWARE", "0"}},
         Backend::Default},
        {"llvmpipe asked for",
         {"dri/renderD128"},
         {{"GALLIUM_DRIVER", "llvmpipe"}},
         Backend::Software},
        {"user's Qt Quick backend", {}, {{"QT_QUICK_BACKEND", "opengl"}}, Backend::Default},
        {"user's graphics API", {}, {{"QSG_RHI_BACKEND", "opengl"}}, Backend::Default},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dev;
        for (const QString &node : c.nodes) {
            const QString path = dev.path() + '/' + node;
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        const auto env = [&c](const char *name) { return c.env.value(QString::fromLatin1(name)); };
        EXPECT_EQ(scenegraph::choose(env, dev.path()), c.expected);
    }
}

} // namespace
