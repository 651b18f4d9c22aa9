// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The tips page in the tablet layout.
TipsBase {
    titleSize: 30
    textTop: 80
    textHeight: 300
    artTop: 400
    dotsTop: 620
    buttonSize: 52
}
