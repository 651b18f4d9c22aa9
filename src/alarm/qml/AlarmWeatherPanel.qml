import QtQuick

// The weather panel of the alarm screen, opened with the location button. It holds no forecast
// yet: a back button closes it.
Rectangle {
    id: panel
    property QtObject settings
    property QtObject app
    property int backWidth: 52
    property int backHeight: 47
    property int titleSize: 22
    property int textSize: 16
    property int margin: 14
    readonly property bool shown: settings && settings.weatherViewVisible

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }

    color: Theme.ink
    visible: x < width
    x: shown ? 0 : width
    Behavior on x { NumberAnimation { duration: 280; easing.type: Easing.OutCubic } }

    MouseArea { anchors.fill: parent; Accessible.ignored: true }

    Image {
        anchors.fill: parent
        fillMode: Image.PreserveAspectCrop
        opacity: 0.55
        source: panel.app ? panel.app.resourceImage("Background(5)_Settings.png") : ""
    }

    Item {
        id: header
        width: parent.width
        height: panel.backHeight + 20
        Image {
            x: panel.margin / 2
            anchors.verticalCenter: parent.verticalCenter
            width: panel.backWidth
            height: panel.backHeight
            source: panel.settings ? panel.fileUrl(panel.settings.backImage) : ""
            MouseArea {
                Accessible.role: Accessible.Button
                Accessible.name: "Back"
                anchors.fill: parent
                onClicked: panel.settings.hideWeatherview()
            }
        }
        Text {
            anchors.centerIn: parent
            text: "Weather"
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: panel.titleSize
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 4 * panel.margin
        spacing: panel.margin / 2
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "No forecast yet"
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: panel.titleSize
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: "The place for the clock's forecast is chosen here."
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: panel.textSize
        }
    }
}
