// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The charge calendar page: a heading, the month with its marked days under the grid overlay,
// and the legend with the totals of each event. The family files place things.
Item {
    id: page
    property QtObject controller
    property QtObject app
    // The main screen.
    property QtObject main

    property int headingSize: 18
    property int countSize: 22
    property real legendX: 0
    property real legendY: 380
    property real legendWidth: 320
    property real legendHeight: 96

    readonly property QtObject view: controller ? controller.monthView : null

    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }

    Text {
        x: 12
        width: parent.width - 24
        height: page.controller ? page.controller.monthViewY : 0
        verticalAlignment: Text.AlignVCenter
        text: qsTr("CHARGE CALENDAR")
        color: Theme.muted
        font.family: Theme.font
        font.pixelSize: page.headingSize
        font.letterSpacing: 1.5
    }

    Item {
        id: monthArea
        x: page.controller.monthViewX
        y: page.controller.monthViewY
        width: page.view.viewWidth
        height: page.controller.monthViewHeight
        Behavior on height { NumberAnimation { duration: page.view.slideMs; easing.type: Easing.OutCubic } }
        clip: true

        CalendarMonth {
            view: page.view
            visibleWidth: page.width - monthArea.x
            titleSize: page.headingSize + 2
            weekdaySize: page.view.tablet ? 17 : 11
            daySize: page.view.tablet ? 28 : 15
        }

        // The grid overlay lies in front of the month.
        Image {
            source: page.controller.setka
            enabled: false
        }
    }

    Image {
        id: legend
        x: page.legendX
        y: page.legendY
        width: page.legendWidth
        height: page.legendHeight
        source: page.controller.bottomIMG

        Repeater {
            // The legend's columns: charging, full, below 6 %.
            model: [page.controller.partialLbl, page.controller.fullLbl, page.controller.OverLbl]
            Text {
                required property string modelData
                required property int index
                x: index * legend.width / 3
                y: legend.height * 0.5
                width: legend.width / 3
                height: legend.height * 0.42
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: modelData
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: page.countSize
            }
        }
    }
}
