// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The colours and type of the interface, the same as the images use.
QtObject {
    readonly property color ink: "#0d0d0d"
    readonly property color surface: "#1a1a1a"
    readonly property color raised: "#262626"
    readonly property color line: "#3d3d3d"
    readonly property color muted: "#808080"
    readonly property color text: "#e8e8e8"
    readonly property color accent: "#1fd68a"
    readonly property color accentLight: "#9cf2c8"
    readonly property color accentDeep: "#0b7a4b"
    readonly property string font: "DINMittelschriftStd"
    readonly property string clockFont: "The 2K12"
}
