import QtQuick

// The alarm and alert settings screen in the phone layout.
AlarmsBase {
}
