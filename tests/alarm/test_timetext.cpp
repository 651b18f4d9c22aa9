// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/timetext.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeOfDayText, HoursAndMinutesWithoutSeconds)
{
    const QTime t(6, 5, 42);
    const struct
    {
        QLocale locale;
        const char *text;
    } cases[] = {
        {QLocale::c(), "06:05"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "06:05"},
        {QLocale(QLocale::German, QLocale::Germany), "06:05"},
        {QLocale(QLocale::Finnish, QLocale::Finland), "6.05"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        EXPECT_EQ(timeOfDayText(c.locale, t), c.text);
    }
    const QString us =
        timeOfDayText(QLocale(QLocale::English, QLocale::UnitedStates), QTime(18, 30, 15));
    EXPECT_TRUE(us.startsWith("6:30")) << us.toStdString();
    EXPECT_TRUE(us.endsWith("PM")) << us.toStdString();
}

} // namespace
