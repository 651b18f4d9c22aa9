// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmcell.h"
#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmviewcontroller.h"
#include "platform/userdefaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace {

const QTimeZone kBerlin("Europe/Berlin");
// The evening before the spring change of clocks in Berlin (31 March 2024, 02:00 -> 03:00).
const QDateTime kNow(QDate(2024, 3, 30), QTime(22, 41, 12), kBerlin);

struct Screen
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    UserDefaults defaults{dir.path() + "/defaults.plist"};
    std::unique_ptr<AlarmViewController> screen;

    Screen()
    {
        folders.ensureExist();
        QDir().mkpath(folders.resources);
    }
    void open(bool tablet = false)
    {
        screen =
            std::make_unique<AlarmViewController>(defaults, folders, tablet, [] { return kNow; });
        screen->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        screen->setTimeZone(kBerlin);
    }
    AlarmNewViewController &editor() { return *screen->alarm(); }
};

TEST(AlarmPicker, WheelsStartOnTheCurrentMinuteOfToday)
{
    Screen s;
    s.open();
    EXPECT_EQ(s.editor().pickerDayIndex(), 0);
    EXPECT_EQ(s.editor().pickerHour(), 22);
    EXPECT_EQ(s.editor().pickerMinute(), 41);
    const QStringList days = s.editor().pickerDays();
    ASSERT_EQ(days.size(), AlarmNewViewController::kPickerDays);
    EXPECT_EQ(days[0], "Today");
    EXPECT_EQ(days[1], "Sun 31 Mar");
    EXPECT_EQ(days[2], "Mon 1 Apr");
}

TEST(AlarmPicker, TheWheelsSetTheDateInTheAlarmsZoneAcrossTheClockChange)
{
    Screen s;
    s.open();
    s.screen->addNewAlarm();
    // Tomorrow at 07:30 is after the change: an hour less to UTC than tonight.
    s.editor().pickDate(1, 7, 30);
    EXPECT_EQ(s.editor().date(), QDateTime(QDate(2024, 3, 31), QTime(7, 30), kBerlin));
    EXPECT_EQ(s.editor().date().toUTC(),
              QDateTime(QDate(2024, 3, 31), QTime(5, 30), QTimeZone::utc()));
    EXPECT_EQ(s.editor().pickerDayIndex(), 1);
    EXPECT_EQ(s.editor().pickerHour(), 7);
    EXPECT_EQ(s.editor().pickerMinute(), 30);
    EXPECT_TRUE(s.editor().timeLabel().contains("07:30")) << s.editor().timeLabel().toStdString();
    s.editor().save();
    EXPECT_EQ(s.screen->cellForRow(0)->timeLbl(), "07:30");
}

TEST(AlarmPicker, ValuesOutsideTheWheelsChangeNothing)
{
    Screen s;
    s.open();
    const QDateTime before = s.editor().date();
    s.editor().pickDate(-1, 7, 0);
    s.editor().pickDate(AlarmNewViewController::kPickerDays, 7, 0);
    s.editor().pickDate(3, 24, 0);
    s.editor().pickDate(3, 7, 60);
    EXPECT_EQ(s.editor().date(), before);
    s.editor().pickDate(AlarmNewViewController::kPickerDays - 1, 23, 59);
    EXPECT_EQ(s.editor().pickerDayIndex(), AlarmNewViewController::kPickerDays - 1);
}

TEST(AlarmPicker, ADateBeforeTheFirstDayShowsOnTheFirstDay)
{
    Screen s;
    s.open();
    s.editor().valueChanged(QDateTime(QDate(2024, 1, 2), QTime(6, 0), kBerlin));
    EXPECT_EQ(s.editor().pickerDayIndex(), 0);
    EXPECT_EQ(s.editor().pickerHour(), 6);
}

TEST(AlarmPicker, DayChecksOfTheDeviceFamily)
{
    Screen phone;
    phone.open(false);
    Screen tablet;
    tablet.open(true);
    EXPECT_EQ(phone.editor().dayOffImage(), phone.folders.library + "/1_Check2-off_25x25.png");
    EXPECT_EQ(tablet.editor().dayOffImage(), tablet.folders.library + "/2_day_off_42x42.png");
}

TEST(AlarmPicker, TintIsTheColourOfTheHighlightPattern)
{
    Screen untinted;
    untinted.open();
    // No copy in the Library: the image set's own accent.
    EXPECT_EQ(untinted.screen->tintColor(), QColor(0x1f, 0xd6, 0x8a));

    Screen tinted;
    QImage pattern(16, 16, QImage::Format_RGB32);
    pattern.fill(QColor(0xd6, 0x40, 0x1f));
    ASSERT_TRUE(pattern.save(tinted.folders.library + "/2_probnik.png"));
    tinted.open(true);
    EXPECT_EQ(tinted.screen->tintColor(), QColor(0xd6, 0x40, 0x1f));
}

} // namespace
