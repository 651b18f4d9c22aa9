// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The disk screen: the free share and the used share as two rings that together close the
// circle, the figures beside them and the size of the file system.
Rectangle {
    id: disk
    required property HDDViewController screen
    required property AppState app
    property string prefix: "1_"
    property string backImage
    property int backWidth
    property int backHeight
    property int titleSize: 22
    property int figureSize: 28
    property int captionSize: 13
    property real ringSize: 220
    property real ringWidth: 26
    property real margin: 12
    color: Theme.ink

    function swatch(n) {
        return disk.app ? disk.app.libraryFile(disk.prefix + "C" + n + "_5x5.png") : ""
    }

    Item {
        id: header
        width: parent.width
        height: disk.backHeight + 20
        Image {
            x: disk.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: disk.backWidth
            height: disk.backHeight
            source: disk.app ? disk.app.libraryImage(disk.backImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: disk.screen.goBAckAction()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Disk")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: disk.titleSize
        }
    }

    Item {
        id: rings
        anchors.top: header.bottom
        anchors.topMargin: disk.margin
        anchors.horizontalCenter: parent.horizontalCenter
        width: disk.ringSize
        height: disk.ringSize
        // The free arc starts at twelve o'clock, the used arc at six: each its own half turn.
        GoalRing {
            id: freeMem
            anchors.fill: parent
            innerRadius: disk.ringSize / 2 - disk.ringWidth
            barColor: disk.swatch(4)
            trackColor: Theme.surface
        }
        GoalRing {
            id: usedMeem
            anchors.fill: parent
            innerRadius: disk.ringSize / 2 - disk.ringWidth * 2 - 4
            outerRadius: disk.ringSize / 2 - disk.ringWidth - 4
            arcRotation: 180
            barColor: disk.swatch(2)
            trackColor: Theme.surface
        }
        Text {
            anchors.centerIn: parent
            text: disk.screen ? disk.screen.total : ""
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: disk.figureSize
        }
        // Rings animate when the screen opens, and follow the refreshes at once.
        function show(animated) {
            if (!disk.screen)
                return
            freeMem.setPercent(disk.screen.freeMem, animated)
            usedMeem.setPercent(disk.screen.UsedMeem, animated)
        }
        Component.onCompleted: show(true)
        Connections {
            target: disk.screen
            function onFiguresChanged() { rings.show(false) }
        }
    }

    Grid {
        anchors.top: rings.bottom
        anchors.topMargin: disk.margin * 2
        anchors.horizontalCenter: parent.horizontalCenter
        columns: 2
        columnSpacing: disk.margin * 4
        rowSpacing: disk.margin
        Repeater {
            model: disk.screen ? [[qsTr("Free"), disk.screen.fleeLbl, disk.screen.freePRLbl, 4],
                                  [qsTr("Used"), disk.screen.usedLbl, disk.screen.usedPrLbl, 2]] : []
            Row {
                id: entry
                required property var modelData
                spacing: disk.margin / 2
                Image {
                    anchors.verticalCenter: parent.verticalCenter
                    width: disk.captionSize
                    height: disk.captionSize
                    fillMode: Image.Tile
                    source: disk.swatch(entry.modelData[3])
                }
                Column {
                    Text {
                        text: entry.modelData[1]
                        color: Theme.accent
                        font.family: Theme.font
                        font.pixelSize: disk.figureSize
                    }
                    Text {
                        text: entry.modelData[0] + "  " + entry.modelData[2]
                        color: Theme.muted
                        font.family: Theme.font
                        font.pixelSize: disk.captionSize
                    }
                }
            }
        }
    }
}
