// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Specification figures as the user's locale writes them, for showing only: devices.plist, the
// live readings and powerdeck-cli keep the decimal point.
namespace figuretext {

// Every decimal number of the figure with `decimalPoint` in place of its point: "3.7 V" ->
// "3,7 V", "241.2 x 185.7 x 9.4 mm" -> "241,2 x 185,7 x 9,4 mm". Whole numbers and dotted runs
// of more than two parts ("1.2.3") stay as they are.
std::string withDecimalPoint(std::string_view figure, std::string_view decimalPoint);

// Whether a specification property holds a measurement ("Battery voltage", "Size"); the others
// hold names, standards and versions ("iPhone 4S", "802.11 b/g", "4.0") whose points stay.
bool isMeasurement(std::string_view property);

} // namespace figuretext
