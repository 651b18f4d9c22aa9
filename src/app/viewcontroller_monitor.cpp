// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "core/appstate.h"
#include "monitor/cpu_graph.h"
#include "monitor/hddviewcontroller.h"

bool ViewController::showCpu()
{
    auto screen = std::make_unique<cpu_graph>(m_app.platform().roots, m_tablet);
    connect(screen.get(), &cpu_graph::closeRequested, this, &ViewController::closePresented,
            Qt::QueuedConnection);
    hideWheel();
    present(std::move(screen), familyView("Cpu"));
    return true;
}

bool ViewController::showHDD()
{
    auto screen = std::make_unique<HDDViewController>(m_app.platform().folders.documents, m_tablet);
    connect(screen.get(), &HDDViewController::closeRequested, this, &ViewController::closePresented,
            Qt::QueuedConnection);
    hideWheel();
    present(std::move(screen), familyView("Disk"));
    return true;
}
