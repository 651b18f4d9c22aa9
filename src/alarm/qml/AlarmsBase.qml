// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The alarm and alert settings screen: the alarm list with its "Add alarm" button, the
// battery-alert section and the clock's weather settings, under a back button that saves the
// alert settings and closes the screen. The editor, the quiet-hours picker and the weather panel
// open over it. The family files give the sizes.
Rectangle {
    id: page
    required property AlarmViewController screen
    required property AppState app
    readonly property AlertSettings settings: screen ? screen.alertSettings : null
    readonly property AlarmNewViewController alarm: screen ? screen.alarm : null
    readonly property color tint: screen ? screen.tintColor : Theme.accent

    property int margin: 14
    property int backWidth: 52
    property int backHeight: 47
    property int titleSize: 22
    property int sectionSize: 13
    property int textSize: 16
    property int captionSize: 12
    property int timeSize: 32
    property int quietTimeSize: 24
    property int rowHeight: 56
    property int addWidth: 92
    property int addHeight: 28
    property int switchWidth: 72
    property int switchHeight: 45
    property int setWidth: 40
    property int setHeight: 17
    property int changeWidth: 53
    property int changeHeight: 25
    property int deleteWidth: 84
    property int pickerRowHeight: 36
    property int pickerTextSize: 22
    // The editor: the whole screen on a phone, a card on a tablet.
    property int editorWidth: width
    property int editorHeight: height
    property int editorRadius: 0
    property int editorHeaderHeight: 56
    property int editorLabelSize: 24
    property int editorRowHeight: 48
    property int dayWheelWidth: 150
    property int numberWheelWidth: 64
    property int doneWidth: 62
    property int doneHeight: 25
    property int dayButtonWidth: 28
    property int dayButtonHeight: 25
    property int checkSize: 25
    property int panelRowHeight: 40

    // A row that is a kind of alarm: deleting is the list's only editing style.
    readonly property int editingStyleDelete: 1

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }

    color: Theme.ink
    Component.onCompleted: if (screen) screen.viewDidAppear()

    component SectionHeader: Item {
        id: sectionHeader
        property string title
        default property alias extra: extraSlot.data
        width: page.width
        height: page.rowHeight * 0.8
        Text {
            x: page.margin
            anchors.bottom: parent.bottom
            anchors.bottomMargin: page.margin * 0.5
            text: sectionHeader.title.toUpperCase()
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: page.sectionSize
            font.letterSpacing: 1.5
            font.bold: true
        }
        Item {
            id: extraSlot
            anchors.fill: parent
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    component ValueRow: Rectangle {
        id: valueRow
        property string title
        property string value
        property bool valueMuted: false
        signal changePressed()
        width: page.width
        height: page.rowHeight
        color: Theme.ink
        Text {
            x: page.margin
            anchors.verticalCenter: parent.verticalCenter
            text: valueRow.title
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: page.textSize + 1
        }
        Text {
            anchors.right: changeBtn.left
            anchors.rightMargin: page.margin
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width * 0.42
            horizontalAlignment: Text.AlignRight
            elide: Text.ElideRight
            text: valueRow.value
            color: valueRow.valueMuted ? Theme.muted : page.tint
            font.family: Theme.font
            font.pixelSize: page.textSize + 1
        }
        Image {
            id: changeBtn
            anchors.right: parent.right
            anchors.rightMargin: page.margin
            anchors.verticalCenter: parent.verticalCenter
            width: page.changeWidth
            height: page.changeHeight
            smooth: true
            source: page.settings ? page.fileUrl(page.settings.changeButtonImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Change %1").arg(valueRow.title)
                anchors.fill: parent
                anchors.margins: -8
                onClicked: valueRow.changePressed()
            }
        }
        Rectangle {
            x: page.margin
            anchors.bottom: parent.bottom
            width: parent.width - page.margin
            height: 1
            color: Theme.raised
        }
    }

    Item {
        id: header
        width: parent.width
        height: page.backHeight + 20
        z: 1
        Rectangle {
            anchors.fill: parent
            color: Theme.ink
        }
        Image {
            id: backBtn
            x: page.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: page.backWidth
            height: page.backHeight
            source: page.settings ? page.fileUrl(page.settings.backImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: page.screen.goBack()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Alarms & alerts")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: page.titleSize
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    Flickable {
        id: scroll
        anchors.top: header.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        flickableDirection: Flickable.VerticalFlick
        boundsBehavior: Flickable.StopAtBounds
        // Room below the content for the picker, so the times it edits can scroll above it.
        contentHeight: content.height + page.margin + (picker.shown ? picker.height : 0)
        Behavior on contentY {
            enabled: !scroll.moving
            NumberAnimation { duration: 250; easing.type: Easing.OutCubic }
        }

        Column {
            id: content
            width: scroll.width

            SectionHeader {
                title: qsTr("Alarms")
                Image {
                    id: addBtn
                    anchors.right: parent.right
                    anchors.rightMargin: page.margin
                    anchors.verticalCenter: parent.verticalCenter
                    width: page.addWidth
                    height: page.addHeight
                    smooth: true
                    source: page.screen ? page.fileUrl(page.screen.addBtnImage) : ""
                    MouseArea {
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Add alarm")
                        anchors.fill: parent
                        anchors.margins: -6
                        onClicked: page.screen.addNewAlarm()
                    }
                }
            }

            Item {
                id: emptyList
                width: page.width
                height: page.rowHeight * 1.5
                visible: page.screen && page.screen.rowCount === 0
                Column {
                    anchors.centerIn: parent
                    spacing: 4
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: qsTr("No alarms")
                        color: Theme.text
                        font.family: Theme.font
                        font.pixelSize: page.textSize + 2
                    }
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: qsTr("Tap Add alarm to be woken at a set time")
                        color: Theme.muted
                        font.family: Theme.font
                        font.pixelSize: page.captionSize + 1
                    }
                }
            }

            Repeater {
                id: myTableView
                model: page.screen ? page.screen.cells : []
                AlarmCellView {
                    required property int index
                    required property AlarmCell modelData
                    cell: modelData
                    width: page.width
                    height: page.rowHeight
                    tint: page.tint
                    margin: page.margin
                    timeSize: page.timeSize
                    captionSize: page.captionSize
                    switchWidth: page.switchWidth
                    switchHeight: page.switchHeight
                    deleteWidth: page.deleteWidth
                    onDeleteRequested: page.screen.commitEditingStyle(page.editingStyleDelete, index)
                }
            }

            SectionHeader {
                title: qsTr("Battery alerts")
            }
            AlertSettingsSection {
                id: alerts
                width: page.width
                settings: page.settings
                tint: page.tint
                margin: page.margin
                rowHeight: page.rowHeight
                titleSize: page.textSize + 1
                captionSize: page.captionSize
                timeSize: page.quietTimeSize
                switchWidth: page.switchWidth
                switchHeight: page.switchHeight
                setWidth: page.setWidth
                setHeight: page.setHeight
            }

            SectionHeader {
                title: qsTr("Clock & weather")
            }
            ValueRow {
                id: currentLocationBtn
                title: qsTr("Location")
                value: page.settings && page.settings.CurLocation !== "" ? page.settings.CurLocation
                                                                          : qsTr("Not set")
                valueMuted: !page.settings || page.settings.CurLocation === ""
                onChangePressed: page.settings.ChangeLocation()
            }
            ValueRow {
                id: changeTempBTN
                title: qsTr("Temperature")
                value: page.settings ? page.settings.tempFormatLbl : ""
                onChangePressed: page.settings.ChangeFromCelsiusToFarengeit()
            }
        }
    }

    // The quiet-hours picker; when it rises the times it edits scroll clear of it.
    AlertTimePicker {
        id: picker
        width: parent.width
        z: 2
        settings: page.settings
        tint: page.tint
        margin: page.margin
        rowHeight: page.pickerRowHeight
        textSize: page.pickerTextSize
        titleSize: page.textSize
        wheelWidth: page.numberWheelWidth + 20
        pickerHeight: page.alarm ? page.alarm.pickerHeight : 191
        onShownChanged: {
            if (!shown)
                return
            const bottom = alerts.y + alerts.height - scroll.contentY
            const visibleHeight = scroll.height - height
            if (bottom > visibleHeight)
                scroll.contentY += bottom - visibleHeight
        }
    }

    AlarmWeatherPanel {
        width: parent.width
        height: parent.height
        z: 3
        settings: page.settings
        weather: page.screen ? page.screen.weather : null
        app: page.app
        tint: page.tint
        rowHeight: page.rowHeight
        captionSize: page.captionSize
        changeWidth: page.changeWidth
        changeHeight: page.changeHeight
        backWidth: page.backWidth
        backHeight: page.backHeight
        titleSize: page.titleSize
        textSize: page.textSize
        margin: page.margin
    }

    // The editor rises over the screen, which dims behind it.
    Rectangle {
        anchors.fill: parent
        z: 4
        color: "black"
        opacity: editor.shown ? 0.7 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 250 } }
        MouseArea { anchors.fill: parent; Accessible.ignored: true }
    }
    AlarmEditor {
        id: editor
        z: 5
        width: page.editorWidth
        height: page.editorHeight
        x: (page.width - width) / 2
        y: shown ? (page.height - height) / 2 : page.height
        visible: y < page.height
        radius: page.editorRadius
        Behavior on y { NumberAnimation { duration: 280; easing.type: Easing.OutCubic } }
        alarm: page.alarm
        tint: page.tint
        margin: page.margin
        headerHeight: page.editorHeaderHeight
        titleSize: page.titleSize - 2
        labelSize: page.editorLabelSize
        textSize: page.textSize
        captionSize: page.captionSize
        rowHeight: page.editorRowHeight
        wheelRowHeight: page.pickerRowHeight
        wheelTextSize: page.pickerTextSize - 2
        dayWheelWidth: page.dayWheelWidth
        numberWheelWidth: page.numberWheelWidth
        doneWidth: page.doneWidth
        doneHeight: page.doneHeight
        changeWidth: page.changeWidth
        changeHeight: page.changeHeight
        dayButtonWidth: page.dayButtonWidth
        dayButtonHeight: page.dayButtonHeight
        checkSize: page.checkSize
        panelRowHeight: page.panelRowHeight
    }
}
