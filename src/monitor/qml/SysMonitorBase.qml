// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The system monitor page: four tiles with a live gauge each and the processor figure below.
// A touch on a tile opens its detail screen.
Item {
    id: page
    required property SysMonitorController controller
    required property AppState app
    required property ViewController main
    // The family's tile pictures: processor, memory, disk, network.
    property var tileImages: []
    property string swatchPrefix: "1_"
    property real tileWidth: 146
    property real tileHeight: 150
    property real spacing: 10
    property real tilesTop: 4
    property real figureSize: 30
    property real bottomTop: tilesTop + 2 * tileHeight + spacing + 8
    // The network bars' height for all traffic, and their width.
    property real barFullHeight: 62
    property real barWidth: 18

    readonly property var gauges: controller ? [controller.cpuG, controller.ramG, controller.hddG,
                                                controller.netG] : [null, null, null, null]
    readonly property var actions: ["gotoCpuView", "gotoRamView", "gotoHddView", "gotoNetView"]
    readonly property var names: [qsTr("CPU"), qsTr("Memory"), qsTr("Disk"), qsTr("Network")]

    function swatch(n) {
        return page.app ? page.app.libraryFile(page.swatchPrefix + "C" + n + "_5x5.png") : ""
    }

    Grid {
        id: tiles
        columns: 2
        spacing: page.spacing
        anchors.horizontalCenter: parent.horizontalCenter
        y: page.tilesTop

        Repeater {
            model: 4
            Item {
                id: tile
                required property int index
                readonly property MonitorGauge gauge: page.gauges[index]
                width: page.tileWidth
                height: page.tileHeight

                Image {
                    anchors.fill: parent
                    source: page.app && page.tileImages.length > tile.index
                            ? page.app.libraryImage(page.tileImages[tile.index]) : ""
                }
                // The gauge sits inside the ring the tile picture draws below its name.
                Item {
                    id: area
                    width: page.tileWidth * 0.72
                    height: width
                    x: (page.tileWidth - width) / 2
                    y: page.tileHeight * 0.57 - height / 2

                    PieChart {
                        id: pie
                        anchors.fill: parent
                        visible: tile.index < 3
                        values: tile.gauge && tile.index < 3 ? tile.gauge.values : []
                        radiusShare: tile.index === 0 ? 0.68 : 0.8
                        // The memory and disk rings' holes: 15 and 10 points of the phone's tile.
                        hole: tile.index === 0 ? 0 : (tile.index === 1 ? 15 : 10) * page.tileWidth / 146
                                                     / (radiusShare * pie.height / 2)
                        startAngle: tile.index === 0 ? -160 : tile.index === 1 ? 45 : 180
                        clockwise: true
                        padding: (tile.index === 0 ? 5 : 8) * page.tileWidth / 146
                        labels: []
                        colors: tile.index === 0 ? [page.swatch(5), page.swatch(2), page.swatch(4), page.swatch(1)]
                              : tile.index === 1 ? [page.swatch(1), page.swatch(2), page.swatch(3), page.swatch(4), page.swatch(5)]
                              : [page.swatch(4), page.swatch(2)]
                    }
                    BarChart {
                        anchors.horizontalCenter: parent.horizontalCenter
                        anchors.verticalCenter: parent.verticalCenter
                        width: page.barWidth * 2 + page.barWidth * 1.5
                        height: page.barFullHeight
                        visible: tile.index === 3
                        values: tile.gauge && tile.index === 3 ? tile.gauge.values : []
                        fullHeight: page.barFullHeight
                        barWidth: page.barWidth
                        spacing: page.barWidth * 1.5
                        trackColor: Qt.rgba(1, 1, 1, 0.08)
                        colors: [page.swatch(1), page.swatch(3)]
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    Accessible.role: Accessible.Button
                    Accessible.name: page.names[tile.index]
                    onClicked: page.controller[page.actions[tile.index]]()
                }
            }
        }
    }

    // The lower part: the processor figure.
    Item {
        id: bottomView
        width: parent.width
        y: page.bottomTop
        height: figure.height
        Text {
            id: figure
            anchors.horizontalCenter: parent.horizontalCenter
            text: page.controller ? qsTr("CPU %1").arg(page.controller.cpuLbl) : ""
            color: Theme.accent
            font.family: Theme.font
            font.pixelSize: page.figureSize
        }
    }
}
