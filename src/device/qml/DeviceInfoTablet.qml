// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The device information screen in the tablet layout.
DeviceInfoBase {
    backImage: "2_back_44x44.png"
    backWidth: 44
    backHeight: 44
    rowHeight: 50
    captionSize: 20
    valueSize: 20
    margin: 32
}
