// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "appearance/changecolorcontroller.h"

bool ViewController::showChangeColor()
{
    auto screen = std::make_unique<ChangeColorController>(m_app, m_tablet, m_screenHeight);
    presentScreen(std::move(screen), "ChangeColor", Wheel::Hidden);
    return true;
}
