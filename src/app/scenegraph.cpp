// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scenegraph.h"

#include <QDir>
#include <QQuickWindow>
#include <QStringList>

namespace scenegraph {

namespace {

bool hasGpuNode(const QString &devRoot)
{
    const QDir dev(devRoot);
    if (!dev.entryList({QStringLiteral("nvidia[0-9]*"), QStringLiteral("kgsl-3d*"),
                        QStringLiteral("mali*"), QStringLiteral("galcore"),
                        QStringLiteral("pvr_sync")},
                       QDir::System | QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
             .isEmpty())
        return true;
    return !QDir(devRoot + QStringLiteral("/dri"))
                .entryList({QStringLiteral("card*"), QStringLiteral("renderD*")},
                           QDir::System | QDir::Files | QDir::NoDotAndDotDot)
                .isEmpty();
}

bool truthy(const QString &value)
{
    const QString v = value.trimmed().toLower();
    return v == QLatin1String("1") || v == QLatin1String("true") || v == QLatin1String("yes");
}

QString processEnv(const char *name)
{
    return qEnvironmentVariable(name);
}

// This process's choice, made on first use: its environment and /dev do not change meanwhile.
Backend processChoice()
{
    static const Backend chosen = choose(processEnv, QStringLiteral("/dev"));
    return chosen;
}

} // namespace

Backend choose(const std::function<QString(const char *)> &env, const QString &devRoot)
{
    if (!env("QT_QUICK_BACKEND").isEmpty() || !env("QSG_RHI_BACKEND").isEmpty())
        return Backend::Default;
    const QString gallium = env("GALLIUM_DRIVER").trimmed().toLower();
    if (truthy(env("LIBGL_ALWAYS_SOFTWARE")) || gallium == QLatin1String("llvmpipe") ||
        gallium == QLatin1String("softpipe"))
        return Backend::Software;
    return hasGpuNode(devRoot) ? Backend::Default : Backend::Software;
}

QList<std::pair<const char *, QByteArray>>
softwareFramePath(const std::function<QString(const char *)> &env, Backend chosen)
{
    const QString quick = env("QT_QUICK_BACKEND").trimmed().toLower();
    const bool software = quick == QLatin1String("software") ||
                          quick == QLatin1String("softwarecontext") || chosen == Backend::Software;
    if (!software)
        return {};
    QList<std::pair<const char *, QByteArray>> settings;
    for (const auto &[name, value] :
         {std::pair{"QT_QPA_UPDATE_IDLE_TIME", "0"}, std::pair{"QT_XCB_NO_MITSHM", "1"}})
        if (env(name).isEmpty())
            settings.append({name, QByteArray(value)});
    return settings;
}

void prepareFramePath()
{
    for (const auto &[name, value] : softwareFramePath(processEnv, processChoice()))
        qputenv(name, value);
}

void applyOnce()
{
    static bool applied = false;
    if (applied)
        return;
    applied = true;
    if (processChoice() == Backend::Software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace scenegraph
