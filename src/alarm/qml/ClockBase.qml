// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The bedside clock: the time and date inside the seconds hand's dial, the current weather above
// it, the back and settings buttons, and the time left to full charge. A vertical drag with two
// fingers, the mouse wheel or the Up and Down keys dim or brighten the screen; where the backlight
// cannot be set, a dark veil does it. Closing the clock gives the screen its brightness back.
// The settings button opens the alarm and alert settings screen over the clock. The family files
// give the sizes and places.
Rectangle {
    id: clock
    required property BudilinikController screen
    required property AppState app
    readonly property color tint: screen && screen.alarmScreen ? screen.alarmScreen.tintColor
                                                               : Theme.accent

    // The family's background pictures, top to bottom.
    function backgroundImage(index) {
        return clock.screen ? clock.screen.backgroundImages[index] : ""
    }

    property int margin: 10
    property int backWidth: 52
    property int backHeight: 47
    property int settingsWidth: 29
    property int settingsHeight: 30
    property int faceWidth: 320
    property int faceHeight: 331
    property int faceY: 170
    property int secSize: 195
    property int dateSize: 15
    property int cityWidth: 95
    property int cityHeight: 22
    property int citySize: 14
    property int iconSize: 48
    property int currentTempSize: 34
    property int rangeSize: 14
    property int thermometerWidth: 10
    property int thermometerHeight: 18
    property int weatherY: 58
    property int weatherWidth: width
    property int chargeSize: 14

    color: Theme.ink

    // The backdrop; the family files place its pieces.
    default property alias backdrop: backdropSlot.data
    Item {
        id: backdropSlot
        anchors.fill: parent
    }

    // The two-finger brightness drag; the buttons above it keep their taps.
    MultiPointTouchArea {
        id: touch
        anchors.fill: parent
        mouseEnabled: false
        maximumTouchPoints: 2
        touchPoints: [
            TouchPoint { id: first },
            TouchPoint { id: second }
        ]
        readonly property int down: (first.pressed ? 1 : 0) + (second.pressed ? 1 : 0)
        onPressed: clock.screen.touchesBegan(first.x, first.y, down)
        onUpdated: clock.screen.touchesMoved(first.x, first.y, down)
        onReleased: if (down < 2) clock.screen.touchesEnded()
    }
    // The mouse wheel steps the brightness as the drag does (the Up and Down keys too).
    MouseArea {
        objectName: "brightnessWheel"
        anchors.fill: parent
        acceptedButtons: Qt.NoButton
        onWheel: wheel => clock.screen.brightnessWheel(wheel.angleDelta.y)
    }

    Item {
        id: face
        width: clock.faceWidth
        height: clock.faceHeight
        anchors.horizontalCenter: parent.horizontalCenter
        y: clock.faceY

        Image {
            anchors.fill: parent
            source: clock.screen ? clock.screen.clockFaceImage : ""
        }
        Image {
            id: secondHand
            width: clock.secSize
            height: clock.secSize
            anchors.centerIn: parent
            source: clock.screen ? clock.screen.secImage : ""
            rotation: clock.screen ? clock.screen.secAngle : 0
            // Only the first placement turns smoothly; the ticks jump.
            Behavior on rotation {
                enabled: clock.screen && clock.screen.secAnimated
                RotationAnimation { duration: 400; direction: RotationAnimation.Clockwise }
            }
        }
        Text {
            id: timeLabel
            anchors.centerIn: parent
            anchors.verticalCenterOffset: -clock.dateSize * 0.6
            text: clock.screen ? clock.screen.currentTimeLabel : ""
            color: clock.tint
            font.family: Theme.clockFont
            font.pixelSize: clock.screen ? clock.screen.timeFontSize : 40
            Accessible.name: qsTr("Time %1").arg(text)
        }
        Text {
            id: dateLabel
            anchors.top: timeLabel.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            text: clock.screen ? clock.screen.currentDateLabel : ""
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: clock.dateSize
        }
        // NeedTimeForChearginc
        Text {
            anchors.top: dateLabel.bottom
            anchors.topMargin: clock.margin / 2
            anchors.horizontalCenter: parent.horizontalCenter
            visible: clock.screen && clock.screen.needTimeVisible
            text: clock.screen ? clock.screen.NeedTimeForChearginc : ""
            color: clock.tint
            font.family: Theme.font
            font.pixelSize: clock.chargeSize
        }
    }

    // weatherView
    Item {
        id: weatherView
        visible: clock.screen && clock.screen.weatherVisible
        width: clock.weatherWidth
        anchors.horizontalCenter: parent.horizontalCenter
        y: clock.weatherY
        height: clock.iconSize + clock.cityHeight + clock.margin

        Image {
            id: marker
            x: clock.margin * 2
            width: clock.cityWidth
            height: clock.cityHeight
            source: clock.screen ? clock.screen.locationImage : ""
        }
        Text {
            anchors.left: marker.right
            anchors.leftMargin: clock.margin / 2
            anchors.right: parent.right
            anchors.rightMargin: clock.margin * 2
            anchors.verticalCenter: marker.verticalCenter
            elide: Text.ElideRight
            text: clock.screen ? clock.screen.currentLocation : ""
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: clock.citySize
        }
        Row {
            id: now
            x: clock.margin * 2
            anchors.top: marker.bottom
            anchors.topMargin: clock.margin / 2
            spacing: clock.margin / 2
            Image {
                width: clock.iconSize
                height: clock.iconSize
                visible: source != ""
                source: clock.screen ? clock.screen.weatherImg : ""
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: clock.screen ? clock.screen.currentTemp : ""
                color: clock.tint
                font.family: Theme.font
                font.pixelSize: clock.currentTempSize
            }
        }
        Column {
            anchors.right: parent.right
            anchors.rightMargin: clock.margin * 2
            anchors.verticalCenter: now.verticalCenter
            spacing: clock.margin / 2
            Row {
                spacing: clock.margin / 2
                Image {
                    width: clock.thermometerWidth
                    height: clock.thermometerHeight
                    source: clock.screen ? clock.screen.thermometerMaxImage : ""
                }
                Text {
                    text: clock.screen ? clock.screen.maxTEmp : ""
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: clock.rangeSize
                }
            }
            Row {
                spacing: clock.margin / 2
                Image {
                    width: clock.thermometerWidth
                    height: clock.thermometerHeight
                    source: clock.screen ? clock.screen.thermometerMinImage : ""
                }
                Text {
                    text: clock.screen ? clock.screen.minimumTemp : ""
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: clock.rangeSize
                }
            }
        }
    }

    Image {
        x: clock.margin / 2
        y: clock.margin / 2
        width: clock.backWidth
        height: clock.backHeight
        source: clock.screen ? clock.screen.backImage : ""
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Back")
            anchors.fill: parent
            onClicked: clock.screen.goBAck()
        }
    }
    Image {
        anchors.right: parent.right
        anchors.rightMargin: clock.margin
        y: clock.margin / 2 + (clock.backHeight - height) / 2
        width: clock.settingsWidth
        height: clock.settingsHeight
        source: clock.screen ? clock.screen.settingsImage : ""
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Alarm and alert settings")
            anchors.fill: parent
            anchors.margins: -8
            onClicked: clock.screen.goToAlarmView()
        }
    }

    // Dims the screen where the backlight cannot be set; lets every touch through.
    Rectangle {
        anchors.fill: parent
        color: "black"
        opacity: clock.screen ? clock.screen.dimOpacity : 0
        visible: opacity > 0
    }

    // The alarm and alert settings screen, opened without animation over the clock.
    Loader {
        anchors.fill: parent
        active: clock.screen && clock.screen.alarmShown
        onActiveChanged: if (active) setSource(clock.screen.alarmView,
                                               { screen: clock.screen.alarmScreen, app: clock.app })
    }
}
