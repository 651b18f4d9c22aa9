// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Window
import Powerdeck

// The battery gauge behind the main screen's pages: the chosen skin's layers drawn in the skin's
// own coordinates (its canvas), placed by the controller into the band the pages leave open, and
// the level slider on top. Back to front: liquid, surface, core, faceplate, electron or rotors,
// slider. Every frame comes from the controller; this file only draws and animates. The large
// layers are decoded on Qt Quick's image thread: the window opens while they load.
Item {
    id: gauge
    required property BatteryController controller
    required property AppState app
    readonly property bool ready: controller !== null && app !== null

    visible: ready && !controller.removed

    function library(name) { return ready && name !== "" ? app.libraryImage(name) : "" }
    // The part r of a picture (see LibraryPictures).
    function clipped(url, r) {
        return url !== "" ? url + "#clip=" + r.x + "," + r.y + "," + r.width + "," + r.height : ""
    }

    // Device pixels per unit of the skin's canvas (every scale on the way to the window), for
    // the pictures drawn ahead of time at the size they are shown.
    readonly property real pixelsPerUnit: {
        let units = Screen.devicePixelRatio
        for (let item = canvas; item; item = item.parent)
            units *= item.scale
        return units
    }

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
            asynchronous: true
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
                asynchronous: true
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
            asynchronous: true
        }

        // The faceplate, opaque but for the windows; on the nuclear skin in pieces around the
        // rotors, whose frames bring the faceplate below them along.
        Image {
            visible: gauge.ready && gauge.controller.bodyPieces.length === 0
            width: canvas.width
            height: canvas.height
            source: visible ? gauge.library(gauge.controller.bodyImage) : ""
            asynchronous: true
        }
        Repeater {
            model: gauge.ready ? gauge.controller.bodyPieces : []
            Image {
                required property var modelData
                x: modelData.x
                y: modelData.y
                width: modelData.width
                height: modelData.height
                source: gauge.clipped(gauge.library(gauge.controller.bodyImage), modelData)
                asynchronous: true
            }
        }

        // Atomic: the electron glides from one 0.08 s position to the next (the controller
        // draws the glide in frames).
        Image {
            id: electron
            visible: gauge.ready && gauge.controller.electronImage !== ""
            x: gauge.controller.electronX - width / 2
            y: gauge.controller.electronY - height / 2
            source: visible ? gauge.library(gauge.controller.electronImage) : ""
        }

        // Nuclear: the rotors turn a quarter turn in each 0.6 s step, always clockwise. The
        // three-bladed rotor looks the same every 120 degrees and is only ever shown at
        // multiples of the controller's position angle, so those few positions are drawn once,
        // over the faceplate below them and without transparency, at the size they are shown;
        // a frame shows one of them. Until all are drawn the picture is turned as it is shown.
        Repeater {
            model: gauge.ready && gauge.controller.rotorImage !== ""
                   ? [gauge.controller.rotorFrame, gauge.controller.rotor2Frame] : []
            Item {
                id: rotor
                required property var modelData
                readonly property int step: gauge.controller.rotorPositionDegrees
                readonly property int positions: 120 / step
                readonly property int position: Math.round(
                    (((gauge.controller.rotorRotation % 120) + 120) % 120) / step) % positions
                readonly property int pixelWidth: Math.round(width * gauge.pixelsPerUnit)
                readonly property int pixelHeight: Math.round(height * gauge.pixelsPerUnit)
                readonly property string crop: [modelData.x, modelData.y, modelData.width,
                                                modelData.height].join(",")
                // One bit for each position drawn.
                property int drawn: 0
                readonly property bool allDrawn: drawn === (1 << positions) - 1
                // The positions' picture addresses, made once for the size shown.
                readonly property var turned: {
                    if (pixelWidth <= 0)
                        return []
                    const tail = "/" + crop + "/"
                                 + encodeURIComponent(gauge.library(gauge.controller.rotorImage))
                                 + "/" + encodeURIComponent(gauge.library(gauge.controller.bodyImage))
                                 + "/" + encodeURIComponent(Theme.ink.toString())
                    const urls = []
                    for (let p = 0; p < positions; ++p)
                        urls.push("image://turned/" + (p * step) + tail)
                    return urls
                }
                x: modelData.x
                y: modelData.y
                width: modelData.width
                height: modelData.height

                Image {
                    anchors.fill: parent
                    visible: !rotor.allDrawn
                    mipmap: true
                    source: visible ? gauge.library(gauge.controller.rotorImage) : ""
                    rotation: gauge.controller.rotorRotation
                }
                // The positions, drawn on the loader's thread and kept by the picture cache;
                // never shown themselves.
                Repeater {
                    model: rotor.positions
                    Image {
                        required property int index
                        visible: false
                        asynchronous: true
                        sourceSize.width: rotor.pixelWidth
                        sourceSize.height: rotor.pixelHeight
                        source: rotor.turned.length > 0 ? rotor.turned[index] : ""
                        onStatusChanged: rotor.drawn = status === Image.Ready
                                         ? (rotor.drawn | (1 << index)) : (rotor.drawn & ~(1 << index))
                    }
                }
                // One picture node for every frame, its picture taken from the cache.
                Image {
                    anchors.fill: parent
                    visible: rotor.allDrawn
                    smooth: false
                    sourceSize.width: rotor.pixelWidth
                    sourceSize.height: rotor.pixelHeight
                    source: visible ? rotor.turned[rotor.position] : ""
                }
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
