// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A plain row of page buttons for the drawer, used where no wheel is built.
Rectangle {
    id: dots
    property QtObject controller
    color: Theme.surface
    radius: 18
    Row {
        anchors.centerIn: parent
        spacing: 6
        Repeater {
            model: dots.controller ? dots.controller.pageTitles : []
            Rectangle {
                width: (dots.width - 48) / 6
                height: 36
                radius: 18
                color: dots.controller.currentPage === index ? Theme.accent : Theme.raised
                Text {
                    anchors.centerIn: parent
                    width: parent.width - 6
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: modelData
                    font.family: Theme.font
                    font.pixelSize: 11
                    color: dots.controller.currentPage === index ? Theme.ink : Theme.text
                }
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: modelData
                    anchors.fill: parent
                    onClicked: dots.controller.gotoView(index)
                }
            }
        }
    }
}
