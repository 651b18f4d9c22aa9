// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The nominal capacity written at the start of a "Battery capacity" text ("1440 mAh",
// "1420mAh", "  6613 mAh (24.8 Wh)"). Leading white space is skipped and the longest leading
// plain decimal number (digits with an optional fraction, "1440", "1440.5", ".5") is read.
// Everything else gives 0: a text that starts with a letter or is empty, a sign ("-5 mAh" is no
// capacity), and a number too large for a float. An exponent is not part of the number, so
// "1.5e3 mAh" reads as 1.5: capacities are written out in mAh, never in scientific notation.
float capacityFromText(std::string_view text);
