// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// Shown while a page or screen is being prepared: a dimmed screen with a turning arc.
Item {
    id: overlay
    property bool shown: false
    visible: opacity > 0
    opacity: shown ? 1 : 0
    Behavior on opacity { NumberAnimation { duration: 150 } }

    Rectangle {
        anchors.fill: parent
        color: "#b30d0d0d"
    }
    MouseArea { anchors.fill: parent; Accessible.ignored: true }
    Item {
        id: spinner
        width: 44
        height: 44
        anchors.centerIn: parent
        Repeater {
            model: 8
            Rectangle {
                id: tick
                required property int index
                width: 4
                height: 12
                radius: 2
                color: Theme.accent
                opacity: 0.25 + 0.75 * index / 7
                x: spinner.width / 2 - width / 2
                y: 0
                transform: Rotation {
                    origin.x: 2
                    origin.y: spinner.height / 2
                    angle: tick.index * 45
                }
            }
        }
        RotationAnimation on rotation {
            running: overlay.visible
            from: 0
            to: 360
            duration: 900
            loops: Animation.Infinite
        }
    }
}
