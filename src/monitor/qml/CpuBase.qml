// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The processor screen: the three figures, the load history and the process table.
Rectangle {
    id: cpu
    required property CpuGraph screen
    required property AppState app
    property string prefix: "1_"
    property string backImage
    property int backWidth
    property int backHeight
    property int titleSize: 22
    property int figureSize: 26
    property int captionSize: 12
    property int rowHeight: 40
    property int iconSize: 28
    property real chartHeight: 120
    property real margin: 12
    color: Theme.ink

    function swatch(n) {
        return cpu.app ? cpu.app.libraryFile(cpu.prefix + "C" + n + "_5x5.png") : ""
    }

    Item {
        id: header
        width: parent.width
        height: cpu.backHeight + 20
        Image {
            x: cpu.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: cpu.backWidth
            height: cpu.backHeight
            source: cpu.app ? cpu.app.libraryImage(cpu.backImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: cpu.screen.goBack()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("CPU")
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: cpu.titleSize
        }
    }

    Row {
        id: figures
        anchors.top: header.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: cpu.margin * 2
        Repeater {
            model: cpu.screen ? [[qsTr("Processes"), cpu.screen.totalRunnigPrcLblb],
                                 [qsTr("System"), cpu.screen.SystemLbl],
                                 [qsTr("Idle"), cpu.screen.idleLbl]] : []
            Column {
                id: entry
                required property var modelData
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: entry.modelData[1]
                    color: Theme.accent
                    font.family: Theme.font
                    font.pixelSize: cpu.figureSize
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: entry.modelData[0]
                    color: Theme.muted
                    font.family: Theme.font
                    font.pixelSize: cpu.captionSize
                }
            }
        }
    }

    LineChart {
        id: history
        anchors.top: figures.bottom
        anchors.topMargin: cpu.margin / 2
        x: cpu.margin
        width: parent.width - 2 * cpu.margin
        height: cpu.chartHeight
        series1: cpu.screen ? cpu.screen.tempArr1 : []
        series2: cpu.screen ? cpu.screen.tempArr2 : []
        colors: [cpu.swatch(5), cpu.swatch(2)]
    }

    Rectangle {
        id: rule
        anchors.top: history.bottom
        anchors.topMargin: cpu.margin / 2
        width: parent.width
        height: 1
        color: Theme.line
    }

    ListView {
        anchors.top: rule.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        model: cpu.screen ? cpu.screen.table : null
        boundsBehavior: Flickable.StopAtBounds
        delegate: Item {
            id: row
            required property int index
            required property string nameProcessLbl
            required property string idLbl
            required property string appImage
            width: ListView.view.width
            height: cpu.rowHeight
            Rectangle {
                anchors.fill: parent
                color: row.index % 2 === 0 ? Theme.ink : Theme.surface
            }
            Image {
                id: icon
                x: cpu.margin
                anchors.verticalCenter: parent.verticalCenter
                width: cpu.iconSize
                height: cpu.iconSize
                source: row.appImage !== "" && cpu.app ? cpu.app.resourceImage(row.appImage) : ""
            }
            Text {
                x: cpu.margin * 2 + cpu.iconSize
                width: parent.width * 0.7 - x
                anchors.verticalCenter: parent.verticalCenter
                text: row.nameProcessLbl
                color: Theme.text
                elide: Text.ElideRight
                font.family: Theme.font
                font.pixelSize: cpu.captionSize + 3
            }
            Text {
                anchors.right: parent.right
                anchors.rightMargin: cpu.margin
                anchors.verticalCenter: parent.verticalCenter
                text: row.idLbl
                color: Theme.muted
                font.family: Theme.font
                font.pixelSize: cpu.captionSize + 1
            }
        }
    }
}
