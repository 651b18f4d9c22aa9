// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The main screen in the phone layout (320 x 480 or 568 points).
MainScreenBase {
    family: "Phone"
}
