// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The alarm editor (AlarmNewViewController) over the alarm screen: the date-and-time picker,
// the repeat days, the sound and the vibration, with Cancel and Done. The day panel and the
// sound list rise over its lower part.
Rectangle {
    id: editor
    required property AlarmNewViewController alarm
    property color tint: Theme.accent
    property int margin: 14
    property int headerHeight: 56
    property int titleSize: 20
    property int labelSize: 24
    property int textSize: 16
    property int captionSize: 12
    property int rowHeight: 48
    property int wheelRowHeight: 36
    property int wheelTextSize: 20
    property int dayWheelWidth: 150
    property int numberWheelWidth: 64
    property int doneWidth: 62
    property int doneHeight: 25
    property int changeWidth: 53
    property int changeHeight: 25
    property int dayButtonWidth: 28
    property int dayButtonHeight: 25
    property int checkSize: 25
    property int panelRowHeight: 40
    readonly property bool shown: alarm && alarm.shown

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }

    color: Theme.ink
    clip: true

    // The editor takes every touch while it is up.
    MouseArea { anchors.fill: parent; Accessible.ignored: true }

    Item {
        id: header
        width: parent.width
        height: editor.headerHeight
        Text {
            x: editor.margin
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            text: qsTr("Cancel")
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: editor.textSize
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Cancel")
                anchors.fill: parent
                anchors.margins: -10
                onClicked: editor.alarm.cancel()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("New alarm")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: editor.titleSize
        }
        Image {
            anchors.right: parent.right
            anchors.rightMargin: editor.margin
            anchors.verticalCenter: parent.verticalCenter
            width: editor.doneWidth
            height: editor.doneHeight
            smooth: true
            source: editor.alarm ? editor.fileUrl(editor.alarm.doneImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Save")
                anchors.fill: parent
                anchors.margins: -6
                onClicked: editor.alarm.save()
            }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    Text {
        id: timeLabel
        anchors.top: header.bottom
        anchors.topMargin: editor.margin * 0.6
        anchors.horizontalCenter: parent.horizontalCenter
        text: editor.alarm ? editor.alarm.timeLabel : ""
        color: editor.tint
        font.family: editor.alarm ? editor.alarm.fontFamily : Theme.font
        font.pixelSize: editor.labelSize
        font.bold: true
    }

    // The date-and-time picker: day, hour and minute wheels on black.
    Rectangle {
        id: myDatePicker
        anchors.top: timeLabel.bottom
        anchors.topMargin: editor.margin * 0.6
        width: parent.width
        height: editor.alarm ? editor.alarm.pickerHeight : 191
        color: editor.alarm ? editor.alarm.pickerBackground : "black"
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            x: editor.margin
            width: parent.width - 2 * editor.margin
            height: editor.wheelRowHeight
            radius: 8
            color: Theme.surface
            border.color: Theme.line
            border.width: 1
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            height: parent.height
            spacing: 4
            AlarmPickerWheel {
                width: editor.dayWheelWidth
                height: myDatePicker.height
                rowHeight: editor.wheelRowHeight
                textSize: editor.wheelTextSize
                alignment: Text.AlignRight
                labels: editor.alarm ? editor.alarm.pickerDays : []
                value: editor.alarm ? editor.alarm.pickerDayIndex : 0
                onPicked: index => editor.alarm.pickDate(index, editor.alarm.pickerHour,
                                                         editor.alarm.pickerMinute)
            }
            AlarmPickerWheel {
                width: editor.numberWheelWidth
                height: myDatePicker.height
                rowHeight: editor.wheelRowHeight
                textSize: editor.wheelTextSize
                labels: Array.from({ length: 24 }, (_, i) => (i < 10 ? "0" : "") + i)
                value: editor.alarm ? editor.alarm.pickerHour : 0
                onPicked: index => editor.alarm.pickDate(editor.alarm.pickerDayIndex, index,
                                                         editor.alarm.pickerMinute)
            }
            AlarmPickerWheel {
                width: editor.numberWheelWidth
                height: myDatePicker.height
                rowHeight: editor.wheelRowHeight
                textSize: editor.wheelTextSize
                objectName: "minuteWheel"
                labels: Array.from({ length: 60 }, (_, i) => (i < 10 ? "0" : "") + i)
                value: editor.alarm ? editor.alarm.pickerMinute : 0
                onPicked: index => editor.alarm.pickDate(editor.alarm.pickerDayIndex,
                                                         editor.alarm.pickerHour, index)
            }
        }
    }

    component SettingRow: Rectangle {
        id: setting
        property string title
        property bool shaded: false
        default property alias content: slot.data
        width: editor.width
        height: editor.rowHeight
        color: shaded ? Theme.surface : Theme.ink
        Text {
            x: editor.margin
            anchors.verticalCenter: parent.verticalCenter
            text: setting.title
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: editor.textSize
        }
        Item {
            id: slot
            anchors.fill: parent
        }
    }

    Column {
        id: settings
        anchors.top: myDatePicker.bottom
        anchors.topMargin: editor.margin * 0.5
        width: parent.width

        SettingRow {
            title: qsTr("Repeat")
            Row {
                id: dayLBL
                anchors.right: selectDateBtn.left
                anchors.rightMargin: editor.margin * 0.6
                anchors.verticalCenter: parent.verticalCenter
                spacing: editor.margin * 0.4
                Repeater {
                    model: editor.alarm ? editor.alarm.dayLBL : []
                    Text {
                        required property int index
                        required property string modelData
                        text: modelData
                        color: editor.alarm && editor.alarm.dayLabelHighlighted[index] ? editor.tint
                                                                                       : Theme.muted
                        font.family: Theme.font
                        font.pixelSize: editor.captionSize + 1
                        font.bold: editor.alarm && editor.alarm.dayLabelHighlighted[index]
                    }
                }
            }
            Image {
                id: selectDateBtn
                anchors.right: parent.right
                anchors.rightMargin: editor.margin
                anchors.verticalCenter: parent.verticalCenter
                width: editor.dayButtonWidth
                height: editor.dayButtonHeight
                smooth: true
                source: editor.alarm ? editor.fileUrl(editor.alarm.dayPanelImage) : ""
            }
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Repeat")
                anchors.fill: parent
                onClicked: editor.alarm.addDayView()
            }
        }
        SettingRow {
            title: qsTr("Sound")
            shaded: true
            Text {
                id: musicLbl
                anchors.right: musicBtn.left
                anchors.rightMargin: editor.margin
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width * 0.45
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideMiddle
                text: editor.alarm ? editor.alarm.musicLbl : ""
                color: editor.tint
                font.family: editor.alarm ? editor.alarm.fontFamily : Theme.font
                font.pixelSize: editor.textSize
            }
            Image {
                id: musicBtn
                anchors.right: parent.right
                anchors.rightMargin: editor.margin
                anchors.verticalCenter: parent.verticalCenter
                width: editor.changeWidth
                height: editor.changeHeight
                smooth: true
                source: editor.alarm ? editor.fileUrl(editor.alarm.changeImage) : ""
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: qsTr("Change sound")
                    anchors.fill: parent
                    anchors.margins: -8
                    onClicked: editor.alarm.selectMusic()
                }
            }
        }
        SettingRow {
            title: qsTr("Vibration")
            Text {
                anchors.right: vibroBtn.left
                anchors.rightMargin: editor.margin
                anchors.verticalCenter: parent.verticalCenter
                text: editor.alarm ? editor.alarm.vibratingStateLabel : ""
                color: editor.tint
                font.family: editor.alarm ? editor.alarm.fontFamily : Theme.font
                font.pixelSize: editor.textSize
            }
            Image {
                id: vibroBtn
                anchors.right: parent.right
                anchors.rightMargin: editor.margin
                anchors.verticalCenter: parent.verticalCenter
                width: editor.changeWidth
                height: editor.changeHeight
                smooth: true
                source: editor.alarm ? editor.fileUrl(editor.alarm.changeImage) : ""
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: qsTr("Vibrate")
                    anchors.fill: parent
                    anchors.margins: -8
                    onClicked: editor.alarm.toggleVibrating()
                }
            }
        }
        Item {
            width: editor.width
            height: editor.rowHeight + editor.margin
            visible: editor.alarm && editor.alarm.removeAlarmEnabled
            Rectangle {
                anchors.centerIn: parent
                width: parent.width * 0.6
                height: editor.rowHeight * 0.8
                radius: height / 2
                color: Theme.surface
                border.color: Theme.line
                Text {
                    anchors.centerIn: parent
                    text: qsTr("Remove alarm")
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: editor.textSize
                }
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: qsTr("Delete alarm")
                    anchors.fill: parent
                    onClicked: editor.alarm.removeAlarmAction()
                }
            }
        }
    }

    // Behind the panels: the editor dims.
    Rectangle {
        anchors.fill: parent
        color: "black"
        opacity: dayView.up || musicView.up ? 0.6 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 200 } }
        MouseArea { anchors.fill: parent; Accessible.ignored: true }
    }

    component Panel: Rectangle {
        id: panel
        property string title
        property bool up
        property alias headerRight: headerSlot.data
        default property alias content: body.data
        width: editor.width
        height: editor.headerHeight + body.height + editor.margin
        radius: 16
        color: Theme.surface
        y: up ? editor.height - height + radius : editor.height
        visible: y < editor.height
        Behavior on y { NumberAnimation { duration: 250; easing.type: Easing.OutCubic } }
        MouseArea { anchors.fill: parent; Accessible.ignored: true }
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 8
            width: 40
            height: 4
            radius: 2
            color: Theme.line
        }
        Text {
            x: editor.margin
            height: editor.headerHeight
            verticalAlignment: Text.AlignVCenter
            text: panel.title
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: editor.titleSize
        }
        Item {
            id: headerSlot
            anchors.right: parent.right
            anchors.rightMargin: editor.margin
            width: childrenRect.width
            height: editor.headerHeight
        }
        Column {
            id: body
            y: editor.headerHeight
            width: parent.width
        }
    }

    // DayView: one check per day, Sunday first; Done closes it and colours the day labels.
    Panel {
        id: dayView
        title: qsTr("Repeat on")
        up: editor.alarm && editor.alarm.dayViewVisible
        headerRight: Image {
            anchors.verticalCenter: parent.verticalCenter
            width: editor.doneWidth
            height: editor.doneHeight
            smooth: true
            source: editor.alarm ? editor.fileUrl(editor.alarm.doneImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Done")
                anchors.fill: parent
                anchors.margins: -6
                onClicked: editor.alarm.removeDAyView()
            }
        }
        Repeater {
            model: editor.alarm ? editor.alarm.dayLBL : []
            Rectangle {
                id: dayRow
                required property int index
                required property string modelData
                readonly property bool selected: editor.alarm && editor.alarm.daysOfWeek[index]
                width: editor.width
                height: editor.panelRowHeight
                color: index % 2 === 0 ? Theme.raised : Theme.surface
                Text {
                    x: editor.margin
                    anchors.verticalCenter: parent.verticalCenter
                    text: dayRow.modelData
                    color: dayRow.selected ? Theme.text : Theme.muted
                    font.family: Theme.font
                    font.pixelSize: editor.textSize
                }
                Image {
                    anchors.right: parent.right
                    anchors.rightMargin: editor.margin
                    anchors.verticalCenter: parent.verticalCenter
                    width: editor.checkSize
                    height: editor.checkSize
                    smooth: true
                    source: editor.alarm ? editor.fileUrl(dayRow.selected ? editor.alarm.dayOnImage
                                                                          : editor.alarm.dayOffImage)
                                         : ""
                }
                MouseArea {
                    Accessible.role: Accessible.CheckBox
                    Accessible.name: qsTr("Repeat on %1").arg(dayRow.modelData)
                    Accessible.checkable: true
                    Accessible.checked: dayRow.selected
                    anchors.fill: parent
                    onClicked: editor.alarm.toggleDay(dayRow.index)
                }
            }
        }
    }

    // musicView: the sounds shipped with the application; choosing one closes the list.
    Panel {
        id: musicView
        title: qsTr("Sound")
        up: editor.alarm && editor.alarm.musicViewVisible
        ListView {
            id: musicTAbb
            width: editor.width
            height: Math.max(1, Math.min(count, 6)) * editor.panelRowHeight
            clip: true
            interactive: count > 6
            model: editor.alarm ? editor.alarm.musicCells : []
            delegate: MusicCellView {
                required property int index
                required property MusicCell modelData
                cell: modelData
                width: musicTAbb.width
                height: editor.panelRowHeight
                margin: editor.margin
                textSize: editor.textSize
                checkSize: editor.checkSize
                shaded: index % 2 === 1
                chosen: editor.alarm && modelData.musicLbl === editor.alarm.musicLbl
                checkImage: editor.alarm ? editor.fileUrl(editor.alarm.dayOnImage) : ""
                onSelected: editor.alarm.didSelectRow(index)
            }
            Text {
                anchors.centerIn: parent
                visible: musicTAbb.count === 0
                text: qsTr("No sounds installed")
                color: Theme.muted
                font.family: Theme.font
                font.pixelSize: editor.textSize
            }
        }
    }
}
