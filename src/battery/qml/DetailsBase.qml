// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The activity list: a back button over one row per activity, each with its name, the time the
// charge lasts in it, and a bar against the time of audio playback. The time and the bar are
// drawn in the user's tint.
Rectangle {
    id: list
    required property DetailsViewController screen
    required property AppState app
    property int backWidth: 52
    property int backHeight: 47
    property int titleSize: 22
    property int rowHeight: 52
    property int labelSize: 16
    property int timeSize: 16
    property int barHeight: 6
    property int margin: 14
    color: Theme.ink

    Item {
        id: header
        width: parent.width
        height: list.backHeight + 20
        Image {
            x: list.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: list.backWidth
            height: list.backHeight
            source: list.screen ? list.screen.backImage : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: list.screen.goBack()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Activity times")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: list.titleSize
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    ListView {
        anchors.top: header.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: list.screen ? list.screen.rows : []
        boundsBehavior: Flickable.StopAtBounds
        delegate: Item {
            id: cell
            required property var modelData
            required property int index
            width: ListView.view.width
            height: list.rowHeight
            Rectangle {
                anchors.fill: parent
                color: cell.index % 2 === 0 ? Theme.ink : Theme.surface
            }
            Text {
                id: actionLabel
                x: list.margin
                y: (cell.height - list.barHeight) / 2 - height / 2 - 2
                width: parent.width * 0.6 - list.margin
                text: cell.modelData.actionLabel
                color: Theme.text
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: list.labelSize
            }
            Text {
                anchors.right: parent.right
                anchors.rightMargin: list.margin
                anchors.baseline: actionLabel.baseline
                text: cell.modelData.timeLabel
                color: list.screen.tintColor
                font.family: Theme.font
                font.pixelSize: list.timeSize
                font.bold: true
            }
            Rectangle {
                id: progressTime
                x: list.margin
                y: actionLabel.y + actionLabel.height + 4
                width: parent.width - 2 * list.margin
                height: list.barHeight
                radius: height / 2
                color: Theme.raised
                Item {
                    width: parent.width * cell.modelData.progressTime
                    height: parent.height
                    clip: true
                    Rectangle {
                        // A rounded pill of the tinted sample, clipped to the filled share.
                        width: progressTime.width
                        height: parent.height
                        radius: height / 2
                        color: list.screen.tintColor
                    }
                }
            }
        }
    }
}
