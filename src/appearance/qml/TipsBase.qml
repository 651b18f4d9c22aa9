// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The tips page: twelve pages side by side in a paged area. The page that is shown holds the
// tip's text picture (scrollable when it is taller than its area) and its illustration; the
// buttons step one page on or back and the dots show where the area stands.
Item {
    id: tips
    property QtObject controller
    property QtObject app
    property QtObject main
    property int titleSize: 20
    property real textTop: 44
    property real textHeight: 170
    property real artTop: 222
    property real dotsTop: 322
    property real buttonSize: 36

    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        y: (tips.textTop - height) / 2
        text: qsTr("Battery tips")
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: tips.titleSize
    }

    // mainScrollView: one page width per tip.
    Flickable {
        id: mainScrollView
        width: tips.width
        height: tips.dotsTop
        contentWidth: tips.controller.contentWidth
        contentHeight: height
        flickableDirection: Flickable.HorizontalFlick
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        contentX: tips.controller.offset
        onContentXChanged: if (moving) tips.controller.scrollViewDidScroll(contentX)
        onMovementEnded: {
            tips.controller.scrollViewDidEndDecelerating(contentX)
            contentX = tips.controller.offset
        }

        Item {
            id: page
            x: tips.controller.offset
            width: tips.width
            height: mainScrollView.height

            // imgScrollView: the text picture at half its pixel size, scrolled up and down.
            Flickable {
                id: imgScrollView
                x: 12
                y: tips.textTop
                width: page.width - 24
                height: tips.textHeight
                contentWidth: width
                contentHeight: img.height
                flickableDirection: Flickable.VerticalFlick
                boundsBehavior: Flickable.StopAtBounds
                clip: true
                Image {
                    id: img
                    source: tips.controller.textImage
                    width: sourceSize.width / 2
                    height: sourceSize.height / 2
                    x: (imgScrollView.width - width) / 2
                    smooth: true
                    mipmap: true
                }
            }

            Image {
                id: img2
                source: tips.controller.artImage
                width: sourceSize.width / 2
                height: sourceSize.height / 2
                anchors.horizontalCenter: parent.horizontalCenter
                y: tips.artTop
                smooth: true
            }
        }
    }

    // The pictures of a newly shown page: faded out first unless it is the first or the last,
    // then faded in.
    SequentialAnimation {
        id: fade
        NumberAnimation { targets: [img, img2]; property: "opacity"; to: 0; duration: 1 }
        NumberAnimation { targets: [img, img2]; property: "opacity"; to: 1; duration: 500 }
    }
    Connections {
        target: tips.controller
        function onPageShown() {
            imgScrollView.contentY = 0
            if (tips.controller.fadedOut) {
                fade.restart()
            } else {
                fade.stop()
                img.opacity = 1
                img2.opacity = 1
            }
        }
        function onOffsetChanged() {
            if (!mainScrollView.moving)
                mainScrollView.contentX = tips.controller.offset
        }
    }

    // pageControler: twelve dots.
    Row {
        id: pageControler
        anchors.horizontalCenter: parent.horizontalCenter
        y: tips.dotsTop + (tips.buttonSize - height) / 2
        spacing: 7
        Repeater {
            model: tips.controller.pageCount
            Rectangle {
                required property int index
                width: 7
                height: 7
                radius: 3.5
                color: index === tips.controller.indicatorPage ? Theme.accent : Theme.line
            }
        }
    }

    Repeater {
        model: [ { name: qsTr("Previous tip"), glyph: "‹", left: true },
                 { name: qsTr("Next tip"), glyph: "›", left: false } ]
        Rectangle {
            required property var modelData
            x: modelData.left ? 12 : tips.width - width - 12
            y: tips.dotsTop
            width: tips.buttonSize
            height: tips.buttonSize
            radius: width / 2
            color: area.pressed ? Theme.raised : Theme.surface
            border.color: Theme.line
            Text {
                anchors.centerIn: parent
                anchors.verticalCenterOffset: -2
                text: parent.modelData.glyph
                color: Theme.accent
                font.pixelSize: tips.buttonSize * 0.8
            }
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: parent.modelData.name
                id: area
                anchors.fill: parent
                onClicked: parent.modelData.left ? tips.controller.minusOneAction()
                                                 : tips.controller.plusOne()
            }
        }
    }
}
