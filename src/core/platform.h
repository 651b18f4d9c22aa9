// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/folders.h"
#include "platform/systemroots.h"

#include <functional>

class BatterySource;
class NotificationCenter;
class PowerSaverSource;
class UserDefaults;

// The platform services the application object and its screens reach the system through.
// main.cpp builds the Linux ones; tests build the same graph on temporary folders and fakes.
struct Platform
{
    Folders folders;
    SystemRoots roots;
    UserDefaults &defaults;
    NotificationCenter &notifications;
    BatterySource &battery;
    // The user-interface idiom: 1 for the tablet layout, 0 for the phone layout.
    std::function<int()> idiom = [] { return 0; };
    // Screen brightness 0.0 to 1.0.
    std::function<double()> brightness = [] { return 1.0; };
    // Whether positioning is available on this system.
    std::function<bool()> locationServicesEnabled = [] { return false; };
    // The system's power saver (power-profiles-daemon); none where absent.
    PowerSaverSource *powerSaver = nullptr;
};
