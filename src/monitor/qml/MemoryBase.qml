// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The memory screen: five stacked rings (used, active, free, inactive, purgeable, outermost
// first), their figures as the legend, the cache, swap and zram figures, the total and the
// accelerate button; while a purge runs
// an overlay with a stop button covers the button.
Rectangle {
    id: ram
    required property RamViewController screen
    required property AppState app
    property string prefix: "1_"
    property string backImage: prefix + "back-4_52x47.png"
    property int backWidth: 52
    property int backHeight: 47
    property real ringSize: 220
    property real ringWidth: 14
    property real ringGap: 4
    property int textSize: 14
    property int rowHeight: 26
    property int margin: 16
    color: Theme.ink

    readonly property var captions: [qsTr("Used"), qsTr("Active"), qsTr("Free"), qsTr("Inactive"),
                                     qsTr("Purgeable")]
    readonly property var megabytes: screen ? [screen.ramMBWired, screen.ramMBActive, screen.ramMBFree,
                                               screen.ramMBInactive, screen.ramMBPurgeable] : []
    readonly property var percents: screen ? [screen.ramPrWired, screen.ramPrActive, screen.ramPrFree,
                                              screen.ramPrInactive, screen.ramPrPurgeabme] : []

    function swatch(index) {
        return app ? app.libraryFile(prefix + "C" + (index + 1) + "_5x5.png") : ""
    }

    MonitorHeader {
        id: header
        app: ram.app
        title: qsTr("Memory")
        backImage: ram.backImage
        backWidth: ram.backWidth
        backHeight: ram.backHeight
        textSize: ram.textSize
        margin: ram.margin
        onBack: ram.screen.goBack()
    }

    Item {
        id: rings
        anchors.top: header.bottom
        anchors.topMargin: ram.margin
        anchors.horizontalCenter: parent.horizontalCenter
        width: ram.ringSize
        height: ram.ringSize
        Repeater {
            model: 5
            GoalRing {
                required property int index
                anchors.fill: parent
                outerRadius: ram.ringSize / 2 - index * (ram.ringWidth + ram.ringGap)
                innerRadius: outerRadius - ram.ringWidth
                barColor: ram.swatch(index)
                trackColor: Theme.surface
                animated: ram.screen ? ram.screen.ringsAnimated : false
                percent: ram.screen ? ram.screen.ringPercents[index] : 0
                arcRotation: ram.screen ? ram.screen.ringRotations[index] : 0
            }
        }
    }

    Column {
        id: legend
        anchors.top: rings.bottom
        anchors.topMargin: ram.margin
        x: ram.margin
        width: parent.width - 2 * ram.margin
        Repeater {
            model: 5
            Item {
                id: entry
                required property int index
                width: legend.width
                height: ram.rowHeight
                Image {
                    id: chip
                    anchors.verticalCenter: parent.verticalCenter
                    width: ram.textSize
                    height: ram.textSize
                    fillMode: Image.Tile
                    source: ram.swatch(entry.index)
                }
                Text {
                    anchors.left: chip.right
                    anchors.leftMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: ram.captions[entry.index]
                    color: Theme.muted
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
                Text {
                    x: parent.width * 0.42
                    width: parent.width * 0.3
                    horizontalAlignment: Text.AlignRight
                    anchors.verticalCenter: parent.verticalCenter
                    text: ram.megabytes[entry.index] || ""
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
                Text {
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: ram.percents[entry.index] || ""
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
            }
        }
        // The page cache, the swap and the compressed memory, which no ring shows.
        Repeater {
            model: ram.screen ? [
                { caption: qsTr("Cache"), mb: ram.screen.ramMBCache, pr: ram.screen.ramPrCache,
                  shown: true },
                { caption: qsTr("Swap"), mb: ram.screen.ramMBSwap, pr: ram.screen.ramPrSwap,
                  shown: ram.screen.hasSwap },
                { caption: qsTr("zram"), mb: ram.screen.ramMBZram, pr: ram.screen.ramPrZram,
                  shown: ram.screen.hasZram }
            ] : []
            Item {
                id: entry2
                required property var modelData
                visible: modelData.shown
                width: legend.width
                height: visible ? ram.rowHeight : 0
                Text {
                    x: ram.textSize + 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry2.modelData.caption
                    color: Theme.muted
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
                Text {
                    // Right-aligned with the megabytes of the rows above; a longer text grows
                    // to the left.
                    anchors.right: parent.right
                    anchors.rightMargin: parent.width * 0.28
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry2.modelData.mb
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
                Text {
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry2.modelData.pr
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: ram.textSize
                }
            }
        }
        Item {
            width: legend.width
            height: ram.rowHeight
            Text {
                x: ram.textSize + 8
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Total")
                color: Theme.muted
                font.family: Theme.font
                font.pixelSize: ram.textSize
            }
            Text {
                x: parent.width * 0.42
                width: parent.width * 0.3
                horizontalAlignment: Text.AlignRight
                anchors.verticalCenter: parent.verticalCenter
                text: ram.screen ? ram.screen.totalLBL : ""
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: ram.textSize
            }
        }
    }

    Rectangle {
        id: killBtn
        anchors.top: legend.bottom
        anchors.topMargin: ram.margin
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width - 2 * ram.margin, 12 * ram.textSize)
        height: 2.6 * ram.textSize
        radius: height / 2
        color: ram.screen && ram.screen.killEnabled ? Theme.accent : Theme.raised
        Text {
            anchors.centerIn: parent
            text: qsTr("Free memory")
            color: ram.screen && ram.screen.killEnabled ? Theme.ink : Theme.muted
            font.family: Theme.font
            font.bold: true
            font.pixelSize: ram.textSize
        }
        MouseArea {
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Free memory")
            anchors.fill: parent
            enabled: ram.screen ? ram.screen.killEnabled : false
            onClicked: ram.screen.accelerateRam()
        }
    }
    Text {
        anchors.top: killBtn.bottom
        anchors.topMargin: 6
        anchors.horizontalCenter: parent.horizontalCenter
        visible: ram.screen ? !ram.screen.loadingVisible && ram.screen.purgeSummary !== "" : false
        text: ram.screen ? ram.screen.purgeSummary : ""
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: ram.textSize - 2
    }

    // loadingView: over the button while the purge runs, with its stop action.
    Rectangle {
        anchors.fill: killBtn
        anchors.margins: -4
        visible: ram.screen ? ram.screen.loadingVisible : false
        radius: height / 2
        color: Theme.surface
        border.color: Theme.accent
        Text {
            anchors.left: parent.left
            anchors.leftMargin: parent.radius
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Freeing…")
            color: Theme.accentLight
            font.family: Theme.font
            font.pixelSize: ram.textSize
        }
        Rectangle {
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            height: parent.height - 12
            width: 4.5 * ram.textSize
            radius: height / 2
            color: Theme.raised
            Text {
                anchors.centerIn: parent
                text: qsTr("Stop")
                color: Theme.text
                font.family: Theme.font
                font.bold: true
                font.pixelSize: ram.textSize
            }
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Stop")
                anchors.fill: parent
                onClicked: ram.screen.tempAction()
            }
        }
    }
}
