// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The processor screen in the phone layout.
CpuBase {
    prefix: "1_"
    backImage: "1_back-4_52x47.png"
    backWidth: 52
    backHeight: 47
}
