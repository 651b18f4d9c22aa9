// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform.h"
#include "fakebattery.h"
#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"
#include "testsupport.h"

#include <QTemporaryDir>

// The platform of a test: Documents, Library, resources and the system roots in a temporary
// folder, user defaults there too, a scripted battery, and an idiom and brightness the test sets.
struct TempPlatform
{
    // Whatever is built on this platform may start timers at once.
    bool qt = (ensureCoreApplication(), true);
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    UserDefaults defaults{dir.path() + "/defaults.plist"};
    NotificationCenter center;
    ScriptedBatterySource battery;
    int idiom = 0;
    double brightness = 1.0;
    Platform platform{
        folders,
        SystemRoots{dir.path() + "/sys", dir.path() + "/proc", dir.path() + "/upower"},
        defaults,
        center,
        battery,
        [this] { return idiom; },
        [this] { return brightness; }};
};
