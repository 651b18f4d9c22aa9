import QtQuick

// The settings menu in the phone layout, above the open wheel.
SettingsBase {
}
