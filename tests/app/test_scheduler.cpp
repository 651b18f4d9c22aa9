#include "app/notificationscheduler.h"
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
    QDateTime now = QDateTime(QDate(2024, 3, 5), QTime(22, 30, 15), kBerlin);

    Fixture() { folders.ensureExist(); }

    NotificationScheduler scheduler()
    {
        return NotificationScheduler(
            defaults, folders, platform, [this] { return timeBeforeDie; },
            [this] { return timeneedToCharge; }, [this] { return now; }, [] { return kBerlin; });
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
    EXPECT_EQ(f.platform.calls, (QStringList{"cancelAll", "2024-03-06T07:00:00+01:00 Alarm sound",
                                             "2024-03-06T04:00:00+01:00 Battey is discharging"}));

    // The estimates are read afresh at each run; so are the quiet hours.
    f.platform.calls.clear();
    f.timeneedToCharge = "1.000000";
    f.writeAlerts(defaultAlerts(true, "22:00", "07:00"));
    scheduler.applicationDidEnterBackground();
    EXPECT_EQ(f.platform.calls,
              (QStringList{"cancelAll", "2024-03-06T07:00:00+01:00 Alarm sound"}));
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
