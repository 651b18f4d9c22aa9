// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// One row of the editor's sound list (MusicCell): the sound's name, checked when it is the
// alarm's sound.
Rectangle {
    id: row
    required property MusicCell cell
    property int margin: 14
    property int textSize: 16
    property int checkSize: 25
    property bool shaded: false
    property bool chosen: false
    property string checkImage
    signal selected()

    color: pressArea.pressed ? Theme.line : (shaded ? Theme.surface : Theme.raised)

    Text {
        x: row.margin
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width - 3 * row.margin - row.checkSize
        elide: Text.ElideMiddle
        text: row.cell ? row.cell.musicLbl : ""
        color: row.chosen ? Theme.text : Theme.muted
        font.family: row.cell ? row.cell.fontFamily : Theme.font
        font.pixelSize: row.textSize
    }
    Image {
        anchors.right: parent.right
        anchors.rightMargin: row.margin
        anchors.verticalCenter: parent.verticalCenter
        width: row.checkSize
        height: row.checkSize
        smooth: true
        visible: row.chosen
        source: row.chosen ? row.checkImage : ""
    }
    MouseArea {
        Accessible.role: Accessible.ListItem
        Accessible.name: row.cell ? row.cell.musicLbl : qsTr("Sound")
        Accessible.selected: row.chosen
        id: pressArea
        anchors.fill: parent
        onClicked: row.selected()
    }
}
