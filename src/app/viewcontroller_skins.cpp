// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "appearance/changecolorcontroller.h"

bool ViewController::showChangeColor()
{
    auto screen = std::make_unique<ChangeColorController>(m_app, m_tablet, m_screenHeight);
    connect(screen.get(), &ChangeColorController::closeRequested, this,
            &ViewController::closePresented, Qt::QueuedConnection);
    hideWheel();
    present(std::move(screen), familyView("ChangeColor"));
    return true;
}
