// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The clock in the tablet layout: one background card, larger dial, type and icons.
ClockBase {
    id: tablet
    Image {
        anchors.centerIn: parent
        width: 553
        height: 737
        source: tablet.backgroundImage(0)
    }
    margin: 30
    backWidth: 44
    backHeight: 44
    settingsWidth: 29
    settingsHeight: 29
    faceWidth: 540
    faceHeight: 504
    faceY: 370
    secSize: 388
    dateSize: 24
    cityWidth: 154
    cityHeight: 39
    citySize: 24
    iconSize: 128
    currentTempSize: 64
    rangeSize: 24
    thermometerWidth: 7
    thermometerHeight: 16
    weatherY: 170
    weatherWidth: 553
    chargeSize: 22
}
