// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The charging monitor page, below the strip where the gauge shows through: the level, the
// battery's charge limit, the stages (drawn by the family files into `stages`), the low-battery
// alert switch and the sleep button. Texts, pictures and positions come from the controller.
Item {
    id: page
    required property CarchingViewController controller
    required property AppState app
    // The main screen, which opens the full-screen screens.
    required property ViewController main

    // Placement, in points of the page.
    property real margin: 18
    property int captionSize: 11
    property int percentSize: 38
    property int noteSize: 13
    property real percentRight: margin
    property real percentTop: 26
    property real stagesTop: 74
    property real stagesHeight: 56
    property real switchLabelX: margin
    property real switchLabelTop: 140
    property real switchX: width - margin - switchWidth
    property real switchTop: 142
    property real switchWidth: 76
    property real switchHeight: 48
    property real sleepX: margin
    property real sleepTop: 158
    property real sleepWidth: 150
    property real sleepHeight: 32
    // What the family files draw the stages into.
    default property alias stages: stageArea.data

    Rectangle {
        width: parent.width
        height: parent.height
        color: Theme.ink
    }
    Rectangle {
        width: parent.width
        height: 1
        color: Theme.line
    }
    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width * 0.3
        height: 2
        color: Theme.accentDeep
    }

    Text {
        x: page.margin
        y: 8
        text: qsTr("CHARGING")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: page.captionSize
        font.letterSpacing: 1
    }
    Text {
        id: procentsLbl
        anchors.right: parent.right
        anchors.rightMargin: page.percentRight
        y: page.percentTop
        text: page.controller.procentsLbl
        color: Theme.accent
        font.family: page.controller.fontFamily
        font.pixelSize: page.percentSize
        font.bold: true
    }
    Text {
        id: threshold
        anchors.right: procentsLbl.right
        anchors.top: procentsLbl.bottom
        visible: text !== ""
        text: page.controller.thresholdLbl
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: page.noteSize
    }
    // The measured flow in or out of the battery.
    Text {
        anchors.right: procentsLbl.right
        anchors.top: threshold.visible ? threshold.bottom : procentsLbl.bottom
        visible: text !== ""
        text: page.controller.drawLbl
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: page.noteSize
    }

    Item {
        id: stageArea
        y: page.stagesTop
        width: page.width
        height: page.stagesHeight
    }

    // The low-battery alert.
    Text {
        x: page.switchLabelX
        y: page.switchLabelTop
        text: qsTr("LOW BATTERY ALERT")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: page.captionSize
        font.letterSpacing: 1
    }
    Image {
        id: swithBTN
        x: page.switchX
        y: page.switchTop
        width: page.switchWidth
        height: page.switchHeight
        source: page.controller.switchImage
        smooth: true
        MouseArea {
            Accessible.role: Accessible.CheckBox
            Accessible.name: qsTr("Low battery alert")
            Accessible.checked: page.controller.swithBTN
            anchors.fill: parent
            onClicked: page.controller.ChargeAlert()
        }
    }

    Image {
        id: sleepBTN
        x: page.sleepX
        y: page.sleepTop
        width: page.sleepWidth
        height: page.sleepHeight
        source: page.controller.sleepImage
        smooth: true
        scale: sleep.pressed ? 0.96 : 1
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Sleep")
            id: sleep
            anchors.fill: parent
            onClicked: page.controller.gotoBudilinik()
        }
    }
}
