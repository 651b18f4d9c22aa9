import QtQuick

// A page whose screen is not part of this build yet: its title on the page background.
Item {
    id: page
    property string title
    property var actions: []
    signal actionTriggered(int index)

    Text {
        id: heading
        anchors.horizontalCenter: parent.horizontalCenter
        y: 36
        text: page.title
        color: Theme.text
        font.family: Theme.font
        font.pixelSize: 26
    }
    Rectangle {
        anchors.top: heading.bottom
        anchors.topMargin: 8
        anchors.horizontalCenter: parent.horizontalCenter
        width: 48
        height: 3
        radius: 1.5
        color: Theme.accent
    }
    Column {
        anchors.horizontalCenter: parent.horizontalCenter
        y: heading.y + 72
        spacing: 12
        Repeater {
            model: page.actions
            Rectangle {
                width: 200
                height: 44
                radius: 22
                color: Theme.surface
                border.color: Theme.accent
                border.width: 1
                Text {
                    anchors.centerIn: parent
                    text: modelData
                    color: Theme.accent
                    font.family: Theme.font
                    font.pixelSize: 18
                }
                MouseArea {
                    Accessible.role: Accessible.Button
                    Accessible.name: modelData
                    anchors.fill: parent
                    onClicked: page.actionTriggered(index)
                }
            }
        }
    }
}
