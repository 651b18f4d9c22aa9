// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The charging monitor in the phone layout: a fill bar that slides in from the left inside its
// frame, and three stage icons below it.
ChargingBase {
    id: phone
    readonly property real barLeft: 18
    percentSize: 32
    noteSize: 12

    Image {
        // Decoration of the tall screen, below the controls.
        y: phone.sleepTop + phone.sleepHeight - phone.stagesTop - 24
        width: 320
        height: 240
        visible: source !== ""
        source: phone.controller.pernaImage
        opacity: 0.5
    }

    // The bar: the fill slides under a window the size of the frame, at the frame's place.
    Item {
        id: window
        x: phone.barLeft
        y: 28 - phone.stagesTop
        width: 204
        height: 35
        clip: true
        Image {
            id: padlojkaIMG
            x: phone.controller.padlojkaX - phone.barLeft
            width: 300
            height: 35
            source: phone.controller.padlojkaImage
        }
    }
    Image {
        id: topFillImg
        x: phone.barLeft
        y: window.y
        width: 204
        height: 35
        source: phone.controller.topFillImage
    }
    NumberAnimation {
        id: slide
        target: padlojkaIMG
        property: "x"
        duration: phone.controller.slideMs
        easing.type: Easing.OutCubic
    }
    Connections {
        target: phone.controller
        function onStagesChanged() {
            const x = phone.controller.padlojkaX - phone.barLeft
            slide.stop()
            if (phone.controller.padlojkaSlides) {
                slide.to = x
                slide.start()
            } else {
                padlojkaIMG.x = x
            }
        }
    }

    Row {
        x: phone.margin
        spacing: 8
        Repeater {
            model: [
                { icon: phone.controller.etap1, name: qsTr("Fast") },
                { icon: phone.controller.etap2, name: qsTr("Trickle") },
                { icon: phone.controller.etap3, name: qsTr("Full") }
            ]
            Column {
                id: entry
                required property var modelData
                width: 64
                spacing: 2
                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 30
                    height: 34
                    source: entry.modelData.icon
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: entry.modelData.name
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: 13
                }
            }
        }
    }
    Text {
        // The platform's own word for how it charges.
        anchors.right: parent.right
        anchors.rightMargin: phone.margin
        y: 10
        visible: text !== ""
        text: phone.controller.chargeTypeLbl
        color: Theme.accentLight
        font.family: Theme.font
        font.pixelSize: 14
    }
}
