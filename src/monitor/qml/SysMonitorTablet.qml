// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The system monitor page in the tablet layout.
SysMonitorBase {
    tileImages: ["2_cpu-b_262x259.png", "2_memory-b_262x259.png", "2_network-b_262x259.png",
                 "2_network-b-11_262x259.png"]
    swatchPrefix: "2_"
    tileWidth: 262
    tileHeight: 259
    spacing: 24
    tilesTop: 24
    figureSize: 48
    barFullHeight: 110
    barWidth: 32
}
