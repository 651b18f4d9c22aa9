// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// One row of the alarm list (AlarmCell): the alarm's time in the highlight colour and its on/off
// switch. Swiping the row to the left uncovers "Delete".
Item {
    id: row
    required property AlarmCell cell
    property color tint: Theme.accent
    property int margin: 14
    property int timeSize: 32
    property int captionSize: 12
    property int switchWidth: 72
    property int switchHeight: 45
    property int deleteWidth: 84
    property bool shaded: false
    signal deleteRequested()

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }
    function close() { content.x = 0 }

    clip: true

    // Behind the row: the delete button it uncovers.
    Rectangle {
        anchors.right: parent.right
        width: row.deleteWidth
        height: parent.height
        color: Theme.raised
        opacity: content.x < 0 ? 1 : 0
        Text {
            anchors.centerIn: parent
            text: qsTr("Delete")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: row.captionSize + 3
            font.bold: true
        }
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Delete alarm")
            anchors.fill: parent
            enabled: content.x < -row.deleteWidth / 2
            onClicked: {
                row.close()
                row.deleteRequested()
            }
        }
    }

    Rectangle {
        id: content
        width: row.width
        height: row.height
        color: row.shaded ? Theme.surface : Theme.ink
        Behavior on x {
            enabled: !swipe.drag.active
            NumberAnimation { duration: 180; easing.type: Easing.OutCubic }
        }

        MouseArea {
            Accessible.role: Accessible.ListItem
            Accessible.name: qsTr("Alarm %1").arg(row.cell ? row.cell.timeLbl : "")
            id: swipe
            anchors.fill: parent
            drag.target: content
            drag.axis: Drag.XAxis
            drag.minimumX: -row.deleteWidth
            drag.maximumX: 0
            drag.filterChildren: false
            onReleased: content.x = content.x < -row.deleteWidth / 2 ? -row.deleteWidth : 0
            onClicked: row.close()
        }

        Text {
            id: time
            x: row.margin
            anchors.verticalCenter: parent.verticalCenter
            text: row.cell ? row.cell.timeLbl : ""
            color: row.cell && row.cell.switchSelected ? row.tint : Theme.muted
            font.family: row.cell ? row.cell.fontFamily : Theme.font
            font.pixelSize: row.timeSize
            font.bold: true
            Behavior on color { ColorAnimation { duration: 150 } }
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: row.margin - 4
            anchors.verticalCenter: parent.verticalCenter
            width: row.switchWidth
            height: row.switchHeight
            fillMode: Image.PreserveAspectFit
            smooth: true
            source: row.cell ? row.fileUrl(row.cell.switchImage) : ""
            MouseArea {
                Accessible.role: Accessible.CheckBox
                Accessible.name: qsTr("Alarm on")
                Accessible.checkable: true
                Accessible.checked: row.cell ? row.cell.switchSelected : false
                anchors.fill: parent
                onClicked: row.cell.touchSwitch()
            }
        }
        Rectangle {
            x: row.margin
            anchors.bottom: parent.bottom
            width: parent.width - row.margin
            height: 1
            color: Theme.raised
        }
    }
}
