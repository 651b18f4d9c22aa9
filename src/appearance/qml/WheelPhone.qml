// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The navigation wheel in the phone layout: a 320-point wheel under a 150-point drawer.
WheelBase {
    alertWidth: 270
    alertTitleSize: 19
    alertMessageSize: 15
    alertButtonHeight: 46
}
