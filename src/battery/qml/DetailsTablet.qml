// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The activity list in the tablet layout: every row fits without scrolling.
DetailsBase {
    backWidth: 44
    backHeight: 44
    titleSize: 30
    rowHeight: 53
    labelSize: 20
    timeSize: 20
    barHeight: 8
    margin: 40
}
