// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The tips page: twelve pages side by side in a paged area. The page that is shown holds the
// tip's text picture (scrollable when it is taller than its area) and its illustration; the
// buttons step one page on or back and the dots show where the area stands.
Item {
    id: tips
    objectName: "tipsPage"
    required property TipsViewController controller
    required property AppState app
    required property ViewController main
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

    // mainScrollView: one page width per tip. The pages beside the one in view are made too,
    // so that a swipe shows the next tip under the finger.
    Flickable {
        id: mainScrollView
        objectName: "tipsPages"
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

        Repeater {
            model: tips.controller.pageCount
            Item {
                id: page
                required property int index
                readonly property bool current: index === tips.controller.currentPage
                readonly property real pageX: index * tips.controller.pageWidth
                x: pageX
                width: tips.width
                height: mainScrollView.height
                // Only the pages within one page width of the view hold their pictures.
                readonly property bool near: Math.abs(pageX - mainScrollView.contentX)
                                             < tips.controller.pageWidth * 1.5
                onCurrentChanged: if (current) imgScrollView.contentY = 0

                // imgScrollView: the text picture at half its pixel size, made smaller when that
                // is taller than its area, so that the whole tip is in view.
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
                        objectName: "tipText" + page.index
                        source: page.near ? tips.controller.textImageAt(page.index) : ""
                        readonly property real fit: sourceSize.height > 0
                            ? Math.min(1, imgScrollView.height / (sourceSize.height / 2),
                                       imgScrollView.width / (sourceSize.width / 2)) : 1
                        width: sourceSize.width / 2 * fit
                        height: sourceSize.height / 2 * fit
                        x: (imgScrollView.width - width) / 2
                        opacity: page.current ? tips.pictureOpacity : 1
                        smooth: true
                        mipmap: true
                    }
                }

                Image {
                    id: img2
                    objectName: "tipArt" + page.index
                    source: page.near ? tips.controller.artImageAt(page.index) : ""
                    width: sourceSize.width / 2
                    height: sourceSize.height / 2
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: tips.artTop
                    opacity: page.current ? tips.pictureOpacity : 1
                    smooth: true
                }
            }
        }
    }

    // The pictures of a newly shown page: faded out first unless it is the first or the last,
    // then faded in.
    property real pictureOpacity: 1
    readonly property alias fadeOutDuration: fadeOutAnimation.duration
    SequentialAnimation {
        id: fade
        NumberAnimation {
            id: fadeOutAnimation
            target: tips; property: "pictureOpacity"; to: 0
            duration: tips.controller.fadeOutMs
        }
        NumberAnimation {
            target: tips; property: "pictureOpacity"; to: 1
            duration: tips.controller.fadeInMs
        }
    }
    Connections {
        target: tips.controller
        function onPageShown() {
            if (tips.controller.fadedOut) {
                fade.restart()
            } else {
                fade.stop()
                tips.pictureOpacity = 1
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
