// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery health screen: the five rows of the questionnaire, the picture its score chooses,
// and, apart from it, what the battery's own gauge measures. A one-button alert says when an
// answer is at its end.
Rectangle {
    id: health
    required property HealthController screen
    required property AppState app
    property real backWidth: 52
    property real backHeight: 47
    property real rowHeight: 66
    property int titleSize: 21
    property int questionSize: 14
    property int answerSize: 20
    property int wearSize: 14
    property real plateWidth: 100
    property real plateHeight: 34
    property real margin: 12
    color: Theme.ink

    Item {
        id: header
        width: parent.width
        height: health.backHeight + 16
        Image {
            x: health.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: health.backWidth
            height: health.backHeight
            source: health.screen.backImage
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: health.screen.goBack()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Battery health")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: health.titleSize
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    Flickable {
        anchors.top: header.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        contentHeight: body.height + health.margin
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: body
            width: parent.width

            Repeater {
                model: health.screen.rows
                HealthCell {
                    required property var modelData
                    cellData: modelData
                    screen: health.screen
                    width: body.width
                    height: health.rowHeight
                    questionSize: health.questionSize
                    answerSize: health.answerSize
                    plateWidth: health.plateWidth
                    plateHeight: health.plateHeight
                    margin: health.margin
                }
            }

            Item {
                width: parent.width
                height: 124
                Image {
                    anchors.centerIn: parent
                    width: 284
                    height: 100
                    source: health.screen.healthStatusImg
                }
            }

            // The gauge's own figures: a measurement, not part of the score above.
            Item {
                width: parent.width
                height: health.screen.wearRows.length > 0 ? wearColumn.height + 2 * health.margin : 0
                visible: health.screen.wearRows.length > 0
                Rectangle {
                    x: health.margin
                    y: health.margin / 2
                    width: parent.width - 2 * health.margin
                    height: parent.height - health.margin
                    radius: 10
                    color: Theme.surface
                    border.color: Theme.line
                }
                Column {
                    id: wearColumn
                    x: 2 * health.margin
                    y: health.margin
                    width: parent.width - 4 * health.margin
                    spacing: 4
                    Text {
                        text: health.screen.wearCaption
                        color: Theme.accent
                        font.family: Theme.font
                        font.pixelSize: health.wearSize
                        font.capitalization: Font.AllUppercase
                        font.letterSpacing: 1
                    }
                    Repeater {
                        model: health.screen.wearRows
                        Item {
                            id: entry
                            required property var modelData
                            width: wearColumn.width
                            height: health.wearSize * 1.6
                            Text {
                                text: entry.modelData.name
                                color: Theme.muted
                                font.family: Theme.font
                                font.pixelSize: health.wearSize
                            }
                            Text {
                                anchors.right: parent.right
                                text: entry.modelData.value
                                color: Theme.text
                                font.family: Theme.font
                                font.pixelSize: health.wearSize
                            }
                        }
                    }
                }
            }
        }
    }

    // "This is minimum value!" / "This is maximum value!"
    Item {
        anchors.fill: parent
        visible: health.screen.alertVisible
        z: 10
        Rectangle {
            anchors.fill: parent
            color: Theme.ink
            opacity: 0.72
        }
        MouseArea {
            Accessible.ignored: true
            anchors.fill: parent
        }
        Rectangle {
            anchors.centerIn: parent
            width: 270
            height: alertTitle.height + 48 + 36
            radius: 14
            color: Theme.surface
            border.color: Theme.line
            Text {
                id: alertTitle
                y: 22
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: health.screen.alertTitle
                color: Theme.text
                font.family: Theme.font
                font.bold: true
                font.pixelSize: 18
            }
            Rectangle {
                y: parent.height - 48
                width: parent.width
                height: 1
                color: Theme.line
            }
            Text {
                y: parent.height - 47
                width: parent.width
                height: 46
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: health.screen.alertButton
                color: Theme.accent
                font.family: Theme.font
                font.pixelSize: 18
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: health.screen.alertButton
                    anchors.fill: parent
                    onClicked: health.screen.dismissAlert()
                }
            }
        }
    }
}
