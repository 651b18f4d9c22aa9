// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery-alert section of the alarm and alert settings screen: the charge-complete switch,
// the quiet-hours switch and the two quiet-hour times with their "Set" buttons. The picker the
// buttons open is the screen's (it lies over everything); this section shows which end it edits.
Column {
    id: section
    required property AlertSettings settings
    property color tint: Theme.accent
    property int margin: 14
    property int rowHeight: 54
    property int titleSize: 17
    property int captionSize: 12
    property int timeSize: 24
    property int switchWidth: 72
    property int switchHeight: 45
    property int setWidth: 40
    property int setHeight: 17

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }

    component SwitchRow: Item {
        id: switchRow
        property string title
        property string caption
        property bool on
        signal toggled()
        width: section.width
        height: section.rowHeight
        Column {
            x: section.margin
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 3 * section.margin - section.switchWidth
            spacing: 2
            Text {
                width: parent.width
                text: switchRow.title
                color: Theme.text
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: section.titleSize
            }
            Text {
                width: parent.width
                text: switchRow.caption
                color: Theme.muted
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: section.captionSize
            }
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: section.margin - 4
            anchors.verticalCenter: parent.verticalCenter
            width: section.switchWidth
            height: section.switchHeight
            fillMode: Image.PreserveAspectFit
            smooth: true
            source: section.settings ? section.fileUrl(switchRow.on ? section.settings.switchOnImage
                                                                     : section.settings.switchOffImage)
                                     : ""
            MouseArea {
                Accessible.role: Accessible.CheckBox
                Accessible.name: switchRow.title
                Accessible.checkable: true
                Accessible.checked: switchRow.on
                anchors.fill: parent
                onClicked: switchRow.toggled()
            }
        }
        Rectangle {
            x: section.margin
            anchors.bottom: parent.bottom
            width: parent.width - section.margin
            height: 1
            color: Theme.raised
        }
    }

    component TimeBox: Rectangle {
        id: box
        property string caption
        property string time
        property bool editing
        signal setPressed()
        width: (section.width - 3 * section.margin) / 2
        height: section.rowHeight + 4
        radius: 10
        color: Theme.surface
        border.width: editing ? 2 : 1
        border.color: editing ? section.tint : Theme.line
        Behavior on border.color { ColorAnimation { duration: 150 } }
        Text {
            x: 10
            y: 7
            text: box.caption
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: section.captionSize
        }
        Text {
            x: 10
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 5
            text: box.time
            color: section.settings && section.settings.swith2 ? section.tint : Theme.muted
            font.family: Theme.font
            font.pixelSize: section.timeSize
            font.bold: true
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            width: section.setWidth
            height: section.setHeight
            smooth: true
            source: section.settings ? section.fileUrl(section.settings.offButtonImage) : ""
        }
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Set %1").arg(box.caption)
            anchors.fill: parent
            onClicked: box.setPressed()
        }
    }

    SwitchRow {
        title: qsTr("Charge complete")
        caption: qsTr("Notify when the battery is full")
        on: section.settings && section.settings.swith1
        onToggled: section.settings.notifyWhenComplete()
    }
    SwitchRow {
        title: qsTr("Quiet hours")
        caption: qsTr("No battery alerts between these times")
        on: section.settings && section.settings.swith2
        onToggled: section.settings.turnOffAlertsBetwwen()
    }
    Item {
        width: section.width
        height: section.rowHeight + 20
        Row {
            x: section.margin
            anchors.verticalCenter: parent.verticalCenter
            spacing: section.margin
            TimeBox {
                caption: qsTr("From")
                time: section.settings ? section.settings.starLbl : ""
                editing: section.settings && section.settings.timePickerVisible && section.settings.off
                onSetPressed: section.settings.startOff()
            }
            TimeBox {
                caption: qsTr("Until")
                time: section.settings ? section.settings.endLbl : ""
                editing: section.settings && section.settings.timePickerVisible && !section.settings.off
                onSetPressed: section.settings.endOff()
            }
        }
    }
}
