// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The network screen in the phone layout.
NetworkBase {
    prefix: "1_"
    ringSize: 110
    ringWidth: 16
    textSize: 13
    rowHeight: 18
    margin: 12
}
