// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Shapes
import Powerdeck

// The skin chooser: the five skins on a ring that turns to bring one to the front, the colour
// knob below it, back and apply. Geometry, pictures and angles come from the controller; the
// view draws, animates the ring and passes the touches on.
Rectangle {
    id: chooser
    required property ChangeColorController screen
    required property AppState app
    property int titleSize: 22
    property int nameSize: 20
    property int hintSize: 13
    // How far the eye stands in front of the ring, for its perspective.
    property real eye: 600
    color: Theme.ink

    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        y: chooser.screen.backRect.y + chooser.screen.backRect.height / 2 - height / 2
        text: qsTr("Skin and colour")
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: chooser.titleSize
    }

    // The ring of skins. position is the item at the front, fractional while it turns.
    Item {
        id: carousel
        x: chooser.screen.carouselRect.x
        y: chooser.screen.carouselRect.y
        width: chooser.screen.carouselRect.width
        height: chooser.screen.carouselRect.height
        readonly property int count: chooser.screen.items.length
        readonly property real step: chooser.screen.arc / count
        property real position: chooser.screen.currentIndex
        property real dragStart: 0
        property real positionAtPress: 0

        function wrapped(d) {
            if (!chooser.screen.wrap)
                return d
            const n = count
            return ((d + n / 2) % n + n) % n - n / 2
        }
        function settle(target) {
            turn.stop()
            turn.from = position
            turn.to = target
            turn.start()
        }
        NumberAnimation {
            id: turn
            target: carousel
            property: "position"
            duration: 300
            easing.type: Easing.OutCubic
            onFinished: {
                const n = carousel.count
                const index = ((Math.round(carousel.position) % n) + n) % n
                carousel.position = index
                chooser.screen.carouselCurrentItemIndexDidChange(index)
            }
        }

        Repeater {
            model: chooser.screen.items
            Image {
                id: item
                required property int index
                required property string modelData
                readonly property real angle: carousel.wrapped(index - carousel.position) * carousel.step
                readonly property real depth: chooser.screen.radius * (Math.cos(angle) - 1)
                readonly property real perspective: chooser.eye / (chooser.eye - depth)
                readonly property real offset: Math.abs(carousel.wrapped(index - carousel.position))
                width: chooser.screen.itemWidth
                height: chooser.screen.itemHeight
                x: carousel.width / 2 - width / 2 + chooser.screen.radius * Math.sin(angle) * perspective
                y: carousel.height / 2 - height / 2
                z: depth
                scale: perspective
                // Items behind the ring's side are dimmed; beyond the fade offset they vanish.
                opacity: chooser.screen.fadeMax >= 0 && offset > chooser.screen.fadeMax
                         ? 0 : (Math.cos(angle) >= 0 ? 1 : 0.5)
                source: modelData
                fillMode: Image.PreserveAspectFit
                smooth: true
                asynchronous: false
            }
        }

        MouseArea {
            Accessible.role: Accessible.Slider
            Accessible.name: qsTr("Skin: %1").arg(chooser.screen.typeOfBatteryLbl)
            anchors.fill: parent
            enabled: !chooser.screen.applying
            onPressed: mouse => {
                turn.stop()
                carousel.dragStart = mouse.x
                carousel.positionAtPress = carousel.position
            }
            onPositionChanged: mouse => {
                carousel.position = carousel.positionAtPress
                        - (mouse.x - carousel.dragStart) / (chooser.screen.itemWidth * 0.8)
            }
            onReleased: mouse => {
                const moved = Math.abs(mouse.x - carousel.dragStart)
                if (moved < 8) {
                    // A tap on a side item brings it to the front.
                    const side = mouse.x < width / 3 ? -1 : (mouse.x > width * 2 / 3 ? 1 : 0)
                    carousel.settle(Math.round(carousel.position) + side)
                } else {
                    carousel.settle(Math.round(carousel.position))
                }
            }
        }
        Connections {
            target: chooser.screen
            function onCurrentIndexChanged() {
                if (!turn.running && Math.round(carousel.position) !== chooser.screen.currentIndex)
                    carousel.position = chooser.screen.currentIndex
            }
        }
    }

    Text {
        id: skinName
        anchors.horizontalCenter: parent.horizontalCenter
        y: chooser.screen.carouselRect.y + chooser.screen.carouselRect.height + 2
        text: chooser.screen.typeOfBatteryLbl
        color: Theme.accent
        font.family: Theme.font
        font.pixelSize: chooser.nameSize
    }

    // rotatingTimb: a dial with the colour circle; turning it shifts every colour's hue.
    Item {
        id: rotatingTimb
        x: chooser.screen.knobRect.x
        y: chooser.screen.knobRect.y
        width: chooser.screen.knobRect.width
        height: chooser.screen.knobRect.height
        rotation: chooser.screen.imageAngle

        Shape {
            anchors.fill: parent
            ShapePath {
                strokeWidth: -1
                fillGradient: ConicalGradient {
                    centerX: rotatingTimb.width / 2
                    centerY: rotatingTimb.height / 2
                    angle: 90
                    GradientStop { position: 0.0; color: "#ff3030" }
                    GradientStop { position: 0.1667; color: "#ff30ff" }
                    GradientStop { position: 0.3333; color: "#3030ff" }
                    GradientStop { position: 0.5; color: "#30ffff" }
                    GradientStop { position: 0.6667; color: "#30ff30" }
                    GradientStop { position: 0.8333; color: "#ffff30" }
                    GradientStop { position: 1.0; color: "#ff3030" }
                }
                PathAngleArc {
                    centerX: rotatingTimb.width / 2
                    centerY: rotatingTimb.height / 2
                    radiusX: rotatingTimb.width / 2
                    radiusY: rotatingTimb.height / 2
                    startAngle: 0
                    sweepAngle: 360
                }
            }
        }
        Rectangle {
            anchors.centerIn: parent
            width: parent.width * 0.72
            height: width
            radius: width / 2
            color: Theme.surface
            border.color: Theme.line
            border.width: 2
        }
        // The pointer at the top of the dial.
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            y: parent.height * 0.17
            width: Math.max(4, parent.width * 0.035)
            height: parent.height * 0.16
            radius: width / 2
            color: Theme.text
        }
        Rectangle {
            anchors.centerIn: parent
            width: parent.width * 0.18
            height: width
            radius: width / 2
            color: Theme.raised
            border.color: Theme.line
        }
    }

    Text {
        anchors.horizontalCenter: rotatingTimb.horizontalCenter
        y: rotatingTimb.y + rotatingTimb.height + 2
        text: qsTr("Colour %1°").arg(Math.round(chooser.screen.imageAngle))
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: chooser.hintSize
    }

    // touchView: one finger on the dial's ring turns it.
    MultiPointTouchArea {
        Accessible.role: Accessible.Dial
        Accessible.name: qsTr("Colour knob")
        x: rotatingTimb.x
        y: rotatingTimb.y
        width: rotatingTimb.width
        height: rotatingTimb.height
        maximumTouchPoints: 2
        mouseEnabled: true
        enabled: !chooser.screen.applying
        property int fingers: 0
        property int fingerId: -1
        onPressed: touchPoints => {
            for (const p of touchPoints) {
                fingers += 1
                if (fingerId < 0)
                    fingerId = p.pointId
                const at = mapToItem(chooser, p.x, p.y)
                chooser.screen.touchBegan(at.x, at.y, fingers)
            }
        }
        onUpdated: touchPoints => {
            for (const p of touchPoints) {
                if (p.pointId !== fingerId)
                    continue
                const at = mapToItem(chooser, p.x, p.y)
                chooser.screen.touchMoved(at.x, at.y)
            }
        }
        onReleased: touchPoints => {
            fingers = Math.max(0, fingers - touchPoints.length)
            if (fingers === 0) {
                fingerId = -1
                chooser.screen.touchEnded()
            }
        }
        onCanceled: {
            fingers = 0
            fingerId = -1
            chooser.screen.touchCancelled()
        }
    }

    Image {
        id: back
        x: chooser.screen.backRect.x
        y: chooser.screen.backRect.y
        width: chooser.screen.backRect.width
        height: chooser.screen.backRect.height
        source: chooser.screen.backImage
        opacity: chooser.screen.applying ? 0.4 : 1
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Back")
            anchors.fill: parent
            enabled: !chooser.screen.applying
            onClicked: chooser.screen.actionBack()
        }
    }

    Image {
        id: apply
        x: chooser.screen.applyRect.x
        y: chooser.screen.applyRect.y
        width: chooser.screen.applyRect.width
        height: chooser.screen.applyRect.height
        source: chooser.screen.applyImage
        opacity: chooser.screen.applying ? 0.4 : 1
        scale: applyArea.pressed ? 0.95 : 1
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Apply")
            id: applyArea
            anchors.fill: parent
            enabled: !chooser.screen.applying
            onClicked: chooser.screen.setColor()
        }
    }

    // While the pictures are tinted: the dimmed screen, the turning arc and the share done.
    LoadingOverlay {
        id: busyOverlay
        anchors.fill: parent
        z: 10
        shown: chooser.screen.busy
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.verticalCenter: parent.verticalCenter
            anchors.verticalCenterOffset: 48
            text: chooser.screen.progressText
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: chooser.nameSize
        }
    }
}
