// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The device information screen in the phone layout.
DeviceInfoBase {
    backImage: "1_back-4_52x47.png"
    backWidth: 52
    backHeight: 47
    rowHeight: 40
    captionSize: 14
    valueSize: 14
    margin: 12
}
