// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// The battery-health questionnaire's arithmetic: four answers (age in years, daily use in hours,
// screen brightness in percent, recharges per week) give a score of wear, higher being worse,
// and the score one of four pictures.
namespace healthscore {

// The weights of the answers.
inline constexpr int goodVAl = 5;
inline constexpr int midleVal = 10;
inline constexpr int badVAl = 20;

// The questions with answers, rows 1 to 4 of the screen.
enum Row {
    Age = 1,
    DailyUse = 2,
    Brightness = 3,
    Recharges = 4,
};

struct Range
{
    int minimum;
    int maximum;
    int step;
    int defaultValue;
};

// The range of a row's answer (rows 1 to 4).
Range range(int row);
int clamp(int row, int value);

// The four answers in row order.
using Answers = std::array<int, 4>;
inline constexpr Answers kDefaultAnswers = {1, 1, 0, 1};

// The score of four answers; at most 500 within the ranges.
int calctBattStatus(const Answers &answers);

// The picture band of a score, 1 to 4: up to 70, 71 to 160, 161 to 300, above 300.
int band(int score);
std::string pictureName(int score);

// What minus and plus make of an answer: the new answer, or the alert when the answer stays.
struct Step
{
    int value;
    bool limit; // the answer is at its end: "This is minimum value!" / "This is maximum value!"
};
Step minus(int row, int value);
Step plus(int row, int value);

} // namespace healthscore
