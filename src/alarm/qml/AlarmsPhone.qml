// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The alarm and alert settings screen in the phone layout.
AlarmsBase {
}
