// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/monthmath.h"

#include <gtest/gtest.h>

namespace {

using namespace monthmath;

TEST(MonthMath, GridOfAMonth)
{
    const struct
    {
        YearMonth ym;
        int days;
        int firstWeekDay;
        int rows;
    } cases[] = {
        {{2024, 5}, 31, 3, 5}, // starts on a Wednesday
        {{2024, 9}, 30, 7, 6}, // starts on a Sunday: six rows
        {{2027, 2}, 28, 1, 4}, // 28 days from a Monday: four rows
        {{2024, 2}, 29, 4, 5}, // leap year
        {{2100, 2}, 28, 1, 4}, // a century that is no leap year
        {{2000, 2}, 29, 2, 5}, // one that is
        {{2026, 12}, 31, 2, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ym.year << "-" << c.ym.month);
        EXPECT_EQ(numDaysInMonth(c.ym), c.days);
        EXPECT_EQ(firstWeekDayInMonth(c.ym), c.firstWeekDay);
        EXPECT_EQ(rowsInMonth(c.ym), c.rows);
    }
}

TEST(MonthMath, OffsetMonthAcrossYears)
{
    const struct
    {
        YearMonth from;
        int by;
        YearMonth to;
    } cases[] = {
        {{2024, 12}, 1, {2025, 1}},  {{2025, 1}, -1, {2024, 12}},  {{2024, 5}, 0, {2024, 5}},
        {{2024, 11}, 14, {2026, 1}}, {{2024, 2}, -26, {2021, 12}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(offsetMonth(c.from, c.by), c.to)
            << c.from.year << "-" << c.from.month << " " << c.by;
}

TEST(MonthMath, CellsAndDaysRollIntoNeighbouringMonths)
{
    const struct
    {
        YearMonth ym;
        Cell cell;
        Date date;
    } cases[] = {
        {{2024, 5}, {0, 0}, {2024, 4, 29}}, // day -1 of May 2024
        {{2024, 5}, {2, 0}, {2024, 5, 1}},   {{2024, 5}, {4, 4}, {2024, 5, 31}},
        {{2024, 5}, {6, 4}, {2024, 6, 2}},   {{2024, 9}, {0, 0}, {2024, 8, 26}},
        {{2024, 12}, {3, 5}, {2025, 1, 2}},  // past December into January
        {{2025, 1}, {0, 0}, {2024, 12, 30}}, // before January into December
    };
    for (const auto &c : cases) {
        const int first = firstWeekDayInMonth(c.ym);
        const int day = dayOfCell(c.cell, first);
        EXPECT_EQ(rollDay(c.ym, day), c.date) << c.ym.year << "-" << c.ym.month << " day " << day;
        EXPECT_EQ(cellOfDay(day, first), c.cell);
    }
}

TEST(MonthMath, TouchesOnTheMonthView)
{
    const YearMonth may{2024, 5};
    const struct
    {
        bool tablet;
        double x, y;
        TouchTarget target;
        int day;
    } cases[] = {
        {false, 10, 20, TouchTarget::Previous, 0},
        {false, 300, 20, TouchTarget::Next, 0},
        {false, 160, 20, TouchTarget::Title, 0},
        {false, 160, 50, TouchTarget::None, 0}, // the weekday names
        {false, 5, 65, TouchTarget::Day, -1},
        {false, 100, 65, TouchTarget::Day, 1},
        {false, 319, 60 + 4 * 45 + 1, TouchTarget::Day, 33}, // 2 June
        {false, 100, 60 + 5 * 45 + 1, TouchTarget::None, 0}, // below the fifth and last row
        {true, 20, 40, TouchTarget::Previous, 0},
        {true, 750, 40, TouchTarget::Next, 0},
        {true, 400, 120, TouchTarget::None, 0},
        {true, 734, 140, TouchTarget::Day, 5},
        {true, 736, 140, TouchTarget::None, 0}, // right of the seventh column
        {true, 767, 500, TouchTarget::None, 0},
    };
    for (const auto &c : cases) {
        const Touch t = touchAt(c.x, c.y, geometry(c.tablet), may);
        EXPECT_EQ(t.target, c.target) << (c.tablet ? "tablet " : "phone ") << c.x << "," << c.y;
        EXPECT_EQ(t.day, c.day) << (c.tablet ? "tablet " : "phone ") << c.x << "," << c.y;
    }
}

} // namespace
