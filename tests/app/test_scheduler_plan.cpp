// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scheduleplan.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

const QTimeZone kBerlin("Europe/Berlin");

QDateTime berlin(const char *isoLocal)
{
    const QDateTime plain = QDateTime::fromString(QString::fromLatin1(isoLocal), Qt::ISODate);
    return QDateTime(plain.date(), plain.time(), kBerlin);
}

// Record as the alarm editor stores it: "ora" a date, "repeat" seven booleans.
QVariantMap alarmRecord(const QDateTime &ora, std::initializer_list<int> days, bool on = true)
{
    QVariantMap repeat;
    for (int j = 0; j < 7; ++j)
        repeat.insert(QString::number(j), std::find(days.begin(), days.end(), j) != days.end());
    return {{"ora", ora.toUTC()},
            {"vibration", false},
            {"music", "Default"},
            {"OnOff", on},
            {"repeat", repeat}};
}

QVariantMap alert(const char *type, bool state)
{
    return {{"Type", QString::fromLatin1(type)}, {"state", state}};
}

QVariantMap window(bool state, const char *start, const char *end)
{
    QVariantMap m = alert("AlertsBetwwen", state);
    m.insert("startTime", QString::fromLatin1(start));
    m.insert("endTime", QString::fromLatin1(end));
    return m;
}

QVariantList defaultAlerts()
{
    return {alert("DischargeAlert", true), alert("higherPrecision", false),
            window(false, "00:00", "00:00"), alert("notifyWhenComplete", true)};
}

// "2024-03-11T07:00:00 Alarm sound every Mon,Fri" per notification, local time of the plan's
// zone.
QStringList describe(const QList<PlannedNotification> &plan)
{
    static const char *const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QStringList out;
    for (const PlannedNotification &n : plan) {
        QStringList days;
        for (int j = 0; j < 7; ++j) {
            if (n.weekdays & (1 << j))
                days << names[j];
        }
        out << n.fireDate.toTimeZone(kBerlin).toString("yyyy-MM-ddTHH:mm:ss") + ' ' + n.body +
                   (n.sound ? " sound" : "") + (days.isEmpty() ? "" : " every " + days.join(','));
    }
    return out;
}

// state: the battery reading's state (1 discharging, 2 charging).
QStringList planFor(const QVariantList &alarms, const char *now,
                    std::optional<QVariantList> alerts = std::nullopt, const QString &die = {},
                    const QString &charge = {}, int state = 0)
{
    SchedulePlanInput in;
    in.alarms = alarms;
    in.alerts = std::move(alerts);
    in.timeBeforeDie = die;
    in.timeneedToCharge = charge;
    in.batteryState = state;
    in.now = berlin(now);
    in.zone = kBerlin;
    return describe(planNotifications(in));
}

// --- alarms --------------------------------------------------------------------------------

struct AlarmCase
{
    const char *name;
    const char *ora; // local Berlin time
    std::vector<int> days;
    bool on;
    const char *now;
    QStringList expected;
};

class AlarmPlan : public testing::TestWithParam<AlarmCase>
{
};

TEST_P(AlarmPlan, MatchesTheWorkedExample)
{
    const AlarmCase &c = GetParam();
    QVariantMap record = alarmRecord(berlin(c.ora), {}, c.on);
    QVariantMap repeat = record["repeat"].toMap();
    for (int d : c.days)
        repeat[QString::number(d)] = true;
    record["repeat"] = repeat;
    EXPECT_EQ(planFor({record}, c.now), c.expected) << c.name;
}

