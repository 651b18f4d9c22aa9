// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The quiet-hours time picker: an hour and a minute wheel on black, rising from the bottom of
// the screen. It edits the end of the quiet period that the settings say; "Done" closes it the
// way the button that opened it would.
Rectangle {
    id: picker
    required property AlertSettings settings
    property int pickerHeight: 191
    property int barHeight: 44
    property int rowHeight: 36
    property int textSize: 22
    property int titleSize: 16
    property int wheelWidth: 84
    property int margin: 14
    property color tint: Theme.accent
    readonly property bool shown: settings && settings.timePickerVisible

    height: barHeight + pickerHeight
    color: "black"
    visible: y < (parent ? parent.height : 0)
    y: shown ? parent.height - height : parent.height
    Behavior on y { NumberAnimation { duration: 250; easing.type: Easing.OutCubic } }

    // Touches on the sheet stay on the sheet.
    MouseArea { anchors.fill: parent; Accessible.ignored: true }

    Rectangle {
        width: parent.width
        height: 1
        color: Theme.line
    }
    Text {
        x: picker.margin
        height: picker.barHeight
        verticalAlignment: Text.AlignVCenter
        text: picker.settings && picker.settings.off ? qsTr("Quiet from") : qsTr("Quiet until")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: picker.titleSize
    }
    Text {
        id: done
        anchors.right: parent.right
        anchors.rightMargin: picker.margin
        height: picker.barHeight
        verticalAlignment: Text.AlignVCenter
        text: qsTr("Done")
        color: picker.tint
        font.family: Theme.font
        font.pixelSize: picker.titleSize + 1
        font.bold: true
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Done")
            anchors.fill: parent
            anchors.margins: -10
            onClicked: picker.settings.off ? picker.settings.startOff() : picker.settings.endOff()
        }
    }

    Item {
        id: wheels
        y: picker.barHeight
        width: parent.width
        height: picker.pickerHeight

        // The band of the chosen row.
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            x: picker.margin
            width: parent.width - 2 * picker.margin
            height: picker.rowHeight
            radius: 8
            color: Theme.surface
            border.color: Theme.line
            border.width: 1
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            height: parent.height
            AlarmPickerWheel {
                width: picker.wheelWidth
                height: wheels.height
                rowHeight: picker.rowHeight
                textSize: picker.textSize
                labels: Array.from({ length: 24 }, (_, i) => (i < 10 ? "0" : "") + i)
                value: picker.settings ? picker.settings.pickerHour : 0
                onPicked: index => picker.settings.selectTime(index, picker.settings.pickerMinute)
            }
            Text {
                width: 16
                height: wheels.height
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: ":"
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: picker.textSize
                font.bold: true
            }
            AlarmPickerWheel {
                width: picker.wheelWidth
                height: wheels.height
                rowHeight: picker.rowHeight
                textSize: picker.textSize
                labels: Array.from({ length: 60 }, (_, i) => (i < 10 ? "0" : "") + i)
                value: picker.settings ? picker.settings.pickerMinute : 0
                onPicked: index => picker.settings.selectTime(picker.settings.pickerHour, index)
            }
        }
    }
}
