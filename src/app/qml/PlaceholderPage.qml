// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// A page whose screen is not part of this build yet: its title on the page background.
Item {
    id: page
    property string title

    Text {
        id: heading
        anchors.horizontalCenter: parent.horizontalCenter
        y: 36
        text: page.title
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: 26
    }
    Rectangle {
        anchors.top: heading.bottom
        anchors.topMargin: 8
        anchors.horizontalCenter: parent.horizontalCenter
        width: 48
        height: 3
        radius: 1.5
        color: Theme.accent
    }
}
