// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The skin chooser in the phone layout.
ChangeColorBase {
    titleSize: 20
    nameSize: 18
    hintSize: 12
    eye: 600
}
