// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The memory screen in the phone layout.
MemoryBase {
    prefix: "1_"
    ringSize: 150
    ringWidth: 13
    ringGap: 3
    textSize: 14
    rowHeight: 19
    margin: 12
}
