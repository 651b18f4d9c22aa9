// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The top bar of a monitor detail screen: the back button, the title and a hairline.
Item {
    id: bar
    required property AppState app
    property string title
    property string backImage
    property int backWidth: 52
    property int backHeight: 47
    property int textSize: 14
    property int margin: 16
    signal back()
    width: parent ? parent.width : 0
    height: backHeight + 20

    Image {
        x: bar.margin / 2
        anchors.verticalCenter: parent.verticalCenter
        width: bar.backWidth
        height: bar.backHeight
        source: bar.app ? bar.app.libraryImage(bar.backImage) : ""
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Back")
            anchors.fill: parent
            onClicked: bar.back()
        }
    }
    Text {
        anchors.centerIn: parent
        text: bar.title
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: bar.textSize + 8
    }
    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: Theme.line
    }
}
