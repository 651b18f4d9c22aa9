// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The main screen in the phone layout (320 x 480 or 568 points).
MainScreenBase {
    family: "Phone"
}
