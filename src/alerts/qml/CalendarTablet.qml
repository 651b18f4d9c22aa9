// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The charge calendar in the tablet layout.
CalendarBase {
    headingSize: 26
    countSize: 40
    legendX: (768 - 553) / 2
    legendY: 860
    legendWidth: 553
    legendHeight: 136
    gridPictureWidth: 768
    gridPictureHeight: 626
}
