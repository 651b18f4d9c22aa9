// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The battery gauge in the phone layout (skins 320 points wide).
BatteryGaugeBase {
}
