// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The navigation wheel in the tablet layout: a 768-point wheel under a 240-point drawer.
WheelBase {
    alertWidth: 400
    alertTitleSize: 28
    alertMessageSize: 22
    alertButtonHeight: 66
}
