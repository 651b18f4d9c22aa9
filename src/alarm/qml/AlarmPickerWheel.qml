// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// One wheel of a picker: a column of values that snaps to the middle row. `value` is the index
// the controller holds; a finished turn reports the new index with picked().
ListView {
    id: drum
    property var labels: []
    property int value: 0
    property int rowHeight: 36
    property int textSize: 20
    property int alignment: Text.AlignHCenter
    property int sidePadding: 8
    signal picked(int index)

    clip: true
    model: labels
    boundsBehavior: Flickable.StopAtBounds
    snapMode: ListView.SnapToItem
    highlightRangeMode: ListView.StrictlyEnforceRange
    preferredHighlightBegin: (height - rowHeight) / 2
    preferredHighlightEnd: (height + rowHeight) / 2
    highlightMoveDuration: 200
    maximumFlickVelocity: 2400
    flickDeceleration: 2000

    function follow() {
        if (moving || value < 0 || value >= count || currentIndex === value)
            return
        currentIndex = value
    }
    onValueChanged: follow()
    onCountChanged: follow()
    Component.onCompleted: {
        if (value >= 0 && value < count) {
            positionViewAtIndex(value, ListView.Center)
            currentIndex = value
        }
    }
    onMovementEnded: if (currentIndex !== value) picked(currentIndex)

    delegate: Item {
        id: row
        required property int index
        required property var modelData
        readonly property bool chosen: ListView.isCurrentItem
        readonly property real distance: Math.abs(y + height / 2 - drum.contentY - drum.height / 2)
        width: drum.width
        height: drum.rowHeight
        Text {
            anchors.fill: parent
            anchors.leftMargin: drum.sidePadding
            anchors.rightMargin: drum.sidePadding
            horizontalAlignment: drum.alignment
            verticalAlignment: Text.AlignVCenter
            text: row.modelData
            color: row.chosen ? Theme.text : Theme.muted
            // Rows fade towards the edges of the wheel, as on a drum.
            opacity: Math.max(0.25, 1 - row.distance / (drum.height * 0.62))
            font.family: Theme.font
            font.pixelSize: drum.textSize
            font.bold: row.chosen
        }
        MouseArea {
            Accessible.role: Accessible.ListItem
            Accessible.name: String(row.modelData)
            anchors.fill: parent
            onClicked: {
                drum.currentIndex = row.index
                if (row.index !== drum.value)
                    drum.picked(row.index)
            }
        }
    }
}
