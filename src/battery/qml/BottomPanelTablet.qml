// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The summary panel in the tablet layout.
BottomPanelBase {
    margin: 40
    readoutTop: 20
    percentSize: 84
    timeSize: 50
    captionSize: 18
    drawUnderCaption: true
    drawGap: 6
    buttonsTop: 150
    buttonWidth: 128
    buttonHeight: 119
    cardTop: 282
    cardHeight: 186
    tipY: 12
    tipWidth: 576
    tipHeight: 98
    detailsY: 114
    detailsWidth: 197
    detailsHeight: 64
    cardRadius: 24
    hintSize: 22
}
