// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The memory screen in the phone layout.
MemoryBase {
    prefix: "1_"
    ringSize: 180
    ringWidth: 13
    ringGap: 3
    textSize: 14
    rowHeight: 22
    margin: 12
}
