// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The charge calendar page: a heading, the month with its marked days under the grid overlay,
// and the legend with the totals of each event. The family files place things.
Item {
    id: page
    required property CalendarViewController controller
    required property AppState app
    // The main screen.
    required property ViewController main

    property int headingSize: 18
    property int countSize: 22
    property real legendX: 0
    property real legendY: 380
    property real legendWidth: 320
    property real legendHeight: 96
    // The space between the month and the legend, and under the legend.
    property real legendGap: 8
    // The grid overlay's picture, in pixels (one to a point).
    property real gridPictureWidth: 320
    property real gridPictureHeight: 324

    readonly property MonthView view: controller ? controller.monthView : null

    // The part (x, y, w, h) of a picture (see LibraryPictures).
    function clipped(url, x, y, w, h) {
        return url !== "" ? url + "#clip=" + x + "," + y + "," + w + "," + h : ""
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }

    // What lies above the wheel drawer: on phones the month and the legend are taller than
    // that, so the page scrolls; the legend follows the month's rows.
    Flickable {
        id: body
        objectName: "calendarBody"
        width: page.width
        height: page.main && page.main.wheelTop > 0 ? Math.min(page.height, page.main.wheelTop)
                                                     : page.height
        contentWidth: width
        contentHeight: legend.y + legend.height + page.legendGap
        flickableDirection: Flickable.VerticalFlick
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentHeight > height
        clip: true

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

            // The grid overlay lies in front of the month. Its picture holds the title bar and
            // as many whole rows as fit it; the rows of a longer month repeat a row of it, and
            // its bottom edge closes the last row.
            Item {
                id: grid
                objectName: "calendarGrid"
                enabled: false
                width: page.view.viewWidth
                height: page.view.topBarHeight + page.view.rows * pitch
                readonly property real pitch: page.view.pitchY
                readonly property real edge: 8
                readonly property real pictureHeight: page.gridPictureHeight
                // The whole rows the picture holds above its bottom edge.
                readonly property int pictureRows: pictureHeight > 0
                    ? Math.floor((pictureHeight - page.view.topBarHeight - edge) / pitch) : 0
                readonly property int rows: Math.min(page.view.rows, pictureRows)
                Image {
                    id: gridPicture
                    source: page.clipped(page.controller.setka, 0, 0, page.gridPictureWidth,
                                         page.view.topBarHeight + grid.rows * grid.pitch)
                }
                Repeater {
                    model: Math.max(0, page.view.rows - grid.rows)
                    Image {
                        required property int index
                        y: page.view.topBarHeight + (grid.rows + index) * grid.pitch
                        source: page.clipped(page.controller.setka, 0,
                                             page.view.topBarHeight + (grid.rows - 1) * grid.pitch,
                                             page.gridPictureWidth, grid.pitch)
                    }
                }
                Image {
                    y: grid.height - grid.edge
                    source: page.clipped(page.controller.setka, 0, grid.pictureHeight - grid.edge,
                                         page.gridPictureWidth, grid.edge)
                }
            }
        }

        Image {
            id: legend
            objectName: "calendarLegend"
            x: page.legendX
            y: Math.max(page.legendY, monthArea.y + monthArea.height + page.legendGap)
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
}
