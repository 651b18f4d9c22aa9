// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery summary panel, below the strip of the battery page where the gauge shows through:
// the charge and the standby time, the five status buttons, and a card holding the status tip
// and the details button. Texts, states, pictures and the tip's alpha come from the controller;
// the family files place things.
Item {
    id: panel
    required property BottomController controller
    required property AppState app
    // The main screen, which opens the full-screen screens.
    required property ViewController main

    // Placement, in points of the page.
    property real margin: 12
    property real readoutTop: 8
    property int percentSize: 38
    property int timeSize: 26
    property int captionSize: 11
    // The draw goes under the standby time, or where there is more room, under its caption.
    property bool drawUnderCaption: false
    property real drawGap: -4
    property real buttonsTop: 76
    property real buttonWidth: 54
    property real buttonHeight: 58
    property real cardTop: 140
    property real cardHeight: 56
    property real tipY: 2
    property real tipWidth: 300
    property real tipHeight: 52
    property real detailsY: 8
    property real detailsWidth: 132
    property real detailsHeight: 40
    property real cardRadius: 14
    // Where the tip has a place of its own, say what goes there until a button is touched.
    property bool showTipHint: true
    property int hintSize: 14

    // The page under the gauge: opaque from the panel's top edge down, with a soft edge of the
    // accent where the gauge ends.
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

    // Charge and standby time.
    Text {
        id: chargeCaption
        x: panel.margin
        y: panel.readoutTop
        text: qsTr("CHARGE")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: panel.captionSize
        font.letterSpacing: 1
    }
    Text {
        id: procentsLabel
        x: panel.margin
        anchors.top: chargeCaption.bottom
        text: panel.controller.procentsLabel
        color: Theme.accent
        font.family: Theme.font
        font.pixelSize: panel.percentSize
        font.bold: true
    }
    Text {
        id: timeCaption
        anchors.right: parent.right
        anchors.rightMargin: panel.margin
        y: panel.readoutTop
        text: qsTr("STANDBY TIME LEFT")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: panel.captionSize
        font.letterSpacing: 1
    }
    Text {
        id: timeLabel
        anchors.right: parent.right
        anchors.rightMargin: panel.margin
        anchors.baseline: procentsLabel.baseline
        text: panel.controller.TimeLabel
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: panel.timeSize
    }
    // The draw the standby time is worked out from.
    Text {
        anchors.right: parent.right
        anchors.rightMargin: panel.margin
        anchors.top: panel.drawUnderCaption ? timeCaption.bottom : timeLabel.bottom
        anchors.topMargin: panel.drawGap
        visible: text !== ""
        text: panel.controller.drawLabel
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: panel.captionSize
    }

    // The status buttons, spread evenly across the page.
    Repeater {
        model: panel.controller.buttons
        Image {
            id: entry
            required property var modelData
            required property int index
            readonly property real gap: (panel.width - 5 * panel.buttonWidth) / 6
            x: gap + index * (panel.buttonWidth + gap)
            y: panel.buttonsTop
            width: panel.buttonWidth
            height: panel.buttonHeight
            source: modelData.image
            smooth: true
            mipmap: true
            scale: press.pressed ? 0.94 : 1
            Behavior on scale { NumberAnimation { duration: 80 } }
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: entry.modelData.name
                id: press
                anchors.fill: parent
                onClicked: panel.controller.setTips(entry.modelData.tag)
            }
        }
    }

    // The card with the tip and the details button.
    Item {
        id: card
        y: panel.cardTop
        width: panel.width
        height: panel.cardHeight

        Image {
            anchors.fill: parent
            visible: panel.controller.pernaImage !== ""
            source: panel.controller.pernaImage
        }
        Rectangle {
            x: panel.margin / 2
            width: parent.width - panel.margin
            height: parent.height
            visible: panel.controller.pernaImage === ""
            radius: panel.cardRadius
            color: Theme.surface
            border.color: Theme.line
            border.width: 1
            Rectangle {
                anchors.horizontalCenter: parent.horizontalCenter
                width: parent.width * 0.3
                height: 2
                color: Theme.accentDeep
            }
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: panel.tipY + (panel.tipHeight - height) / 2
            visible: panel.showTipHint && panel.controller.miniTipsImage === ""
            text: qsTr("Touch a button above for a tip on saving power")
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: panel.hintSize
        }

        Image {
            id: detailsBTN
            anchors.horizontalCenter: parent.horizontalCenter
            y: panel.detailsY
            width: panel.detailsWidth
            height: panel.detailsHeight
            source: panel.controller.detailsImage
            smooth: true
            mipmap: true
            opacity: panel.controller.detailsEnabled ? 1 : 0.4
            scale: details.pressed ? 0.96 : 1
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Details")
                id: details
                anchors.fill: parent
                enabled: panel.controller.detailsEnabled
                onClicked: panel.controller.gotoDetails()
            }
        }

        Image {
            id: miniTips
            anchors.horizontalCenter: parent.horizontalCenter
            y: panel.tipY
            width: panel.tipWidth
            height: panel.tipHeight
            source: panel.controller.miniTipsImage
            smooth: true
            mipmap: true
            opacity: 0
            visible: opacity > 0
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Close tip")
                anchors.fill: parent
                onClicked: panel.controller.hideMiniTips()
            }
        }
    }

    NumberAnimation {
        id: fadeIn
        target: miniTips
        property: "opacity"
        from: 0
        to: 1
        duration: panel.controller.miniTipsFadeInMs
    }
    NumberAnimation {
        id: fadeOut
        target: miniTips
        property: "opacity"
        to: 0
        duration: panel.controller.miniTipsFadeOutMs
    }
    Connections {
        target: panel.controller
        function onMiniTipsFadeIn() {
            fadeOut.stop()
            fadeIn.restart()
        }
        function onMiniTipsFadeOut() {
            fadeIn.stop()
            fadeOut.restart()
        }
    }
    Component.onCompleted: miniTips.opacity = controller.miniTipsOpacity
}
