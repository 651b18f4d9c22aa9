// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The skin chooser in the tablet layout.
ChangeColorBase {
    titleSize: 30
    nameSize: 28
    hintSize: 18
    eye: 1100
}
