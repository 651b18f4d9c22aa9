// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "core/appstate.h"
#include "monitor/networkviewcontroller.h"
#include "monitor/ramviewcontroller.h"

bool ViewController::showRam()
{
    const Platform &p = m_app.platform();
    auto screen = std::make_unique<ramViewController>(
        p.roots.procfs.toStdString(), p.roots.sysfs.toStdString(),
        p.folders.resources + QStringLiteral("/gallery3_2256_2x.jpeg"));
    presentScreen(std::move(screen), "Memory", Wheel::Hidden);
    return true;
}

bool ViewController::showNet()
{
    const Platform &p = m_app.platform();
    auto screen = std::make_unique<netWorkViewController>(
        ActivityMonitor(p.roots.procfs.toStdString(), p.roots.sysfs.toStdString()));
    presentScreen(std::move(screen), "Network", Wheel::Hidden);
    return true;
}
