// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The skin chooser in the tablet layout.
ChangeColorBase {
    titleSize: 30
    nameSize: 28
    hintSize: 18
    eye: 1100
}
