// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// Gregorian month arithmetic for the calendar's month view: weeks start on Monday, a month is
// drawn as a grid of seven columns and as many rows as its days need.
namespace monthmath {

struct YearMonth
{
    int year = 1970;
    int month = 1; // 1 to 12

    bool operator==(const YearMonth &) const = default;
};

struct Date
{
    int year = 1970;
    int month = 1;
    int day = 1;

    bool operator==(const Date &) const = default;
};

bool isLeapYear(int year);
int numDaysInMonth(YearMonth ym);
// The weekday of the month's first day, 1 = Monday ... 7 = Sunday.
int firstWeekDayInMonth(YearMonth ym);
// The month moved by a number of months (negative: back), across years.
YearMonth offsetMonth(YearMonth ym, int months);
// Rows of the grid: ceil((days + firstWeekDay - 1) / 7).
int rowsInMonth(YearMonth ym);

struct Cell
{
    int column = 0; // 0 = Monday
    int row = 0;

    bool operator==(const Cell &) const = default;
};

// The grid cell of a day of the month (day may lie outside the month: the grid's leading and
// trailing places).
Cell cellOfDay(int day, int firstWeekDay);
// The day number shown in a cell: may be below 1 or above the month's length.
int dayOfCell(Cell cell, int firstWeekDay);
// A day number of a month that may lie outside it, as the date it stands for (day 0 is the
// previous month's last day, day 32 of a 31-day month the next month's first).
Date rollDay(YearMonth ym, int day);

// The month view's sizes, in points.
struct Geometry
{
    double dayWidth;
    double dayHeight;
    double topBarHeight;
    double viewWidth;
    double cellWidth;
    double cellHeight;
    // The lower part of the top bar that holds the weekday names.
    double weekdayBarHeight;
    // The touch areas of the previous and next arrows at either end of the title.
    double arrowWidth;

    double pitchX() const { return dayWidth + 2; }
    double pitchY() const { return dayHeight + 2; }
    // The view's height for a month of that many rows.
    double heightForRows(int rows) const { return topBarHeight + rows * pitchY(); }
};

Geometry geometry(bool tablet);

// Where a touch on the month view lands.
enum class TouchTarget {
    None,     // nothing: beyond the seventh column, below the last row, or on the weekday names
    Previous, // left end of the title row
    Next,     // right end of the title row
    Title,    // the month's name
    Day,      // a day cell (the day may lie outside the month)
};

struct Touch
{
    TouchTarget target = TouchTarget::None;
    int day = 0; // for Day
};

Touch touchAt(double x, double y, const Geometry &g, YearMonth ym);

} // namespace monthmath
