// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The settings menu page: four buttons that open other screens, the higher-precision
// switch and the reduce-motion setting. Pictures come from the controller; the family files place things.
Item {
    id: menu
    required property SettingsViewController controller
    required property AppState app
    // The main screen, which opens the full-screen screens.
    required property ViewController main

    property real titleTop: 14
    property int titleSize: 22
    property int captionSize: 14
    property real gridTop: 56
    property real buttonWidth: 90
    property real buttonHeight: 82
    property real rowGap: 18
    property real columnGap: 70
    property real switchTop: 258
    property real switchWidth: 88
    property real switchHeight: 55
    property real motionGap: 24
    property real motionTop: switchTop + switchHeight + motionGap
    property real margin: 24

    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }
    Image {
        // The tablet's backdrop.
        anchors.fill: parent
        visible: source !== ""
        source: menu.controller.backImage
        fillMode: Image.PreserveAspectCrop
    }

    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        y: menu.titleTop
        text: qsTr("Settings")
        color: Theme.text
        font.family: menu.controller.fontFamily
        font.pixelSize: menu.titleSize
    }

    Grid {
        anchors.horizontalCenter: parent.horizontalCenter
        y: menu.gridTop
        columns: 2
        columnSpacing: menu.columnGap
        rowSpacing: menu.rowGap
        Repeater {
            model: [
                { name: qsTr("Device info"), image: menu.controller.deviceInfoImage, action: "gotoDeviceInfo" },
                { name: qsTr("Battery health"), image: menu.controller.healthImage, action: "batthealth" },
                { name: qsTr("Alerts"), image: menu.controller.alertsImage, action: "gotoAlerts" },
                { name: qsTr("Appearance"), image: menu.controller.appearanceImage, action: "gotoAppearance" }
            ]
            Item {
                id: entry
                required property var modelData
                width: menu.buttonWidth
                height: menu.buttonHeight
                Image {
                    width: menu.buttonWidth
                    height: menu.buttonHeight
                    source: entry.modelData.image
                    smooth: true
                    scale: press.pressed ? 0.94 : 1
                    MouseArea {
                        Accessible.role: Accessible.Button
                        Accessible.name: entry.modelData.name
                        id: press
                        anchors.fill: parent
                        onClicked: menu.controller[entry.modelData.action]()
                    }
                }
            }
        }
    }

    Rectangle {
        x: menu.margin / 2
        y: menu.switchTop - 6
        width: menu.width - menu.margin
        height: menu.switchHeight + 12
        radius: 12
        color: Theme.surface
        border.color: Theme.line
        Text {
            x: menu.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Higher precision")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: menu.captionSize + 4
        }
        Image {
            id: swithBTN
            anchors.right: parent.right
            anchors.rightMargin: menu.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: menu.switchWidth
            height: menu.switchHeight
            source: menu.controller.switchImage
            smooth: true
            // Where the system cannot change the mode, the switch shows it but does not move.
            opacity: menu.controller.swithEnabled ? 1 : 0.5
            MouseArea {
                Accessible.role: Accessible.CheckBox
                Accessible.name: qsTr("Higher precision")
                Accessible.checked: menu.controller.swithBTN
                anchors.fill: parent
                onClicked: menu.controller.highPrecision()
            }
        }
    }

    Rectangle {
        // "Reduce motion": automatic (on the system's power saver or a low battery), always,
        // never; a tap steps to the next.
        x: menu.margin / 2
        y: menu.motionTop - 6
        width: menu.width - menu.margin
        height: menu.switchHeight + 12
        radius: 12
        color: Theme.surface
        border.color: Theme.line
        Text {
            x: menu.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - motionValue.width - menu.margin * 1.5
            elide: Text.ElideRight
            text: qsTr("Reduce motion")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: menu.captionSize + 4
        }
        Text {
            id: motionValue
            anchors.right: parent.right
            anchors.rightMargin: menu.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            text: menu.controller.motionText
            color: Theme.accent
            font.family: Theme.font
            font.pixelSize: menu.captionSize + 4
        }
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Reduce motion") + ": " + menu.controller.motionText
            anchors.fill: parent
            onClicked: menu.controller.reduceMotion()
        }
    }
}
