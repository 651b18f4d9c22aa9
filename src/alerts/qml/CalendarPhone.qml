// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The charge calendar in the phone layout.
CalendarBase {
    headingSize: 16
    countSize: 22
    legendX: 0
    legendY: 380
    legendWidth: 320
    legendHeight: 96
}