// A repeating alarm is one weekly notification from its next occurrence on, not one
// occurrence per day that rings once.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, AlarmPlan,
    testing::Values(
        // Wednesday 07:00 repeating on Monday and Friday, left on Tuesday: every Monday and
        // Friday from Friday on, and Wednesday itself.
        AlarmCase{
            "wednesday-ahead",
            "2024-03-06T07:00:00",
            {1, 5},
            true,
            "2024-03-05T12:00:00",
            {"2024-03-08T07:00:00 Alarm sound every Mon,Fri", "2024-03-06T07:00:00 Alarm sound"}},
        // Left after Wednesday 07:00: the one-off moment has passed.
        AlarmCase{"wednesday-passed",
                  "2024-03-06T07:00:00",
                  {1, 5},
                  true,
                  "2024-03-06T08:00:00",
                  {"2024-03-08T07:00:00 Alarm sound every Mon,Fri"}},
        AlarmCase{"switched-off", "2024-03-06T07:00:00", {1, 5}, false, "2024-03-05T12:00:00", {}},
        AlarmCase{"no-days-ahead",
                  "2024-03-06T07:00:00",
                  {},
                  true,
                  "2024-03-05T12:00:00",
                  {"2024-03-06T07:00:00 Alarm sound"}},
        AlarmCase{"no-days-passed", "2024-03-06T07:00:00", {}, true, "2024-03-06T07:00:01", {}},
        // Its own weekday selected and still ahead: the weekly one covers it.
        AlarmCase{"own-weekday-once",
                  "2024-03-06T07:00:00",
                  {3},
                  true,
                  "2024-03-05T12:00:00",
                  {"2024-03-06T07:00:00 Alarm sound every Wed"}},
        // Set weeks ago: from the next Wednesday, never a moment in the past.
        AlarmCase{"weeks-ago-later-today",
                  "2024-01-03T07:00:00",
                  {3},
                  true,
                  "2024-03-06T06:00:00",
                  {"2024-03-06T07:00:00 Alarm sound every Wed"}},
        AlarmCase{"weeks-ago-passed-today",
                  "2024-01-03T07:00:00",
                  {3},
                  true,
                  "2024-03-06T07:30:00",
                  {"2024-03-13T07:00:00 Alarm sound every Wed"}},
        AlarmCase{"weeks-ago-every-day",
                  "2024-01-03T07:00:00",
                  {0, 1, 2, 3, 4, 5, 6},
                  true,
                  "2024-03-06T07:30:00",
                  {"2024-03-07T07:00:00 Alarm sound every Sun,Mon,Tue,Wed,Thu,Fri,Sat"}},
        // Across midnight: Saturday 00:30 repeating on Sunday, left late on Saturday.
        AlarmCase{"across-midnight",
                  "2024-03-09T00:30:00",
                  {0},
                  true,
                  "2024-03-09T23:50:00",
                  {"2024-03-10T00:30:00 Alarm sound every Sun"}},
        // Across the spring change (31 March): Monday keeps 07:00 local time.
        AlarmCase{"spring-forward",
                  "2024-03-29T07:00:00",
                  {1},
                  true,
                  "2024-03-29T08:00:00",
                  {"2024-04-01T07:00:00 Alarm sound every Mon"}},
        // Across the autumn change (27 October).
        AlarmCase{"fall-back",
                  "2024-10-25T07:00:00",
                  {1},
                  true,
                  "2024-10-25T08:00:00",
                  {"2024-10-28T07:00:00 Alarm sound every Mon"}}),
    [](const testing::TestParamInfo<AlarmCase> &info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(AlarmPlanTimes, DaylightSavingChangeKeepsTheLocalHourNotTheElapsedDays)
{
    const AlarmSchedule alarm{berlin("2024-03-29T07:00:00"), true, {false, true}};
    const auto plan =
        scheduleplan::alarmNotifications(alarm, berlin("2024-03-29T08:00:00"), kBerlin);
    ASSERT_EQ(plan.size(), 1);
    // 07:00 summer time is 05:00 UTC; three steps of 24 hours would give 06:00 UTC (08:00).
    EXPECT_EQ(plan[0].fireDate.toUTC(),
              QDateTime(QDate(2024, 4, 1), QTime(5, 0), QTimeZone::utc()));
}

TEST(AlarmPlanTimes, TheZoneDecidesTheWeekdayAndTheTimeOfDay)
{
    // 2024-03-06 23:30 UTC is already Thursday 00:30 in Berlin but still Wednesday in New York.
    const QDateTime ora(QDate(2024, 3, 6), QTime(23, 30), QTimeZone::utc());
    const AlarmSchedule alarm{ora, true, {false, false, false, false, false, true, false}};
    const QDateTime now(QDate(2024, 3, 6), QTime(12, 0), QTimeZone::utc());
    const auto inBerlin = scheduleplan::alarmNotifications(alarm, now, kBerlin);
    const QTimeZone newYork("America/New_York");
    const auto inNewYork = scheduleplan::alarmNotifications(alarm, now, newYork);
    ASSERT_EQ(inBerlin.size(), 2);
    ASSERT_EQ(inNewYork.size(), 2);
    // Thursday -> Friday is one day; Wednesday -> Friday two.
    EXPECT_EQ(inBerlin[0].fireDate.toTimeZone(kBerlin),
              QDateTime(QDate(2024, 3, 8), QTime(0, 30), kBerlin));
    EXPECT_EQ(inNewYork[0].fireDate.toTimeZone(newYork),
              QDateTime(QDate(2024, 3, 8), QTime(18, 30), newYork));
}

TEST(AlarmRecords, BrokenRecordsAreSkippedAndTheRestScheduled)
{
    const QDateTime ora = berlin("2024-03-06T07:00:00");
    QVariantMap noOra = alarmRecord(ora, {1});
    noOra.remove("ora");
    QVariantMap textOra = alarmRecord(ora, {1});
    textOra["ora"] = "2024-03-06 07:00";
    QVariantMap listRepeat = alarmRecord(ora, {1});
    listRepeat["repeat"] = QVariantList{true, true};
    QVariantMap noSwitch = alarmRecord(ora, {1});
    noSwitch.remove("OnOff");
    QVariantMap noRepeat = alarmRecord(berlin("2024-03-07T06:15:00"), {});
    noRepeat.remove("repeat");
    const QVariantList alarms{QString("junk"), noOra,         textOra, listRepeat,
                              noSwitch,        QVariantMap{}, noRepeat};
    EXPECT_EQ(planFor(alarms, "2024-03-05T12:00:00"),
              QStringList{"2024-03-07T06:15:00 Alarm sound"});
}

TEST(AlarmRecords, AlarmValueThatIsNoListGivesNoAlarms)
{
    SchedulePlanInput in;
    in.alarms = QVariantMap{{"ora", berlin("2024-03-06T07:00:00")}};
    in.now = berlin("2024-03-05T12:00:00");
    in.zone = kBerlin;
    EXPECT_TRUE(planNotifications(in).isEmpty());
}

TEST(AlarmRecords, RepeatIsTrueWhenAnyDayHoldsTrue)
{
    EXPECT_FALSE(scheduleplan::repeat({}));
    EXPECT_FALSE(scheduleplan::repeat({{"0", false}, {"6", false}}));
    EXPECT_TRUE(scheduleplan::repeat({{"0", false}, {"6", true}}));
    EXPECT_FALSE(scheduleplan::repeat({{"7", true}}));
}

// --- quiet hours --------------------------------------------------------------------------

struct TimeText
{
    const char *text;
    double hours;
};

class ParseTime : public testing::TestWithParam<TimeText>
{
};

TEST_P(ParseTime, ReadsHoursAndMinutes)
{
    EXPECT_DOUBLE_EQ(scheduleplan::parsTimeToFloat(GetParam().text), GetParam().hours)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseTime,
                         testing::Values(TimeText{"07:30", 7.5}, TimeText{"22:45", 22.75},
                                         TimeText{"00:00", 0.0}, TimeText{"7:05", 7 + 5 / 60.0},
                                         // The day period of a 12-hour text is lost.
                                         TimeText{"10:30 PM", 10.5},
                                         // No colon: 0, whatever the digits say.
                                         TimeText{"0730", 0.0}, TimeText{"", 0.0},
                                         TimeText{"ab:cd", 0.0}));

struct WindowCase
{
    const char *start;
    const char *end;
    bool state;
    int hour;
    int minute;
    bool schedules;
};

class QuietHours : public testing::TestWithParam<WindowCase>
{
};

TEST_P(QuietHours, GateTheBatteryAlerts)
{
    const WindowCase &c = GetParam();
    const QVariantMap between = window(c.state, c.start, c.end);
    EXPECT_EQ(scheduleplan::passesWindow(between, scheduleplan::decimalTime(c.hour, c.minute)),
              c.schedules)
        << c.start << "-" << c.end << " at " << c.hour << ":" << c.minute;

    // The same through the whole plan: a warning due at once comes or not.
    char now[32];
    std::snprintf(now, sizeof now, "2024-03-05T%02d:%02d:00", c.hour, c.minute);
    const QVariantList alerts{alert("DischargeAlert", true), between};
    EXPECT_EQ(planFor({}, now, alerts, "0.1", {}, 1).size(), c.schedules ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, QuietHours,
                         testing::Values(WindowCase{"22:00", "07:00", true, 23, 30, false},
                                         WindowCase{"22:00", "07:00", true, 6, 0, false},
                                         WindowCase{"22:00", "07:00", true, 12, 0, true},
                                         WindowCase{"22:00", "07:00", true, 22, 0, true},
                                         WindowCase{"22:00", "07:00", true, 7, 0, true},
                                         WindowCase{"22:00", "07:00", true, 0, 0, false},
                                         WindowCase{"22:00", "07:00", true, 23, 59, false},
                                         WindowCase{"09:00", "17:00", true, 9, 0, true},
                                         WindowCase{"09:00", "17:00", true, 12, 0, false},
                                         WindowCase{"09:00", "17:00", true, 17, 0, true},
                                         WindowCase{"09:00", "17:00", false, 12, 0, true},
                                         WindowCase{"00:00", "00:00", false, 12, 0, true},
                                         WindowCase{"00:00", "00:00", true, 12, 0, true}));

// The window is that of the moment the notification would be shown, not of the moment of
// leaving.
struct FireTimeCase
{
    const char *name;
    const char *now;
    const char *timeBeforeDie;
    const char *timeneedToCharge;
    int state;
    const char *start;
    const char *end;
    QStringList expected;
};

class QuietHoursAtFireTime : public testing::TestWithParam<FireTimeCase>
{
};

TEST_P(QuietHoursAtFireTime, WithholdWhatWouldBeShownInside)
{
    const FireTimeCase &c = GetParam();
    const QVariantList alerts{alert("DischargeAlert", true), window(true, c.start, c.end),
                              alert("notifyWhenComplete", true)};
    EXPECT_EQ(planFor({}, c.now, alerts, c.timeBeforeDie, c.timeneedToCharge, c.state), c.expected)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, QuietHoursAtFireTime,
    testing::Values(
        // Left before the window, shown at 22:59 inside it.
        FireTimeCase{
            "left-before-shown-inside", "2024-03-05T21:59:00", "1.1", "", 1, "22:00", "07:00", {}},
        // Left inside the window, shown after it has ended.
        FireTimeCase{"left-inside-shown-after",
                     "2024-03-05T23:30:00",
                     "8.1",
                     "",
                     1,
                     "22:00",
                     "07:00",
                     {"2024-03-06T07:30:00 Battey is discharging"}},
        // Shown at midnight, inside a window that crosses it.
        FireTimeCase{
            "shown-at-midnight", "2024-03-05T21:00:00", "3.1", "", 1, "22:00", "07:00", {}},
        FireTimeCase{
            "full-shown-inside", "2024-03-05T20:00:00", "", "2.5", 2, "22:00", "07:00", {}},
        FireTimeCase{
            "day-window-shown-inside", "2024-03-05T08:00:00", "1.2", "", 1, "09:00", "17:00", {}},
        FireTimeCase{"day-window-shown-at-start",
                     "2024-03-05T08:00:00",
                     "1.1",
                     "",
                     1,
                     "09:00",
                     "17:00",
                     {"2024-03-05T09:00:00 Battey is discharging"}}),
    [](const testing::TestParamInfo<FireTimeCase> &info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// --- battery notifications ------------------------------------------------------------------

struct BatteryCase
{
    const char *name;
    const char *now;
    const char *timeBeforeDie;
    const char *timeneedToCharge;
    QStringList expected;
};

class BatteryPlan : public testing::TestWithParam<BatteryCase>
{
};

TEST_P(BatteryPlan, TimesFromTheEstimates)
{
    const BatteryCase &c = GetParam();
    // Each estimate is used in the state it belongs to: discharging, charging.
    const int state = *c.timeBeforeDie ? 1 : 2;
    EXPECT_EQ(planFor({}, c.now, defaultAlerts(), c.timeBeforeDie, c.timeneedToCharge, state),
              c.expected)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, BatteryPlan,
    testing::Values(
        // 5.6 h at 22:30: 5.5 h later, the next day.
        BatteryCase{"empty-next-day",
                    "2024-03-05T22:30:00",
                    "5.600000",
                    "",
                    {"2024-03-06T04:00:00 Battey is discharging"}},
        // Seconds of the present are dropped before adding.
        BatteryCase{"seconds-dropped",
                    "2024-03-05T22:30:59",
                    "5.600000",
                    "",
                    {"2024-03-06T04:00:00 Battey is discharging"}},
        BatteryCase{"too-little-left", "2024-03-05T22:30:00", "0.005000", "", {}},
        // Under six minutes left the warning comes at once, never after the estimated end.
        BatteryCase{"under-six-minutes",
                    "2024-03-05T22:30:40",
                    "0.050000",
                    "",
                    {"2024-03-05T22:30:00 Battey is discharging"}},
        BatteryCase{"a-minute-left",
                    "2024-03-05T22:30:40",
                    "0.020000",
                    "",
                    {"2024-03-05T22:30:00 Battey is discharging"}},
        BatteryCase{"seven-minutes-left",
                    "2024-03-05T22:30:40",
                    "0.116667",
                    "",
                    {"2024-03-05T22:31:00 Battey is discharging"}},
        // Exactly 0.1 h: the current minute, already begun; the platform shows it at once.
        BatteryCase{"at-once",
                    "2024-03-05T22:30:40",
                    "0.100000",
                    "",
                    {"2024-03-05T22:30:00 Battey is discharging"}},
        BatteryCase{"empty-text", "2024-03-05T22:30:00", "", "", {}},
        BatteryCase{"not-a-number", "2024-03-05T22:30:00", "soon", "abc", {}},
        BatteryCase{"full-across-midnight",
                    "2024-03-05T23:50:00",
                    "",
                    "2.250000",
                    {"2024-03-06T02:05:00 Battey is full"}},
        BatteryCase{"full-threshold", "2024-03-05T23:50:00", "", "0.010000", {}},
        // Month and year roll over by the calendar.
        BatteryCase{"new-year",
                    "2024-12-31T22:00:00",
                    "26.100000",
                    "",
                    {"2025-01-02T00:00:00 Battey is discharging"}},
        // Across the spring change the estimate is elapsed time: 3 h after 00:30 winter time
        // is 04:30 summer time.
        BatteryCase{"spring-forward",
                    "2024-03-31T00:30:00",
                    "3.100000",
                    "",
                    {"2024-03-31T04:30:00 Battey is discharging"}},
        BatteryCase{"fall-back",
                    "2024-10-27T00:30:00",
                    "",
                    "3.000000",
                    {"2024-10-27T02:30:00 Battey is full"}}),
    [](const testing::TestParamInfo<BatteryCase> &info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// The empty-battery warning only while discharging, "charge complete" only while charging.
struct StateCase
{
    int state;
    QStringList expected;
};

class BatteryState : public testing::TestWithParam<StateCase>
{
};

TEST_P(BatteryState, GatesEachNotification)
{
    EXPECT_EQ(planFor({}, "2024-03-05T12:00:00", defaultAlerts(), "1.100000", "0.500000",
                      GetParam().state),
              GetParam().expected)
        << "state " << GetParam().state;
}

INSTANTIATE_TEST_SUITE_P(
    States, BatteryState,
    testing::Values(StateCase{0, {}}, StateCase{1, {"2024-03-05T13:00:00 Battey is discharging"}},
                    StateCase{2, {"2024-03-05T12:30:00 Battey is full"}}, StateCase{3, {}}));

TEST(BatteryPlanTimes, AutumnChangeCountsElapsedHours)
{
    SchedulePlanInput in;
    in.alerts = defaultAlerts();
    in.timeneedToCharge = "3.000000";
    in.batteryState = 2;
    in.now = berlin("2024-10-27T00:30:00"); // 22:30 UTC the day before
    in.zone = kBerlin;
    const auto plan = planNotifications(in);
    ASSERT_EQ(plan.size(), 1);
    EXPECT_EQ(plan[0].fireDate.toUTC(),
              QDateTime(QDate(2024, 10, 27), QTime(1, 30), QTimeZone::utc()));
    EXPECT_FALSE(plan[0].sound);
}

TEST(BatteryPlanFiles, MissingFileEmptyFileAndFewerRecords)
{
    // No Alert.plist: no battery notification.
    EXPECT_TRUE(planFor({}, "2024-03-05T12:00:00", std::nullopt, "5.0", "1.0", 1).isEmpty());
    // An empty array: nothing to visit.
    EXPECT_TRUE(planFor({}, "2024-03-05T12:00:00", QVariantList{}, "5.0", "1.0", 1).isEmpty());
    // Without an "AlertsBetwwen" record no window test passes, so nothing is scheduled.
    EXPECT_TRUE(planFor({}, "2024-03-05T12:00:00", QVariantList{alert("DischargeAlert", true)},
                        "5.0", "1.0", 1)
                    .isEmpty());
    // Records that are no dictionaries are passed over.
    EXPECT_EQ(planFor({}, "2024-03-05T12:00:00",
                      QVariantList{QString("x"), 7, alert("DischargeAlert", true),
                                   window(false, "00:00", "00:00")},
                      "1.1", "", 1),
              QStringList{"2024-03-05T13:00:00 Battey is discharging"});
}

TEST(BatteryPlanFiles, TwoWindowsThatBothPassScheduleOnce)
{
    const QVariantList alerts{alert("notifyWhenComplete", true), window(false, "00:00", "00:00"),
                              window(true, "01:00", "02:00")};
    EXPECT_EQ(planFor({}, "2024-03-05T12:00:00", alerts, "", "1.0", 2),
              QStringList{"2024-03-05T13:00:00 Battey is full"});
    // One window withholds: the other still passes, as each record is a pass of its own.
    const QVariantList mixed{alert("notifyWhenComplete", true), window(true, "11:00", "13:00"),
                             window(false, "00:00", "00:00")};
    EXPECT_EQ(planFor({}, "2024-03-05T12:00:00", mixed, "", "1.0", 2),
              QStringList{"2024-03-05T13:00:00 Battey is full"});
}

TEST(BatteryPlanFiles, SwitchedOffAlertsScheduleNothing)
{
    const QVariantList alerts{alert("DischargeAlert", false), window(false, "00:00", "00:00"),
                              alert("notifyWhenComplete", false)};
    EXPECT_TRUE(planFor({}, "2024-03-05T12:00:00", alerts, "5.0", "1.0", 1).isEmpty());
    EXPECT_TRUE(planFor({}, "2024-03-05T12:00:00", alerts, "5.0", "1.0", 2).isEmpty());
}

TEST(WholePlan, AlarmsFirstThenBatteryAndNothingTwice)
{
    const QDateTime ora = berlin("2024-03-05T13:00:00");
    QVariantList alarms{alarmRecord(ora, {2}), alarmRecord(ora, {})};
    // The weekly Tuesday alarm covers the one-off at its first moment. "Battey is discharging"
    // at 13:00 shares the alarms' moment but not their text: it stays.
    EXPECT_EQ(planFor(alarms, "2024-03-05T12:00:00", defaultAlerts(), "1.100000", "", 1),
              (QStringList{"2024-03-05T13:00:00 Alarm sound every Tue",
                           "2024-03-05T13:00:00 Battey is discharging"}));
}

} // namespace
