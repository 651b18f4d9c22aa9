// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notificationscheduler.h"
#include "germantranslation.h"
#include "platform/localnotifications.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "recordingnotifications.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

const QTimeZone kBerlin("Europe/Berlin");

struct Fixture
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    UserDefaults defaults{dir.path() + "/defaults.plist"};
    RecordingNotifications platform;
    QString timeBeforeDie;
    QString timeneedToCharge;
    int batteryState = 1;
    QDateTime now = QDateTime(QDate(2024, 3, 5), QTime(22, 30, 15), kBerlin);

    Fixture() { folders.ensureExist(); }

    NotificationScheduler scheduler()
    {
        return NotificationScheduler(
            defaults, folders, platform, [this] { return timeBeforeDie; },
            [this] { return timeneedToCharge; }, [this] { return batteryState; },
            [this] { return now; }, [] { return kBerlin; });
    }
    void writeAlerts(const QVariantList &records)
    {
        ASSERT_TRUE(plist::writeFile(folders.documents + "/Alert.plist", records));
    }
};

QVariantList defaultAlerts(bool quiet, const char *start, const char *end)
{
    return {
        QVariantMap{{"Type", "DischargeAlert"}, {"state", true}},
        QVariantMap{{"Type", "higherPrecision"}, {"state", false}},
        QVariantMap{
            {"Type", "AlertsBetwwen"}, {"state", quiet}, {"startTime", start}, {"endTime", end}},
        QVariantMap{{"Type", "notifyWhenComplete"}, {"state", true}}};
}

TEST(NotificationScheduler, CancelsEvenWhenThereIsNothingToSchedule)
{
    Fixture f;
    auto scheduler = f.scheduler();
    EXPECT_TRUE(scheduler.applicationDidEnterBackground().isEmpty());
    EXPECT_EQ(f.platform.calls, QStringList{"cancelAll"});
}

TEST(NotificationScheduler, ReadsTheStoredRecordsAndTheEstimatesOfTheMomentOfLeaving)
{
    Fixture f;
    QVariantMap days;
    for (int j = 0; j < 7; ++j)
        days.insert(QString::number(j), j == 3);
    const QDateTime ora(QDate(2024, 3, 6), QTime(7, 0), kBerlin);
    f.defaults.setValue("alarm", QVariantList{QVariantMap{{"ora", ora.toUTC()},
                                                          {"OnOff", true},
                                                          {"vibration", false},
                                                          {"music", "Chime.caf"},
                                                          {"repeat", days}}});
    f.writeAlerts(defaultAlerts(false, "00:00", "00:00"));
    f.timeBeforeDie = "5.600000";
    f.timeneedToCharge = "";
    auto scheduler = f.scheduler();
    scheduler.applicationDidEnterBackground();
    // The Wednesday alarm repeats by itself: one weekly notification.
    EXPECT_EQ(f.platform.calls,
              (QStringList{"cancelAll", "2024-03-06T07:00:00+01:00 Alarm sound weekly 8",
                           "2024-03-06T04:00:00+01:00 Battey is discharging"}));

    // The estimates and the battery state are read afresh at each run; so are the quiet hours.
    f.platform.calls.clear();
    f.timeneedToCharge = "1.000000";
    f.batteryState = 2;
    f.writeAlerts(defaultAlerts(true, "22:00", "07:00"));
    scheduler.applicationDidEnterBackground();
    EXPECT_EQ(f.platform.calls,
              (QStringList{"cancelAll", "2024-03-06T07:00:00+01:00 Alarm sound weekly 8"}));
    f.platform.calls.clear();
    f.writeAlerts(defaultAlerts(false, "22:00", "07:00"));
    scheduler.applicationDidEnterBackground();
    EXPECT_EQ(f.platform.calls,
              (QStringList{"cancelAll", "2024-03-06T07:00:00+01:00 Alarm sound weekly 8",
                           "2024-03-05T23:30:00+01:00 Battey is full"}));
}

TEST(NotificationScheduler, TheUserReadsTheNotificationsInTheirLanguage)
{
    GermanTranslation german;
    ASSERT_TRUE(german.installed());
    Fixture f;
    const QDateTime ora(QDate(2024, 3, 5), QTime(23, 0), kBerlin);
    f.defaults.setValue("alarm", QVariantList{QVariantMap{{"ora", ora}, {"OnOff", true}}});
    f.writeAlerts(defaultAlerts(false, "00:00", "00:00"));
    f.timeBeforeDie = "5.600000";
    auto scheduler = f.scheduler();
    const QList<PlannedNotification> planned = scheduler.applicationDidEnterBackground();
    EXPECT_EQ(f.platform.calls, (QStringList{"cancelAll", "2024-03-05T23:00:00+01:00 Wecker sound",
                                             "2024-03-06T04:00:00+01:00 Akku wird entladen"}));
    // The plan, which powerdeck-cli prints, keeps its English texts.
    ASSERT_EQ(planned.size(), 2);
    EXPECT_EQ(planned[0].body, "Alarm");
    EXPECT_EQ(planned[1].body, "Battey is discharging");
}

TEST(NotificationScheduler, WithoutAlertFileOnlyAlarmsAreScheduled)
{
    Fixture f;
    f.timeBeforeDie = "5.600000";
    f.timeneedToCharge = "2.000000";
    const QDateTime ora(QDate(2024, 3, 5), QTime(23, 0), kBerlin);
    f.defaults.setValue("alarm", QVariantList{QVariantMap{{"ora", ora}, {"OnOff", true}}});
    auto scheduler = f.scheduler();
    const auto planned = scheduler.plan();
    ASSERT_EQ(planned.size(), 1);
    EXPECT_EQ(planned[0].body, "Alarm");
    EXPECT_TRUE(f.platform.calls.isEmpty()); // planning alone touches nothing
}

TEST(NotificationScheduler, AlertFileThatIsNotAPropertyListCountsAsMissing)
{
    Fixture f;
    QFile bad(f.folders.documents + "/Alert.plist");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a plist");
    bad.close();
    f.timeBeforeDie = "5.600000";
    auto scheduler = f.scheduler();
    EXPECT_TRUE(scheduler.plan().isEmpty());
    EXPECT_TRUE(QFile::exists(f.folders.documents + "/Alert.plist.corrupt"));
}

} // namespace
