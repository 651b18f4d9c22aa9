// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck.Charts
import Powerdeck

// The charging monitor in the tablet layout: a ring per stage with its label underneath; the
// level on the left, the alert switch and the sleep button on the right.
ChargingBase {
    id: tablet
    margin: 40
    captionSize: 18
    percentSize: 84
    noteSize: 20
    percentRight: width - 300
    percentTop: 34
    stagesTop: 174
    stagesHeight: 290
    switchLabelX: sleepX
    switchLabelTop: 18
    switchX: sleepX
    switchTop: 44
    switchWidth: 112
    switchHeight: 63
    sleepX: width - margin - 221
    sleepTop: 118
    sleepWidth: 221
    sleepHeight: 49

    Repeater {
        id: rings
        model: [
            { label: "iPadEtap1", name: qsTr("Fast") },
            { label: "iPadEtap2", name: qsTr("Trickle") },
            { label: "iPadEtap3", name: qsTr("Full") }
        ]
        Item {
            id: entry
            required property var modelData
            required property int index
            property alias ring: ring
            x: tablet.width * (index + 1) / 4 - width / 2
            width: 180
            height: tablet.stagesHeight
            GoalRing {
                id: ring
                anchors.horizontalCenter: parent.horizontalCenter
                width: 170
                height: 170
                innerRadius: 40
                outerRadius: 83
                barColor: tablet.controller.ringColorImage
                trackColor: Theme.raised
                Component.onCompleted: setPercent(tablet.controller.rings[entry.index].goal, false)
            }
            Column {
                anchors.centerIn: ring
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: ring.currentGoal + "%"
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: 22
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: entry.modelData.name
                    color: Theme.muted
                    font.family: Theme.font
                    font.pixelSize: 13
                }
            }
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                y: 178
                width: 102
                height: 108
                source: tablet.controller[entry.modelData.label]
            }
        }
    }
    Connections {
        target: tablet.controller
        function onStagesChanged() {
            const goals = tablet.controller.rings
            for (let i = 0; i < rings.count; ++i)
                rings.itemAt(i).ring.setPercent(goals[i].goal, goals[i].animated)
        }
    }
    Text {
        // The platform's own word for how it charges, beside the stages.
        x: tablet.margin
        y: -22
        visible: text !== ""
        text: tablet.controller.chargeTypeLbl
        color: Theme.accentLight
        font.family: Theme.font
        font.pixelSize: 20
    }
}
