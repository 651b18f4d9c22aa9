import QtQuick

// The activity list in the phone layout.
DetailsBase {
}
