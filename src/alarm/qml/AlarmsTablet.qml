// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The alarm and alert settings screen in the tablet layout: larger type and the tablet image
// set; the editor is a card over the screen.
AlarmsBase {
    margin: 40
    backWidth: 44
    backHeight: 44
    titleSize: 30
    sectionSize: 17
    textSize: 22
    captionSize: 16
    timeSize: 46
    quietTimeSize: 34
    rowHeight: 84
    addWidth: 198
    addHeight: 36
    switchWidth: 112
    switchHeight: 63
    setWidth: 62
    setHeight: 27
    changeWidth: 90
    changeHeight: 42
    deleteWidth: 140
    pickerRowHeight: 44
    pickerTextSize: 30
    editorWidth: 600
    editorHeight: 640
    editorRadius: 20
    editorHeaderHeight: 80
    editorLabelSize: 34
    editorRowHeight: 72
    dayWheelWidth: 240
    numberWheelWidth: 96
    doneWidth: 108
    doneHeight: 44
    dayButtonWidth: 40
    dayButtonHeight: 25
    checkSize: 42
    panelRowHeight: 60
}
