// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/timeforaction.h"

#include <string>
#include <vector>

// One row of the activity list: what the activity is called, how long the remaining charge lasts
// in it, and a bar comparing that time with the time of audio playback.
struct DetailsCell
{
    std::string actionLabel;
    std::string timeLabel;
    // The bar's filled share, already made drawable: 0 (empty) to 1 (full).
    float progressTime = 0;

    bool operator==(const DetailsCell &) const = default;
};

// The bar for hours against the audio-playback hours. Times longer than audio playback fill the
// bar; a ratio that is no number (both times 0, as for an unknown model) leaves it empty.
float detailsBarFraction(float hours, float audioHours);

// All eighteen rows, in list order, for a profile. An activity the profile lacks lasts 0 hours;
// while the draw is being measured every row says so, with an empty bar.
std::vector<DetailsCell> detailsCells(const Profile &profile, bool measuring = false);
