// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "core/appstate.h"
#include "monitor/cpu_graph.h"
#include "monitor/hddviewcontroller.h"

bool ViewController::showCpu()
{
    auto screen = std::make_unique<cpu_graph>(m_app.platform().roots, m_tablet);
    presentScreen(std::move(screen), "Cpu", Wheel::Hidden);
    return true;
}

bool ViewController::showHDD()
{
    auto screen = std::make_unique<HDDViewController>(m_app.platform().folders.documents, m_tablet);
    presentScreen(std::move(screen), "Disk", Wheel::Hidden);
    return true;
}
