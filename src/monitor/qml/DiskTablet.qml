// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The disk screen in the tablet layout.
DiskBase {
    prefix: "2_"
    backImage: "2_back_44x44.png"
    backWidth: 44
    backHeight: 44
    titleSize: 34
    figureSize: 44
    captionSize: 20
    ringSize: 460
    ringWidth: 48
    margin: 24
}
