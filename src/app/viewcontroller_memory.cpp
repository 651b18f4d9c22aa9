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
    connect(screen.get(), &ramViewController::closeRequested, this, &ViewController::closePresented,
            Qt::QueuedConnection);
    hideWheel();
    present(std::move(screen), familyView("Memory"));
    return true;
}

bool ViewController::showNet()
{
    const Platform &p = m_app.platform();
    auto screen = std::make_unique<netWorkViewController>(
        ActivityMonitor(p.roots.procfs.toStdString(), p.roots.sysfs.toStdString()));
    connect(screen.get(), &netWorkViewController::closeRequested, this,
            &ViewController::closePresented, Qt::QueuedConnection);
    hideWheel();
    present(std::move(screen), familyView("Network"));
    return true;
}
