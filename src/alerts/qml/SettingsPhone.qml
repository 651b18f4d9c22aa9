// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The settings menu in the phone layout, above the open wheel.
SettingsBase {
}
