// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The weather panel of the alarm screen, opened with the location button: the place search
// (a collapsed line with the chosen place that opens into a search field, the current-location
// row and the results), the four days of the forecast and the three unit switches. While a
// forecast is fetched the panel takes no touches; failures come as an alert with one button.
Rectangle {
    id: panel
    required property AlertSettings settings
    required property WeatherViewController weather
    required property AppState app
    property color tint: Theme.accent
    property int backWidth: 52
    property int backHeight: 47
    property int titleSize: 22
    property int textSize: 16
    property int captionSize: 12
    property int rowHeight: 56
    property int changeWidth: 53
    property int changeHeight: 25
    property int margin: 14
    readonly property bool shown: settings && settings.weatherViewVisible
    readonly property PlaceSearch search: weather ? weather.placeSearch : null
    readonly property bool extended: search !== null && search.extended

    function fileUrl(path) { return path ? "file://" + encodeURI(path) : "" }

    color: Theme.ink
    visible: x < width
    x: shown ? 0 : width
    Behavior on x { NumberAnimation { duration: 280; easing.type: Easing.OutCubic } }
    onShownChanged: if (shown && weather) weather.viewWillAppear()

    MouseArea { anchors.fill: parent; Accessible.ignored: true }

    Image {
        anchors.fill: parent
        fillMode: Image.PreserveAspectCrop
        opacity: 0.55
        source: panel.app ? panel.app.resourceImage("Background(5)_Settings.png") : ""
    }

    component Caption: Item {
        id: caption
        property string title
        width: panel.width
        height: panel.rowHeight * 0.8
        Text {
            x: panel.margin
            anchors.bottom: parent.bottom
            anchors.bottomMargin: panel.margin * 0.5
            text: caption.title.toUpperCase()
            color: Theme.muted
            font.family: Theme.font
            font.pixelSize: panel.captionSize + 1
            font.letterSpacing: 1.5
            font.bold: true
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.line
        }
    }

    // A pair of choices; the chosen one is lit (the two indicators of the pair).
    component UnitRow: Rectangle {
        id: unitRow
        property string title
        property string first
        property string second
        property bool firstChosen
        signal chosen(int tag)
        width: panel.width
        height: panel.rowHeight
        color: "transparent"
        Text {
            x: panel.margin
            anchors.verticalCenter: parent.verticalCenter
            text: unitRow.title
            color: Theme.text
            font.family: Theme.font
            font.pixelSize: panel.textSize + 1
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: panel.margin
            anchors.verticalCenter: parent.verticalCenter
            spacing: panel.margin / 2
            Repeater {
                model: [unitRow.first, unitRow.second]
                Rectangle {
                    required property int index
                    required property string modelData
                    readonly property bool lit: unitRow.firstChosen === (index === 0)
                    width: panel.changeWidth * 1.8
                    height: panel.changeHeight * 1.3
                    radius: height / 2
                    color: lit ? panel.tint : Theme.raised
                    border.color: lit ? panel.tint : Theme.line
                    Text {
                        anchors.centerIn: parent
                        text: parent.modelData
                        color: parent.lit ? Theme.ink : Theme.text
                        font.family: Theme.font
                        font.pixelSize: panel.textSize
                    }
                    MouseArea {
                        Accessible.role: Accessible.Button
                        Accessible.name: parent.modelData
                        anchors.fill: parent
                        onClicked: unitRow.chosen(parent.index + 1)
                    }
                }
            }
        }
        Rectangle {
            x: panel.margin
            anchors.bottom: parent.bottom
            width: parent.width - panel.margin
            height: 1
            color: Theme.raised
        }
    }

    // An alert with one button.
    component AlertBox: Rectangle {
        id: alert
        property string title
        property string message
        property string button
        signal dismissed()
        anchors.fill: parent
        z: 10
        color: "#b0000000"
        MouseArea { anchors.fill: parent; Accessible.ignored: true }
        Rectangle {
            anchors.centerIn: parent
            width: Math.min(parent.width - 4 * panel.margin, panel.rowHeight * 7)
            height: box.height + 2 * panel.margin
            radius: panel.margin
            color: Theme.surface
            border.color: Theme.line
            Column {
                id: box
                anchors.centerIn: parent
                width: parent.width - 2 * panel.margin
                spacing: panel.margin
                Text {
                    width: parent.width
                    visible: alert.title.trim() !== ""
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    text: alert.title
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: panel.textSize + 2
                    font.bold: true
                }
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    text: alert.message
                    color: Theme.text
                    font.family: Theme.font
                    font.pixelSize: panel.textSize
                }
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: panel.changeWidth * 2
                    height: panel.changeHeight * 1.4
                    radius: height / 2
                    color: panel.tint
                    Text {
                        anchors.centerIn: parent
                        text: alert.button
                        color: Theme.ink
                        font.family: Theme.font
                        font.pixelSize: panel.textSize
                    }
                    MouseArea {
                        Accessible.role: Accessible.Button
                        Accessible.name: alert.button
                        anchors.fill: parent
                        onClicked: alert.dismissed()
                    }
                }
            }
        }
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
                Accessible.name: qsTr("Back")
                anchors.fill: parent
                onClicked: panel.settings.hideWeatherview()
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Weather")
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

    Flickable {
        anchors.top: header.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        contentHeight: content.height + panel.margin
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: content
            width: parent.width

            Caption { title: qsTr("Place") }

            // The place search: collapsed it shows the chosen place; open, the search field,
            // the current-location row and up to fifteen results.
            Rectangle {
                id: searchBox
                readonly property int rows: panel.search ? panel.search.rowCount : 0
                width: panel.width
                height: panel.extended
                        ? panel.rowHeight * 1.8 + Math.max(rows, 1) * panel.rowHeight
                        : panel.rowHeight
                Behavior on height { NumberAnimation { duration: 300 } }
                clip: true
                color: Theme.surface

                Item {
                    id: searchLine
                    width: parent.width
                    height: panel.rowHeight
                    Text {
                        x: panel.margin
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - 3 * panel.margin - gps.width
                        elide: Text.ElideRight
                        opacity: panel.extended ? 0 : 1
                        Behavior on opacity { NumberAnimation { duration: 300 } }
                        text: panel.search ? panel.search.searchedLabel : ""
                        color: panel.tint
                        font.family: Theme.font
                        font.pixelSize: panel.textSize + 1
                    }
                    Rectangle {
                        id: field
                        x: panel.margin
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - 4 * panel.margin - gps.width - searchButton.width
                        height: panel.rowHeight * 0.7
                        radius: panel.margin / 2
                        color: Theme.raised
                        border.color: input.activeFocus ? panel.tint : Theme.line
                        opacity: panel.extended ? 1 : 0
                        visible: opacity > 0
                        Behavior on opacity { NumberAnimation { duration: 400 } }
                        TextInput {
                            id: input
                            objectName: "placeSearchField"
                            anchors.fill: parent
                            anchors.leftMargin: panel.margin / 2
                            anchors.rightMargin: panel.margin / 2
                            verticalAlignment: TextInput.AlignVCenter
                            clip: true
                            color: Theme.text
                            selectionColor: panel.tint
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                            maximumLength: 100
                            inputMethodHints: Qt.ImhNoPredictiveText
                            onTextEdited: if (panel.search) panel.search.textChanged(text)
                            onAccepted: {
                                focus = false
                                if (panel.search)
                                    panel.search.searchButtonPressed()
                            }
                        }
                        Text {
                            anchors.fill: input
                            verticalAlignment: Text.AlignVCenter
                            visible: input.text === ""
                            text: panel.weather ? panel.weather.searchPlaceholder : ""
                            elide: Text.ElideRight
                            color: Theme.muted
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                        }
                    }
                    // Return or this button: the search the services allow only on request
                    // (postal codes, the place around typed coordinates).
                    Rectangle {
                        id: searchButton
                        objectName: "placeSearchButton"
                        anchors.left: field.right
                        anchors.leftMargin: panel.margin
                        anchors.verticalCenter: parent.verticalCenter
                        width: searchLabel.implicitWidth + panel.margin * 1.5
                        height: field.height
                        radius: height / 2
                        color: panel.tint
                        opacity: field.opacity
                        visible: field.visible
                        Text {
                            id: searchLabel
                            anchors.centerIn: parent
                            text: qsTr("Search")
                            color: Theme.ink
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                        }
                        MouseArea {
                            Accessible.role: Accessible.Button
                            Accessible.name: searchLabel.text
                            anchors.fill: parent
                            onClicked: {
                                input.focus = false
                                panel.search.searchButtonPressed()
                            }
                        }
                    }
                    Image {
                        id: gps
                        anchors.right: parent.right
                        anchors.rightMargin: panel.margin
                        anchors.verticalCenter: parent.verticalCenter
                        height: panel.rowHeight * 0.55
                        width: height * 1.2
                        fillMode: Image.PreserveAspectFit
                        smooth: true
                        opacity: panel.extended ? 1 : 0.8
                        source: panel.search ? panel.fileUrl(panel.search.extendShrinkImage) : ""
                        MouseArea {
                            Accessible.role: Accessible.Button
                            Accessible.name: panel.extended ? qsTr("Close the place search")
                                                            : qsTr("Search a place")
                            anchors.fill: parent
                            anchors.margins: -8
                            onClicked: panel.search.extendShrinkButtonPressed()
                        }
                    }
                }

                Column {
                    y: panel.rowHeight
                    width: parent.width
                    opacity: panel.extended ? 1 : 0
                    visible: opacity > 0
                    Behavior on opacity { NumberAnimation { duration: 400 } }

                    Item {
                        width: parent.width
                        height: panel.rowHeight * 0.8
                        Text {
                            x: panel.margin
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTr("Use current location")
                            color: panel.tint
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                        }
                        MouseArea {
                            Accessible.role: Accessible.Button
                            Accessible.name: qsTr("Use current location")
                            anchors.fill: parent
                            onClicked: panel.search.currentLocationButtonPressed()
                        }
                    }
                    Text {
                        x: panel.margin
                        height: panel.rowHeight
                        visible: searchBox.rows === 0
                        verticalAlignment: Text.AlignVCenter
                        text: panel.search && panel.search.searching ? qsTr("Searching\u2026")
                                                                     : qsTr("Type two letters or more")
                        color: Theme.muted
                        font.family: Theme.font
                        font.pixelSize: panel.textSize
                    }
                    Repeater {
                        model: panel.search ? panel.search.cells : []
                        Item {
                            id: cellView
                            required property int index
                            required property PlaceSearchCell modelData
                            width: panel.width
                            height: panel.rowHeight
                            Text {
                                x: panel.margin
                                y: parent.height * 0.12
                                width: parent.width - 2 * panel.margin
                                elide: Text.ElideRight
                                text: cellView.modelData ? cellView.modelData.placeName : ""
                                color: Theme.text
                                font.family: Theme.font
                                font.pixelSize: panel.textSize + 1
                            }
                            Text {
                                x: panel.margin
                                anchors.bottom: parent.bottom
                                anchors.bottomMargin: parent.height * 0.1
                                width: parent.width - 2 * panel.margin
                                elide: Text.ElideRight
                                text: cellView.modelData ? cellView.modelData.placeType : ""
                                color: Theme.muted
                                font.family: Theme.font
                                font.pixelSize: panel.captionSize
                            }
                            Rectangle {
                                x: panel.margin
                                anchors.bottom: parent.bottom
                                width: parent.width - panel.margin
                                height: 1
                                color: Theme.raised
                            }
                            MouseArea {
                                Accessible.role: Accessible.Button
                                Accessible.name: cellView.modelData ? cellView.modelData.placeName
                                                                    : ""
                                anchors.fill: parent
                                onClicked: panel.search.didSelectRow(cellView.index)
                            }
                        }
                    }
                }
            }

            Caption { title: qsTr("Forecast") }
            Text {
                x: panel.margin
                width: panel.width - 2 * panel.margin
                height: panel.rowHeight
                visible: !forecastRow.visible
                verticalAlignment: Text.AlignVCenter
                wrapMode: Text.WordWrap
                text: qsTr("Pick a place for the clock's forecast")
                color: Theme.muted
                font.family: Theme.font
                font.pixelSize: panel.textSize
            }
            Row {
                id: forecastRow
                width: panel.width
                topPadding: panel.margin / 2
                bottomPadding: panel.margin / 2
                visible: panel.weather !== null && panel.weather.forecastDays[0] !== ""
                Repeater {
                    model: 4
                    Column {
                        required property int index
                        width: panel.width / 4
                        spacing: 2
                        Text {
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            text: panel.weather ? panel.weather.forecastDays[parent.index] : ""
                            color: Theme.muted
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                        }
                        Text {
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            text: panel.weather ? panel.weather.forecastTemps[parent.index] : ""
                            color: Theme.text
                            font.family: Theme.font
                            font.pixelSize: panel.textSize + 6
                        }
                        Text {
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            text: panel.weather ? panel.weather.forecastTempsLow[parent.index] : ""
                            color: panel.tint
                            font.family: Theme.font
                            font.pixelSize: panel.textSize
                        }
                    }
                }
            }

            // The credit the keyless services ask for wherever their data is shown.
            Text {
                objectName: "weatherAttribution"
                x: panel.margin
                width: panel.width - 2 * panel.margin
                topPadding: panel.margin
                visible: text !== ""
                wrapMode: Text.WordWrap
                text: panel.weather ? panel.weather.attribution : ""
                color: Theme.muted
                font.family: Theme.font
                font.pixelSize: panel.captionSize
            }

            Caption { title: qsTr("Units") }
            UnitRow {
                title: qsTr("Temperature")
                first: qsTr("Celsius")
                second: qsTr("Fahrenheit")
                firstChosen: panel.weather !== null && panel.weather.celsius
                onChosen: (tag) => panel.weather.celsiusOrFarengheit(tag)
            }
            UnitRow {
                title: qsTr("Person")
                first: qsTr("Man")
                second: qsTr("Woman")
                firstChosen: panel.weather !== null && panel.weather.man
                onChosen: (tag) => panel.weather.manOrWoman(tag)
            }
            UnitRow {
                title: qsTr("Speed")
                first: qsTr("km/h")
                second: qsTr("mph")
                firstChosen: panel.weather !== null && panel.weather.kilometri
                onChosen: (tag) => panel.weather.kmOrMph(tag)
            }

        }
    }

    // While a forecast is fetched: a spinner, and no touches reach the panel.
    Rectangle {
        anchors.fill: parent
        z: 9
        color: "#80000000"
        visible: panel.shown && panel.weather !== null && panel.weather.busy
        MouseArea { anchors.fill: parent; Accessible.ignored: true }
        Rectangle {
            id: spinner
            anchors.centerIn: parent
            width: 50
            height: 50
            radius: 25
            color: "transparent"
            border.width: 5
            border.color: Theme.line
            Rectangle {
                width: 12
                height: 12
                radius: 6
                x: parent.width / 2 - 6
                y: -3
                color: panel.tint
            }
            RotationAnimation on rotation {
                running: spinner.visible
                from: 0
                to: 360
                duration: 900
                loops: Animation.Infinite
            }
        }
    }

    AlertBox {
        visible: panel.shown && panel.weather !== null && panel.weather.alertVisible
        title: panel.weather ? panel.weather.alertTitle : ""
        message: panel.weather ? panel.weather.alertMessage : ""
        button: panel.weather ? panel.weather.alertButton : ""
        onDismissed: panel.weather.dismissAlert()
    }
    AlertBox {
        visible: panel.shown && panel.search !== null && panel.search.alertVisible
        title: panel.search ? panel.search.alertTitle : ""
        message: panel.search ? panel.search.alertMessage : ""
        button: qsTr("OK")
        onDismissed: panel.search.dismissAlert()
    }

    Connections {
        target: panel.search
        function onSearchTextChanged() {
            if (input.text !== panel.search.searchText)
                input.text = panel.search.searchText
        }
        function onExtendedChanged() {
            if (panel.search.extended)
                input.forceActiveFocus()
            else
                input.focus = false
        }
    }
}
