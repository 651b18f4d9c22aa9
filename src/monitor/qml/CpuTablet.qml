// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The processor screen in the tablet layout.
CpuBase {
    prefix: "2_"
    backImage: "2_back_44x44.png"
    backWidth: 44
    backHeight: 44
    titleSize: 34
    figureSize: 44
    captionSize: 18
    rowHeight: 52
    iconSize: 36
    chartHeight: 300
    margin: 24
}
