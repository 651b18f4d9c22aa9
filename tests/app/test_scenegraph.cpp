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

// Empty files standing for device nodes under root.
bool makeNodes(const QString &root, const QStringList &nodes)
{
    for (const QString &node : nodes) {
        const QString path = root + '/' + node;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

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
        ASSERT_TRUE(makeNodes(dev.path(), c.nodes));
        const auto env = [&c](const char *name) { return c.env.value(QString::fromLatin1(name)); };
        EXPECT_EQ(scenegraph::choose(env, dev.path()), c.expected);
    }
}

// The software renderer's frames skip the update timer and the shared-memory wait; the user's own
// values stay, and the default renderer is left alone.
TEST(SceneGraph, SoftwareFramePathUnlessSetAlready)
{
    using Settings = QMap<QString, QString>;
    const Settings both{{"QT_QPA_UPDATE_IDLE_TIME", "0"}, {"QT_XCB_NO_MITSHM", "1"}};
    const struct
    {
        const char *name;
        QStringList nodes;
        Settings env;
        Settings expected;
    } cases[] = {
        {"software, nothing set", {}, {}, both},
        {"graphics processor", {"dri/renderD128"}, {}, {}},
        {"software asked for beside a GPU",
         {"dri/renderD128"},
         {{"QT_QUICK_BACKEND", "software"}},
         both},
        {"user's idle time kept",
         {},
         {{"QT_QPA_UPDATE_IDLE_TIME", "16"}},
         {{"QT_XCB_NO_MITSHM", "1"}}},
        {"user's OpenGL choice", {}, {{"QT_QUICK_BACKEND", "opengl"}}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dev;
        ASSERT_TRUE(makeNodes(dev.path(), c.nodes));
        const auto env = [&c](const char *name) { return c.env.value(QString::fromLatin1(name)); };
        Settings got;
        for (const auto &[name, value] :
             scenegraph::softwareFramePath(env, scenegraph::choose(env, dev.path())))
            got.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        EXPECT_EQ(got, c.expected);
    }
}

} // namespace
