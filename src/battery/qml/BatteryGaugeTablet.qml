// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The battery gauge in the tablet layout (skins 768 points wide).
BatteryGaugeBase {
}
