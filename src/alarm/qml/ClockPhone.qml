// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The clock in the phone layout: the upper and lower backgrounds with the dial below the weather.
ClockBase {
    id: phone
    Image {
        width: 320
        height: 204
        source: phone.backgroundImage(0)
    }
    Image {
        y: 204
        width: 320
        height: 364
        source: phone.backgroundImage(1)
    }
    faceY: height > 500 ? 190 : 146
}
