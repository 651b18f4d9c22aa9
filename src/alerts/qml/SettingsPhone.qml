// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The settings menu in the phone layout, above the open wheel.
SettingsBase {
    // Both rows sit above the wheel's drawer (its top at 330 on the 480-point phone).
    buttonWidth: 80
    buttonHeight: 72
    rowGap: 10
    switchTop: 222
    switchWidth: 70
    switchHeight: 44
    motionGap: 10
}
