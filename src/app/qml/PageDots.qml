// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// A plain row of page buttons for the drawer, used where no wheel is built.
Rectangle {
    id: dots
    required property ViewController controller
    color: Theme.surface
    radius: 18
    Row {
        anchors.centerIn: parent
        spacing: 6
        Repeater {
            model: dots.controller ? dots.controller.pageTitles : []
            Rectangle {
                id: entry
                required property string modelData
                required property int index
                width: (dots.width - 48) / 6
                height: 36
                radius: 18
                color: dots.controller.currentPage === entry.index ? Theme.accent : Theme.raised
                Text {
                    anchors.centerIn: parent
                    width: parent.width - 6
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: entry.modelData
                    font.family: Theme.font
                    font.pixelSize: 11
                    color: dots.controller.currentPage === entry.index ? Theme.ink : Theme.text
                }
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: entry.modelData
                    anchors.fill: parent
                    onClicked: dots.controller.gotoView(entry.index)
                }
            }
        }
    }
}
