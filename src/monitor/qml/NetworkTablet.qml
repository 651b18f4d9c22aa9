// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The network screen in the tablet layout.
NetworkBase {
    prefix: "2_"
    backImage: "2_back_44x44.png"
    backWidth: 44
    backHeight: 44
    ringSize: 400
    ringWidth: 50
    textSize: 24
    rowHeight: 44
    margin: 32
}
