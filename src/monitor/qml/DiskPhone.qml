// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The disk screen in the phone layout.
DiskBase {
    prefix: "1_"
    backImage: "1_back-4_52x47.png"
    backWidth: 52
    backHeight: 47
}
