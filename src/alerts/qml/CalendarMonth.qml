// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// One month of the charge calendar: the title bar with the arrows and the weekday names, the
// filled days and the day numbers. Every position comes from the month view's controller; this
// file draws, slides a new month in, and passes taps on.
Item {
    id: month
    required property MonthView view
    property int titleSize: 18
    property int weekdaySize: 11
    property int daySize: 15
    // How much of the view the page shows (the tablet's view runs past the page's right edge).
    property real visibleWidth: month.view.viewWidth
    // Where the seventh column ends; the title is centred over the columns.
    readonly property real columnsWidth: 7 * month.view.pitchX - 2

    width: month.view.viewWidth
    height: month.view.viewHeight
    clip: true

    Rectangle {
        anchors.fill: parent
        color: "#0f2119"
    }

    Item {
        id: content
        width: parent.width
        height: parent.height

        Text {
            id: title
            width: month.columnsWidth
            height: month.view.topBarHeight - month.view.weekdayBarHeight
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: month.view.title
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: month.titleSize
        }

        Repeater {
            model: month.view.weekdayNames
            Text {
                required property string modelData
                required property int index
                x: index * month.view.pitchX
                y: month.view.topBarHeight - month.view.weekdayBarHeight
                width: month.view.cellWidth
                height: month.view.weekdayBarHeight
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: modelData
                color: index >= 5 ? Theme.accentLight : Theme.muted
                font.family: Theme.font
                font.pixelSize: month.weekdaySize
            }
        }

        Repeater {
            model: month.view.marks
            Image {
                required property var modelData
                x: modelData.x
                y: modelData.y
                width: month.view.cellWidth
                height: month.view.cellHeight
                source: modelData.image
                fillMode: Image.Tile
            }
        }

        Repeater {
            model: month.view.days
            Item {
                id: dayCell
                required property var modelData
                x: modelData.x
                y: modelData.y
                width: month.view.cellWidth
                height: month.view.cellHeight
                Rectangle {
                    anchors.fill: parent
                    anchors.margins: 2
                    radius: 4
                    color: "transparent"
                    border.width: month.view.selectedDay === dayCell.modelData.day ? 2 : 1
                    border.color: month.view.selectedDay === dayCell.modelData.day ? Theme.text : Theme.accent
                    visible: month.view.selectedDay === dayCell.modelData.day || month.view.todayDay === dayCell.modelData.day
                }
                Text {
                    anchors.centerIn: parent
                    text: dayCell.modelData.day
                    color: Theme.text
                    style: Text.Outline
                    styleColor: "#80000000"
                    font.family: Theme.font
                    font.pixelSize: month.daySize
                }
            }
        }

        NumberAnimation on x {
            id: slideIn
            running: false
            to: 0
            duration: month.view.slideMs
            easing.type: Easing.OutCubic
        }
    }

    // The arrows stay put while the month slides.
    Repeater {
        model: 2
        Canvas {
            required property int index
            x: index === 0 ? 0 : month.view.viewWidth - month.view.arrowWidth
            width: index === 0 ? month.view.arrowWidth : month.visibleWidth - x
            height: month.view.topBarHeight - month.view.weekdayBarHeight
            onPaint: {
                const ctx = getContext("2d")
                ctx.reset()
                ctx.strokeStyle = Theme.accent
                ctx.lineWidth = 2.5
                const cx = width / 2, cy = height / 2, s = Math.min(width, height) * 0.16
                ctx.beginPath()
                ctx.moveTo(cx + (index === 0 ? s : -s), cy - 2 * s)
                ctx.lineTo(cx + (index === 0 ? -s : s), cy)
                ctx.lineTo(cx + (index === 0 ? s : -s), cy + 2 * s)
                ctx.stroke()
            }
        }
    }

    Connections {
        target: month.view
        function onSlide(direction) {
            content.x = direction * month.width
            slideIn.restart()
        }
    }

    MouseArea {
        Accessible.role: Accessible.Table
        Accessible.name: month.view.title
        anchors.fill: parent
        onClicked: mouse => month.view.touch(mouse.x, mouse.y)
    }
}
