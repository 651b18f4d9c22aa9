// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The settings menu in the tablet layout, on its backdrop and above the open wheel.
SettingsBase {
    titleTop: 60
    titleSize: 40
    captionSize: 22
    gridTop: 180
    buttonWidth: 86
    buttonHeight: 84
    rowGap: 60
    columnGap: 200
    switchTop: 480
    switchWidth: 112
    switchHeight: 63
    margin: 120
}
