// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The battery gauge behind the main screen's pages: the chosen skin's layers drawn in the skin's
// own coordinates (its canvas), placed by the controller into the band the pages leave open, and
// the level slider on top. Back to front: liquid, surface, core, faceplate, electron or rotors,
// slider. Every frame comes from the controller; this file only draws and animates.
Item {
    id: gauge
    required property BatteryController controller
    required property AppState app
    readonly property bool ready: controller !== null && app !== null

    visible: ready && !controller.removed

    function library(name) { return ready && name !== "" ? app.libraryImage(name) : "" }

    // An emptying window shows the page colour.
    Rectangle {
        anchors.fill: parent
        color: Theme.ink
    }

    Item {
        id: canvas
        visible: gauge.ready
        x: gauge.ready ? gauge.controller.canvasX : 0
        y: gauge.ready ? gauge.controller.canvasY : 0
        width: gauge.ready ? gauge.controller.canvasWidth : 0
        height: gauge.ready ? gauge.controller.canvasHeight : 0
        scale: gauge.ready ? gauge.controller.canvasScale : 1
        transformOrigin: Item.TopLeft
        clip: true

        // Classic: the liquid slides sideways behind the cell's window.
        Image {
            visible: gauge.ready && gauge.controller.skin === 0
            x: gauge.controller.fillFrame.x
            y: gauge.controller.fillFrame.y
            width: gauge.controller.fillFrame.width
            height: gauge.controller.fillFrame.height
            source: visible ? gauge.library(gauge.controller.fillImage) : ""
        }

        // The other skins: the liquid is seen from its top down to the window's bottom, where
        // the picture rests; the picture itself never stretches.
        Item {
            visible: gauge.ready && gauge.controller.skin !== 0
            x: gauge.controller.fillFrame.x
            y: gauge.controller.fillFrame.y
            width: gauge.controller.fillFrame.width
            height: gauge.controller.fillFrame.height
            clip: true
            Image {
                anchors.bottom: parent.bottom
                width: gauge.controller.liquidRest.width
                height: gauge.controller.liquidRest.height
                fillMode: Image.PreserveAspectCrop
                source: parent.visible ? gauge.library(gauge.controller.fillImage) : ""
            }
        }

        // The liquid's surface (the classic cell's curved end), and the second tube's.
        Image {
            visible: gauge.ready && gauge.controller.surfaceImage !== "" && height > 0.5
                     && width > 0.5
            x: gauge.controller.surfaceFrame.x
            y: gauge.controller.surfaceFrame.y
            width: gauge.controller.surfaceFrame.width
            height: gauge.controller.surfaceFrame.height
            source: gauge.ready ? gauge.library(gauge.controller.surfaceImage) : ""
        }
        Image {
            visible: gauge.ready && gauge.controller.skin === 2 && height > 0.5
            x: gauge.controller.surface2Frame.x
            y: gauge.controller.surface2Frame.y
            width: gauge.controller.surface2Frame.width
            height: gauge.controller.surface2Frame.height
            source: visible ? gauge.library(gauge.controller.surfaceImage) : ""
        }

        // Nuclear: the core rides on the coolant, inside the reactor's window.
        Image {
            visible: gauge.ready && gauge.controller.coreImage !== ""
            x: gauge.controller.coreFrame.x
            y: gauge.controller.coreFrame.y
            width: gauge.controller.coreFrame.width
            height: gauge.controller.coreFrame.height
            source: visible ? gauge.library(gauge.controller.coreImage) : ""
        }

        // The faceplate, opaque but for the windows.
        Image {
            width: canvas.width
            height: canvas.height
            source: gauge.ready ? gauge.library(gauge.controller.bodyImage) : ""
        }

        // Atomic: the electron glides from one 0.08 s position to the next (the controller
        // draws the glide in frames).
        Image {
            id: electron
            visible: gauge.ready && gauge.controller.electronImage !== ""
            x: gauge.controller.electronPosition.x - width / 2
            y: gauge.controller.electronPosition.y - height / 2
            source: visible ? gauge.library(gauge.controller.electronImage) : ""
        }

        // Nuclear: the rotors turn a quarter turn in each 0.6 s step, always clockwise.
        Repeater {
            model: gauge.ready && gauge.controller.rotorImage !== ""
                   ? [gauge.controller.rotorFrame, gauge.controller.rotor2Frame] : []
            Image {
                required property var modelData
                x: modelData.x
                y: modelData.y
                width: modelData.width
                height: modelData.height
                mipmap: true
                source: gauge.library(gauge.controller.rotorImage)
                rotation: gauge.controller.rotorRotation
            }
        }

        // No level known (no battery): the skin is veiled instead of drawn as an empty battery.
        Rectangle {
            anchors.fill: parent
            visible: gauge.ready && gauge.controller.levelUnknown
            color: Theme.ink
            opacity: 0.75
        }

        // The level slider, turned upright on every skin but the classic one.
        Item {
            id: slider
            visible: gauge.ready
            x: gauge.controller.sliderFrame.x
            y: gauge.controller.sliderFrame.y
            width: gauge.controller.sliderFrame.width
            height: gauge.controller.sliderFrame.height
            rotation: gauge.controller.sliderRotation

            // The track spans the thumb centre's travel.
            Image {
                x: 115
                width: slider.width - 230
                height: 10
                anchors.verticalCenter: parent.verticalCenter
                source: gauge.ready ? gauge.app.resourceImage(gauge.controller.trackImage) : ""
            }
            Image {
                x: gauge.controller.thumbCenter - width / 2
                anchors.verticalCenter: parent.verticalCenter
                source: gauge.ready ? gauge.app.resourceImage(gauge.controller.thumbImage) : ""
                scale: gauge.controller.thumbScale * (gauge.controller.tracking ? 1.12 : 1)
                Behavior on scale { NumberAnimation { duration: 120 } }
            }

            // Wider than the slider; the controller decides which touches are the slider's.
            MouseArea {
                Accessible.role: Accessible.Slider
                Accessible.name: qsTr("Battery level")
                anchors.fill: parent
                anchors.margins: -12
                function local(mouse) { return mapToItem(slider, mouse.x, mouse.y) }
                onPressed: mouse => {
                    const p = local(mouse)
                    mouse.accepted = gauge.controller.sliderPressed(p.x, p.y)
                }
                onPositionChanged: mouse => gauge.controller.sliderMoved(local(mouse).x)
                onReleased: gauge.controller.sliderReleased()
                onCanceled: gauge.controller.sliderReleased()
            }
        }
    }
}
