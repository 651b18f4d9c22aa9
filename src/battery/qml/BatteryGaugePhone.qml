// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery gauge in the phone layout (skins 320 points wide).
BatteryGaugeBase {
}
