// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery health screen in the tablet layout.
HealthBase {
    backWidth: 44
    backHeight: 44
    rowHeight: 96
    titleSize: 30
    questionSize: 22
    answerSize: 28
    wearSize: 20
    margin: 32
}
