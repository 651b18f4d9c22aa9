// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The main screen's common body: the gauge behind, the six pages in a horizontal strip moved by
// the controller, and the wheel drawer in front. The family files set the views to use.
Item {
    id: screen
    required property ViewController controller
    property string family: "Phone"
    readonly property AppState app: controller ? controller.app : null

    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }

    // The battery gauge lies behind the pages and shows where the page area is lowered.
    Loader {
        id: gauge
        width: screen.width
        height: screen.height
        active: screen.controller && screen.controller.batteryController !== null
        Component.onCompleted: if (active) setSource("BatteryGauge" + screen.family + ".qml",
                                                     { controller: screen.controller.batteryController,
                                                       app: screen.app })
    }

    Item {
        id: pageArea
        width: screen.width
        height: screen.height
        y: screen.controller.pageY
        Behavior on y { NumberAnimation { duration: 300; easing.type: Easing.OutCubic } }

        Rectangle {
            // The pages' backdrop: opaque below the strip of the gauge that shows through.
            width: parent.width
            height: parent.height
            color: Theme.ink
            opacity: screen.controller.currentPage === 2 || screen.controller.currentPage === 3 ? 0 : 1
            Behavior on opacity { NumberAnimation { duration: 200 } }
        }

        Item {
            id: strip
            width: screen.controller.contentWidth
            height: screen.height
            x: -screen.controller.pageX
            Behavior on x { NumberAnimation { duration: 350; easing.type: Easing.OutCubic } }

            Repeater {
                model: 6
                Loader {
                    required property int index
                    // The controller creates the pages that are not shown after the first frame.
                    readonly property bool created: (screen.controller.createdPages & (1 << index)) !== 0
                    x: index * screen.controller.pageWidth
                    width: screen.controller.pageWidth
                    height: screen.height
                    // Only pages that overlap the screen are drawn (while the strip slides, its
                    // neighbours too).
                    visible: x + strip.x < screen.width && x + width + strip.x > 0

                    function load() {
                        if (!created || status !== Loader.Null)
                            return
                        setSource(screen.controller.pageViewName(index) + screen.family + ".qml",
                                  { controller: screen.controller.pageController(index),
                                    app: screen.app, main: screen.controller })
                    }
                    onCreatedChanged: load()
                    Component.onCompleted: load()
                }
            }
        }
    }

    // The wheel drawer: dragged by its handle between open and nearly closed.
    Item {
        id: drawer
        width: screen.width
        height: screen.controller.wheelHeight
        y: screen.controller.wheelTop
        visible: !screen.controller.wheelHidden

        Loader {
            anchors.fill: parent
            active: screen.controller.whell !== null
            Component.onCompleted: if (active) setSource("Wheel" + screen.family + ".qml",
                                                         { controller: screen.controller.whell,
                                                           app: screen.app,
                                                           overlay: screen })
        }
        Loader {
            anchors.fill: parent
            active: screen.controller.whell === null
            sourceComponent: PageDots {
                controller: screen.controller
            }
        }

        // The mouse wheel turns the navigation wheel one page per notch.
        WheelHandler {
            acceptedDevices: PointerDevice.Mouse | PointerDevice.TouchPad
            onWheel: event => screen.controller.mouseWheel(event.angleDelta.y !== 0 ? event.angleDelta.y
                                                                                   : -event.angleDelta.x)
        }

        MouseArea {
            Accessible.role: Accessible.Grip
            Accessible.name: qsTr("Navigation wheel drawer")
            id: handle
            width: parent.width
            height: screen.family === "Tablet" ? 40 : 26
            function screenY(mouse) { return mapToItem(screen, mouse.x, mouse.y).y }
            onPressed: mouse => screen.controller.touchesBegan(screenY(mouse))
            onPositionChanged: mouse => screen.controller.touchesMoved(screenY(mouse))
            onReleased: mouse => screen.controller.touchesEnded(screenY(mouse))
            Rectangle {
                anchors.centerIn: parent
                width: 44
                height: 4
                radius: 2
                color: Theme.line
            }
        }
    }
}
