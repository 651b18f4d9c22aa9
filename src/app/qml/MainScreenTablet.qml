// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The main screen in the tablet layout (768 x 1024 points).
MainScreenBase {
    family: "Tablet"
}
