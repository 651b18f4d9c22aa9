// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery health screen in the phone layout.
HealthBase {
    backWidth: 52
    backHeight: 47
    rowHeight: 64
    questionSize: 13
    answerSize: 19
}
