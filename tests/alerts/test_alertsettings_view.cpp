// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/alertsettings.h"
#include "platform/plist.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

QVariantList quietHours(const char *start, const char *end)
{
    return {QVariantMap{
                {"Type", "AlertsBetwwen"}, {"state", true}, {"startTime", start}, {"endTime", end}},
            QVariantMap{{"Type", "notifyWhenComplete"}, {"state", false}}};
}

struct Files
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    Files() { folders.ensureExist(); }
};

TEST(AlertSettingsWheels, OpenOnTheEditedTimeAndStoreTheWheelsValue)
{
    Files f;
    ASSERT_TRUE(
        plist::writeFile(f.folders.documents + "/Alert.plist", quietHours("22:45", "06:10")));
    AlertSettings screen(f.folders, false);
    screen.endOff();
    EXPECT_EQ(screen.pickerHour(), 6);
    EXPECT_EQ(screen.pickerMinute(), 10);
    screen.selectTime(7, 5);
    EXPECT_EQ(screen.endLbl(), "07:05");
    EXPECT_EQ(screen.alarmArray()[0].toMap()["endTime"], QVariant("07:05"));
    // Closing and opening the start shows the start's time.
    screen.endOff();
    screen.startOff();
    EXPECT_EQ(screen.pickerHour(), 22);
    EXPECT_EQ(screen.pickerMinute(), 45);
    screen.selectTime(23, 0);
    EXPECT_EQ(screen.starLbl(), "23:00");
    // A value no clock has changes nothing.
    screen.selectTime(24, 0);
    screen.selectTime(-1, 30);
    EXPECT_EQ(screen.starLbl(), "23:00");
    EXPECT_EQ(screen.pickerHour(), 23);
}

TEST(AlertSettingsWheels, LocationButtonOpensAndClosesTheWeatherPanel)
{
    Files f;
    AlertSettings screen(f.folders, true);
    int changes = 0;
    QObject::connect(&screen, &AlertSettings::stateChanged, [&] { ++changes; });
    EXPECT_FALSE(screen.weatherViewVisible());
    screen.ChangeLocation();
    EXPECT_TRUE(screen.weatherViewVisible());
    screen.ChangeLocation();
    EXPECT_FALSE(screen.weatherViewVisible());
    screen.ChangeLocation();
    screen.hideWeatherview();
    EXPECT_FALSE(screen.weatherViewVisible());
    EXPECT_EQ(changes, 4);
    // Closing a closed panel tells nobody.
    screen.hideWeatherview();
    EXPECT_EQ(changes, 4);
}

} // namespace
