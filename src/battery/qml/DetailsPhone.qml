// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The activity list in the phone layout.
DetailsBase {
}
