// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/healthscore.h"

#include <algorithm>

namespace healthscore {

Range range(int row)
{
    switch (row) {
    case Brightness:
        return {0, 100, 10, 0};
    default:
        return {1, 10, 1, 1};
    }
}

int clamp(int row, int value)
{
    const Range r = range(row);
    return std::clamp(value, r.minimum, r.maximum);
}

int calctBattStatus(const Answers &answers)
{
    int score = 0;
    int a = answers[0];
    if (a >= 4) {
        score += (a - 3) * badVAl + midleVal;
        a = 2;
    } else if (a == 3) {
        score += midleVal;
        a = 2;
    }
    score += a * goodVAl;

    int h = answers[1];
    if (h >= 9) {
        score += (h - 8) * badVAl + 3 * midleVal;
        h = 5;
    } else if (h >= 6) {
        score += (h - 5) * midleVal;
        h = 5;
    }
    score += h * goodVAl;

    const int b = answers[2];
    int g = b / 10;
    if (b >= 90) {
        score += (g - 8) * badVAl + 3 * midleVal;
        g = 5;
    } else if (b >= 60) {
        score += (g - 5) * midleVal;
        g = 5;
    }
    score += g * goodVAl;

    int w = answers[3];
    if (w >= 5) {
        score += (w - 4) * badVAl + 2 * midleVal;
        w = 2;
    } else if (w >= 3) {
        score += (w - 2) * midleVal;
        w = 2;
    }
    score += w * goodVAl;
    return score;
}

int band(int score)
{
    if (score <= 70)
        return 1;
    if (score <= 160)
        return 2;
    if (score <= 300)
        return 3;
    return 4;
}

std::string pictureName(int score)
{
    return "Health-" + std::to_string(band(score)) + "_284x100.png";
}

Step minus(int row, int value)
{
    // Brightness falls by its step from 10 to 0; the others stop at 1.
    if (value < 2)
        return {value, true};
    return {std::max(value - range(row).step, range(row).minimum), false};
}

Step plus(int row, int value)
{
    const Range r = range(row);
    if (value >= r.maximum)
        return {value, true};
    return {std::min(value + r.step, r.maximum), false};
}

} // namespace healthscore
