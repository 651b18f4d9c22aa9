// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The network screen: two half rings, sent (turned half a turn) and received, that share one
// circle; the totals in its middle; the addresses and the traffic of Wi-Fi, of a cable (where
// there is one) and of cellular below, each interface's figures in its own block.
Rectangle {
    id: net
    required property NetWorkViewController screen
    required property AppState app
    property string prefix: "1_"
    property string backImage: prefix + "back-4_52x47.png"
    property int backWidth: 52
    property int backHeight: 47
    property real ringSize: 200
    property real ringWidth: 24
    property int textSize: 14
    property int rowHeight: 26
    property int margin: 16
    color: Theme.ink

    function swatch(n) {
        return app ? app.libraryFile(prefix + "C" + n + "_5x5.png") : ""
    }

    MonitorHeader {
        id: header
        app: net.app
        title: qsTr("Network")
        backImage: net.backImage
        backWidth: net.backWidth
        backHeight: net.backHeight
        textSize: net.textSize
        margin: net.margin
        onBack: net.screen.goBack()
    }

    Item {
        id: rings
        anchors.top: header.bottom
        anchors.topMargin: net.margin
        anchors.horizontalCenter: parent.horizontalCenter
        width: net.ringSize
        height: net.ringSize
        GoalRing {
            anchors.fill: parent
            outerRadius: net.ringSize / 2
            innerRadius: outerRadius - net.ringWidth
            trackColor: Theme.surface
            barColor: net.swatch(1)
            arcRotation: 180
            animated: net.screen ? net.screen.ringsAnimated : false
            percent: net.screen ? net.screen.upload : 0
        }
        GoalRing {
            anchors.fill: parent
            outerRadius: net.ringSize / 2
            innerRadius: outerRadius - net.ringWidth
            barColor: net.swatch(3)
            animated: net.screen ? net.screen.ringsAnimated : false
            percent: net.screen ? net.screen.download : 0
        }
        Column {
            anchors.centerIn: parent
            spacing: 2
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Sent %1").arg(net.screen ? net.screen.uploadLbl : "")
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: net.textSize
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Received %1").arg(net.screen ? net.screen.downloadLbl : "")
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: net.textSize
            }
        }
    }

    Column {
        id: table
        anchors.top: rings.bottom
        anchors.topMargin: net.margin
        x: net.margin
        width: parent.width - 2 * net.margin
        Repeater {
            model: net.screen ? [
                { heading: qsTr("Wi-Fi"), chip: 0 },
                { caption: qsTr("IP address"), value: net.screen.ipWifi },
                { caption: qsTr("Hardware address"), value: net.screen.macWifi },
                { caption: qsTr("Sent"), value: net.screen.sendWifi, chip: 1 },
                { caption: qsTr("Received"), value: net.screen.dwnloadWifi, chip: 3 },
                ...(net.screen.hasWired ? [
                    { heading: qsTr("Wired"), chip: 0 },
                    { caption: qsTr("IP address"), value: net.screen.ipWired },
                    { caption: qsTr("Hardware address"), value: net.screen.macWired },
                    { caption: qsTr("Sent"), value: net.screen.sendWired, chip: 1 },
                    { caption: qsTr("Received"), value: net.screen.dwnloadWired, chip: 3 }
                ] : []),
                { heading: qsTr("Cellular"), chip: 0 },
                { caption: qsTr("IP address"), value: net.screen.Ip3G },
                { caption: qsTr("Hardware address"), value: net.screen.mac3G },
                { caption: qsTr("Sent"), value: net.screen.send3G, chip: 1 },
                { caption: qsTr("Received"), value: net.screen.donload3G, chip: 3 }
            ] : []
            Item {
                id: entry
                required property var modelData
                width: table.width
                height: net.rowHeight
                Rectangle {
                    visible: entry.modelData.heading !== undefined
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: Theme.line
                }
                Image {
                    id: chip
                    visible: (entry.modelData.chip || 0) > 0
                    anchors.verticalCenter: parent.verticalCenter
                    width: visible ? net.textSize * 0.8 : 0
                    height: net.textSize * 0.8
                    fillMode: Image.Tile
                    source: visible ? net.swatch(entry.modelData.chip) : ""
                }
                Text {
                    anchors.left: chip.right
                    anchors.leftMargin: chip.visible ? 6 : 0
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.modelData.heading !== undefined ? entry.modelData.heading : entry.modelData.caption
                    color: entry.modelData.heading !== undefined ? Theme.accent : Theme.muted
                    font.family: Theme.font
                    font.bold: entry.modelData.heading !== undefined
                    font.pixelSize: net.textSize
                }
                Text {
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.modelData.value !== undefined ? entry.modelData.value : ""
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: net.textSize
                }
            }
        }
    }
}
