// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "alarm/budilinikcontroller.h"

bool ViewController::showClock()
{
    auto screen = std::make_unique<BudilinikController>(m_app, m_tablet);
    presentScreen(std::move(screen), "Clock", Wheel::Hidden);
    return true;
}
