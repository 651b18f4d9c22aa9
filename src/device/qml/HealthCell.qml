// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// One row of the battery health screen: the question above, the answer between the minus and
// plus arrows (on tablets on its plate). The buttons send the row's tag to the screen.
Item {
    id: cell
    required property var cellData
    required property HealthController screen
    property int questionSize: 14
    property int answerSize: 20
    property real arrowWidth: 26
    property real arrowHeight: 40
    property real plateWidth: 100
    property real plateHeight: 34
    property real margin: 12

    Rectangle {
        anchors.fill: parent
        color: cell.cellData.tag % 2 === 0 ? Theme.ink : Theme.surface
    }

    Text {
        id: descriptionLbl
        x: cell.margin
        y: 6
        width: cell.width - 2 * cell.margin
        text: cell.cellData.descriptionLbl
        color: Theme.muted
        wrapMode: Text.Wrap
        maximumLineCount: 2
        font.family: Theme.font
        font.pixelSize: cell.questionSize
    }

    Item {
        id: answer
        anchors.right: parent.right
        anchors.rightMargin: cell.margin
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 4
        width: cell.cellData.buttonsShown ? 2 * cell.arrowWidth + cell.plateWidth + 16
                                          : cell.width - 2 * cell.margin
        height: cell.arrowHeight

        Image {
            id: minusBtn
            visible: cell.cellData.buttonsShown
            width: cell.arrowWidth
            height: cell.arrowHeight
            source: cell.screen.minusImage
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Less")
                anchors.fill: parent
                anchors.margins: -6
                onClicked: cell.screen.changeValOfLblminus(cell.cellData.tag)
            }
        }
        Image {
            id: labelBaza
            visible: cell.cellData.plateShown
            anchors.centerIn: parent
            width: cell.plateWidth
            height: cell.plateHeight
            source: cell.screen.plateImage
        }
        Text {
            id: valueLbl
            anchors.fill: parent
            anchors.leftMargin: cell.cellData.buttonsShown ? cell.arrowWidth : 0
            anchors.rightMargin: cell.cellData.buttonsShown ? cell.arrowWidth : 0
            horizontalAlignment: cell.cellData.buttonsShown ? Text.AlignHCenter : Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            text: cell.cellData.valueLbl
            color: Theme.text
            elide: Text.ElideRight
            font.family: Theme.font
            font.pixelSize: cell.answerSize
        }
        Image {
            id: plusBtn
            visible: cell.cellData.buttonsShown
            anchors.right: parent.right
            width: cell.arrowWidth
            height: cell.arrowHeight
            source: cell.screen.plusImage
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("More")
                anchors.fill: parent
                anchors.margins: -6
                onClicked: cell.screen.changeValOfLblplus(cell.cellData.tag)
            }
        }
    }
}
