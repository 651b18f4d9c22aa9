// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The tips page in the phone layout; the taller phone gives the text 50 points more.
TipsBase {
    titleSize: 20
    textTop: 40
    textHeight: height >= 568 ? 200 : 150
    artTop: textTop + textHeight + 6
    dotsTop: artTop + 100
    buttonSize: 34
}
