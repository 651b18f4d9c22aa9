// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The device information screen: eighteen rows of caption and value under a back button.
Rectangle {
    id: info
    required property DeviceProprietes screen
    required property AppState app
    property string backImage
    property int backWidth
    property int backHeight
    property int rowHeight: 44
    property int captionSize: 15
    property int valueSize: 15
    property int margin: 16
    color: Theme.ink

    Item {
        id: header
        width: parent.width
        height: info.backHeight + 20
        Image {
            id: back
            x: info.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: info.backWidth
            height: info.backHeight
            source: info.app ? info.app.libraryImage(info.backImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: info.screen.back()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Device info")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: info.captionSize + 7
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
        model: info.screen ? info.screen.rows : []
        boundsBehavior: Flickable.StopAtBounds
        delegate: Item {
            id: entry
            required property var modelData
            required property int index
            width: ListView.view.width
            // Long values (a processor's full name) take a second line.
            height: Math.max(info.rowHeight, valueText.implicitHeight + 16)
            Rectangle {
                anchors.fill: parent
                color: entry.index % 2 === 0 ? Theme.ink : Theme.surface
            }
            Text {
                x: info.margin
                width: parent.width * 0.42 - info.margin
                anchors.verticalCenter: parent.verticalCenter
                text: entry.modelData.name
                color: Theme.muted
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: info.captionSize
            }
            Text {
                id: valueText
                x: parent.width * 0.42
                width: parent.width * 0.58 - info.margin
                anchors.verticalCenter: parent.verticalCenter
                text: entry.modelData.value
                color: Theme.text
                horizontalAlignment: Text.AlignRight
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: info.valueSize
            }
        }
    }
}
