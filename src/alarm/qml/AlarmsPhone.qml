// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Powerdeck

// The alarm and alert settings screen in the phone layout.
AlarmsBase {
}
