// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The memory screen in the tablet layout.
MemoryBase {
    prefix: "2_"
    backImage: "2_back_44x44.png"
    backWidth: 44
    backHeight: 44
    ringSize: 380
    ringWidth: 30
    ringGap: 8
    textSize: 24
    rowHeight: 44
    margin: 32
}
