// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The window's content: the main screen in its design size (points), scaled uniformly to the
// window and centred, with the full-screen screens presented over it.
Item {
    id: root
    required property ViewController controller

    // Keys reach the controller unless a focused control used them.
    focus: true
    Keys.onPressed: event => { event.accepted = root.controller.keyPressed(event.key, event.modifiers) }

    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }

    Item {
        id: design
        width: root.controller.screenWidth
        height: root.controller.screenHeight
        scale: Math.min(root.width / width, root.height / height)
        transformOrigin: Item.TopLeft
        x: (root.width - width * scale) / 2
        y: (root.height - height * scale) / 2
        clip: true

        Loader {
            id: mainScreen
            anchors.fill: parent
            Component.onCompleted: setSource(root.controller.tablet ? "MainScreenTablet.qml"
                                                                    : "MainScreenPhone.qml",
                                             { controller: root.controller })
        }

        // A presented screen slides up over the main screen and closes itself.
        Loader {
            id: presented
            width: design.width
            height: design.height
            active: root.controller.presentedView !== ""
            z: 10
            onActiveChanged: {
                if (active) {
                    setSource(root.controller.presentedView,
                              { screen: root.controller.presentedScreen, app: root.controller.app })
                    slideIn.restart()
                }
            }
            NumberAnimation on y {
                id: slideIn
                running: false
                from: design.height
                to: 0
                duration: 300
                easing.type: Easing.OutCubic
            }
        }

        LoadingOverlay {
            anchors.fill: parent
            z: 20
            shown: root.controller.loading
        }
    }
}
