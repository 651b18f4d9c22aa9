// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The network screen in the phone layout.
NetworkBase {
    prefix: "1_"
    ringSize: 150
    ringWidth: 20
    textSize: 13
    rowHeight: 22
    margin: 12
}
