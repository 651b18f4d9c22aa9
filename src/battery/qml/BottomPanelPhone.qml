// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The summary panel in the phone layout. On the short screen the tip lies over the details
// button; the tall screen gives each its own place on the shipped card.
BottomPanelBase {
    readonly property bool tall: controller && controller.screenHeight >= 568
    showTipHint: false
    cardTop: tall ? 136 : 140
    cardHeight: tall ? 122 : 56
    tipY: tall ? 12 : 2
    detailsY: tall ? 74 : 8
}
