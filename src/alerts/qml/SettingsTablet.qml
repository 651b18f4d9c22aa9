import QtQuick

// The settings menu in the tablet layout, on its backdrop and above the open wheel.
SettingsBase {
    titleTop: 60
    titleSize: 40
    captionSize: 22
    gridTop: 160
    buttonWidth: 86
    buttonHeight: 84
    rowGap: 60
    switchTop: 560
    switchWidth: 112
    switchHeight: 63
    margin: 120
}
