// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/monthmath.h"

#include <cmath>

namespace monthmath {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// Floor division that rounds towards minus infinity, for negative day and month offsets.
int floorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int numDaysInMonth(YearMonth ym)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (ym.month == 2 && isLeapYear(ym.year))
        return 29;
    return kDays[(ym.month - 1 + 12) % 12];
}

int firstWeekDayInMonth(YearMonth ym)
{
    // 1970-01-01 was a Thursday (4 in a Monday-first week).
    const long days = daysFromCivil(ym.year, ym.month, 1);
    const long weekday = ((days + 3) % 7 + 7) % 7; // 0 = Monday
    return int(weekday) + 1;
}

YearMonth offsetMonth(YearMonth ym, int months)
{
    const int index = ym.year * 12 + (ym.month - 1) + months;
    return {floorDiv(index, 12), index - floorDiv(index, 12) * 12 + 1};
}

int rowsInMonth(YearMonth ym)
{
    return (numDaysInMonth(ym) + firstWeekDayInMonth(ym) - 1 + 6) / 7;
}

Cell cellOfDay(int day, int firstWeekDay)
{
    const int index = day + firstWeekDay - 2;
    return {index - floorDiv(index, 7) * 7, floorDiv(index, 7)};
}

int dayOfCell(Cell cell, int firstWeekDay)
{
    return cell.column + 7 * cell.row - firstWeekDay + 2;
}

Date rollDay(YearMonth ym, int day)
{
    while (day < 1) {
        ym = offsetMonth(ym, -1);
        day += numDaysInMonth(ym);
    }
    while (day > numDaysInMonth(ym)) {
        day -= numDaysInMonth(ym);
        ym = offsetMonth(ym, 1);
    }
    return {ym.year, ym.month, day};
}

Geometry geometry(bool tablet)
{
    if (tablet)
        return {103, 102, 138, 768, 102, 103, 40, 50};
    return {44, 43, 60, 320, 44, 42, 20, 50};
}

Touch touchAt(double x, double y, const Geometry &g, YearMonth ym)
{
    if (x < 0 || y < 0 || x >= g.viewWidth)
        return {};
    if (y < g.topBarHeight) {
        if (y >= g.topBarHeight - g.weekdayBarHeight)
            return {};
        if (x < g.arrowWidth)
            return {TouchTarget::Previous, 0};
        if (x >= g.viewWidth - g.arrowWidth)
            return {TouchTarget::Next, 0};
        return {TouchTarget::Title, 0};
    }
    const int column = int(std::floor(x / g.pitchX()));
    const int row = int(std::floor((y - g.topBarHeight) / g.pitchY()));
    // The columns end before the view does on tablets (7 x 105 of 768 points).
    if (column > 6 || row >= rowsInMonth(ym))
        return {};
    return {TouchTarget::Day, dayOfCell({column, row}, firstWeekDayInMonth(ym))};
}

} // namespace monthmath
