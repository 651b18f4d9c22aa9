// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The navigation wheel: the wheel picture turned by one finger, the highlight of the page it
// stands on, the knob with its pointer, the system-monitor button, and the "full" alert. All
// geometry and every angle come from the controller; the view only draws and animates.
Item {
    id: wheel
    required property WhellController controller
    required property AppState app
    // The screen the alert dims and centres on; the wheel's own view when none is given.
    required property Item overlay
    property int alertWidth: 270
    property int alertTitleSize: 19
    property int alertMessageSize: 15
    property int alertButtonHeight: 46

    visible: controller && controller.loaded

    // The finger's ring. A second finger makes the recogniser give up until all have lifted.
    MultiPointTouchArea {
        Accessible.role: Accessible.Dial
        Accessible.name: qsTr("Navigation wheel")
        id: toachView
        x: wheel.controller.touchRect.x
        y: wheel.controller.touchRect.y
        width: wheel.controller.touchRect.width
        height: wheel.controller.touchRect.height
        maximumTouchPoints: 2
        mouseEnabled: true
        property int fingers: 0
        property int fingerId: -1

        onPressed: touchPoints => {
            for (const p of touchPoints) {
                fingers += 1
                if (fingerId < 0)
                    fingerId = p.pointId
                const at = mapToItem(wheel, p.x, p.y)
                wheel.controller.touchBegan(at.x, at.y, fingers)
            }
        }
        onUpdated: touchPoints => {
            for (const p of touchPoints) {
                if (p.pointId !== fingerId)
                    continue
                const at = mapToItem(wheel, p.x, p.y)
                wheel.controller.touchMoved(at.x, at.y)
            }
        }
        onReleased: touchPoints => {
            fingers = Math.max(0, fingers - touchPoints.length)
            if (fingers === 0) {
                fingerId = -1
                wheel.controller.touchEnded()
            }
        }
        onCanceled: touchPoints => {
            fingers = 0
            fingerId = -1
            wheel.controller.touchCancelled()
        }
    }

    Image {
        id: wheelIMG
        x: wheel.controller.wheelRect.x
        y: wheel.controller.wheelRect.y
        width: wheel.controller.wheelRect.width
        height: wheel.controller.wheelRect.height
        source: wheel.controller.wheelImage
        // Decoded on Qt Quick's image thread, as the window opens.
        asynchronous: true
        smooth: true
        antialiasing: true
        rotation: wheel.controller.displayAngle
        Behavior on rotation {
            enabled: wheel.controller.turning
            NumberAnimation { duration: wheel.controller.turnDuration; easing.type: Easing.InOutQuad }
        }
    }

    Image {
        id: activeCategoryImg
        x: wheel.controller.highlightRect.x
        y: wheel.controller.highlightRect.y
        width: wheel.controller.highlightRect.width
        height: wheel.controller.highlightRect.height
        source: wheel.controller.highlightImage
        opacity: wheel.controller.highlightVisible ? 1 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 120 } }
    }

    Image {
        id: centredIMG
        x: wheel.controller.knobRect.x
        y: wheel.controller.knobRect.y
        width: wheel.controller.knobRect.width
        height: wheel.controller.knobRect.height
        source: wheel.controller.knobImage
        asynchronous: true
    }

    Rectangle {
        id: base
        x: wheel.controller.baseRect.x
        y: wheel.controller.baseRect.y
        width: wheel.controller.baseRect.width
        height: wheel.controller.baseRect.height
        color: Theme.ink
        Rectangle {
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    Image {
        id: monitoringBTN
        x: wheel.controller.monitorRect.x
        y: wheel.controller.monitorRect.y
        width: wheel.controller.monitorRect.width
        height: wheel.controller.monitorRect.height
        source: wheel.controller.monitorImage
        scale: monitorArea.pressed ? 0.92 : 1
        Behavior on scale { NumberAnimation { duration: 80 } }
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("System monitor")
            id: monitorArea
            anchors.fill: parent
            onClicked: wheel.controller.gotoActivityMonitor()
        }
    }

    // "Device is full": a one-button alert over the whole screen.
    Item {
        id: fullAlert
        parent: wheel.overlay ? wheel.overlay : wheel
        anchors.fill: parent
        z: 100
        opacity: wheel.controller.alertVisible ? 1 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 180 } }

        Rectangle {
            anchors.fill: parent
            color: Theme.ink
            opacity: 0.72
        }
        // Swallows touches so nothing behind the alert reacts while it shows.
        MouseArea {
            Accessible.ignored: true
            anchors.fill: parent
        }

        Rectangle {
            id: card
            anchors.centerIn: parent
            width: wheel.alertWidth
            height: body.height + wheel.alertButtonHeight
            radius: 14
            color: Theme.surface
            border.color: Theme.line
            border.width: 1
            scale: wheel.controller.alertVisible ? 1 : 1.08
            Behavior on scale { NumberAnimation { duration: 180; easing.type: Easing.OutCubic } }

            Column {
                id: body
                width: parent.width
                topPadding: wheel.alertTitleSize * 1.2
                bottomPadding: wheel.alertTitleSize * 1.1
                spacing: wheel.alertMessageSize * 0.5

                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: wheel.alertTitleSize * 2.2
                    height: width
                    radius: width / 2
                    color: "transparent"
                    border.color: Theme.accent
                    border.width: 2
                    // A battery at its top mark.
                    Rectangle {
                        anchors.centerIn: parent
                        width: parent.width * 0.34
                        height: parent.height * 0.52
                        radius: 2
                        color: Theme.accent
                    }
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: parent.height * 0.24 - height
                        width: parent.width * 0.14
                        height: parent.height * 0.05
                        color: Theme.accent
                    }
                }
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: wheel.controller.alertTitle
                    color: Theme.text
                    font.family: Theme.font
                    font.bold: true
                    font.pixelSize: wheel.alertTitleSize
                }
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: wheel.controller.alertMessage
                    color: Theme.muted
                    font.family: Theme.font
                    font.pixelSize: wheel.alertMessageSize
                }
            }

            Rectangle {
                y: body.height
                width: parent.width
                height: 1
                color: Theme.line
            }
            Item {
                y: body.height + 1
                width: parent.width
                height: wheel.alertButtonHeight - 1
                Rectangle {
                    anchors.fill: parent
                    anchors.bottomMargin: 1
                    anchors.leftMargin: 1
                    anchors.rightMargin: 1
                    radius: 13
                    color: Theme.raised
                    opacity: okArea.pressed ? 1 : 0
                }
                Text {
                    anchors.centerIn: parent
                    text: wheel.controller.alertButton
                    color: Theme.accent
                    font.family: Theme.font
                    font.bold: true
                    font.pixelSize: wheel.alertTitleSize
                }
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: wheel.controller.alertButton
                    id: okArea
                    anchors.fill: parent
                    onClicked: wheel.controller.dismissAlert()
                }
            }
        }
    }
}
