// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The system monitor page in the phone layout; the tall screen lowers the figure by 40 points.
SysMonitorBase {
    tileImages: ["1_Cpu_146x150.png", "1_memroy_146x150.png", "1_Disk_146x150.png",
                 "1_network_146x150.png"]
    swatchPrefix: "1_"
    spacing: 6
    bottomTop: tilesTop + 2 * tileHeight + spacing + 4
               + (controller && controller.screenHeight >= 568 ? 40 : 0)
}
