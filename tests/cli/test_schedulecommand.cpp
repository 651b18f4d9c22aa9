// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/schedulecommand.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

struct CommandRun
{
    int status;
    QString out;
    QString err;
};

// Runs the command with the stored files of one fixture folder (its config/ and data/ stand
// for $XDG_CONFIG_HOME and $XDG_DATA_HOME).
CommandRun run(const char *fixture, const QStringList &args)
{
    const QString root = QStringLiteral(POWERDECK_FIXTURES "/") + QString::fromLatin1(fixture);
    qputenv("XDG_CONFIG_HOME", (root + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + "/data").toLocal8Bit());
    CommandRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runScheduleCommand(args, out, err);
    return result;
}

QStringList lines(const QJsonArray &plan)
{
    QStringList out;
    for (const QJsonValue &v : plan) {
        const QJsonObject o = v.toObject();
        EXPECT_EQ(o.keys(), (QStringList{"body", "fireDate", "sound", "weekdays"}));
        QStringList days;
        for (const QJsonValue &d : o["weekdays"].toArray())
            days << d.toString();
        out << o["fireDate"].toString() + ' ' + o["body"].toString() +
                   (o["sound"].toBool() ? " sound" : "") +
                   (days.isEmpty() ? QString() : " every " + days.join(','));
    }
    return out;
}

QJsonArray jsonPlan(const CommandRun &r)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_TRUE(doc.isArray());
    return doc.array();
}

TEST(ScheduleCommand, JsonListsThePlanInSchedulingOrder)
{
    const CommandRun r =
        run("schedule-alarms", {"--json", "--now", "2024-03-05T22:30:00", "--tz", "Europe/Berlin",
                                "--timeBeforeDie", "5.6", "--state", "1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    // The Wednesday alarm every Monday and Friday, and its own moment; the switched-off and the
    // two broken records give nothing; the one-off at 23:45; then the battery notification.
    EXPECT_EQ(lines(jsonPlan(r)),
              (QStringList{"2024-03-08T07:00:00 Alarm sound every Mon,Fri",
                           "2024-03-06T07:00:00 Alarm sound", "2024-03-05T23:45:00 Alarm sound",
                           "2024-03-06T04:00:00 Battey is discharging"}));
}

TEST(ScheduleCommand, NowWithAnOffsetIsConvertedIntoTheZone)
{
    // 21:30 UTC is 22:30 in Berlin: the same plan as above, here in New York's clock.
    const CommandRun r =
        run("schedule-alarms", {"--json", "--now=2024-03-05T21:30:00Z", "--tz=America/New_York",
                                "--timeneedToCharge=1", "--state=2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList plan = lines(jsonPlan(r));
    // Wednesday 06:00 UTC is Wednesday 01:00 in New York: Mondays and Fridays at 01:00 there.
    ASSERT_EQ(plan.size(), 4);
    EXPECT_EQ(plan[0], "2024-03-08T01:00:00 Alarm sound every Mon,Fri");
    EXPECT_EQ(plan[3], "2024-03-05T17:30:00 Battey is full");
}

TEST(ScheduleCommand, QuietHoursWithholdTheBatteryNotifications)
{
    const QStringList args{
        "--json", "--tz", "Europe/Berlin", "--timeBeforeDie", "5.6", "--timeneedToCharge", "2.25"};
    const CommandRun late = run("schedule-quiet", QStringList(args) << "--now"
                                                                    << "2024-03-05T23:30:00"
                                                                    << "--state=1");
    ASSERT_EQ(late.status, 0);
    EXPECT_TRUE(jsonPlan(late).isEmpty());
    // The state given picks the notification that fits it.
    const CommandRun discharging = run("schedule-quiet", QStringList(args) << "--now"
                                                                           << "2024-03-05T12:00:00"
                                                                           << "--state=1");
    EXPECT_EQ(lines(jsonPlan(discharging)),
              QStringList{"2024-03-05T17:30:00 Battey is discharging"});
    const CommandRun charging = run("schedule-quiet", QStringList(args) << "--now"
                                                                        << "2024-03-05T12:00:00"
                                                                        << "--state=2");
    EXPECT_EQ(lines(jsonPlan(charging)), QStringList{"2024-03-05T14:15:00 Battey is full"});
}

TEST(ScheduleCommand, TextOutputAndNoStoredFiles)
{
    QTemporaryDir empty;
    qputenv("XDG_CONFIG_HOME", empty.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", empty.path().toLocal8Bit());
    QString text;
    QString errors;
    QTextStream out(&text);
    QTextStream err(&errors);
    EXPECT_EQ(
        runScheduleCommand({"--now", "2024-03-05T12:00:00", "--tz", "UTC", "--timeBeforeDie", "3"},
                           out, err),
        0);
    EXPECT_EQ(text, "Leaving at 2024-03-05 12:00:00 (UTC)\n  nothing to schedule\n");
    // Looking changes nothing: no file appears.
    EXPECT_TRUE(QDir(empty.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    const CommandRun r =
        run("schedule-alarms", {"--now", "2024-03-06T08:00:00", "--tz", "Europe/Berlin"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Leaving at 2024-03-06 08:00:00 (Europe/Berlin)\n"
                     "  2024-03-08 07:00:00  Alarm  (sound)  weekly: Mon, Fri\n");
}

struct BadArgs
{
    const char *name;
    QStringList args;
    const char *message;
};

class ScheduleCommandErrors : public testing::TestWithParam<BadArgs>
{
};

TEST_P(ScheduleCommandErrors, ExitWithStatusTwoAndOneLine)
{
    const CommandRun r = run("schedule-alarms", GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromLatin1(GetParam().message))) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduleCommandErrors,
    testing::Values(BadArgs{"zone", {"--tz", "Mars/Olympus"}, "unknown time zone"},
                    BadArgs{"now", {"--now", "yesterday"}, "ISO 8601"},
                    BadArgs{"now_without_value", {"--now"}, "needs a value"},
                    BadArgs{"hours", {"--timeBeforeDie", "soon"}, "number of hours"},
                    BadArgs{"state_above_three", {"--state", "4"}, "battery state 0 to 3"},
                    BadArgs{"state_negative", {"--state=-1"}, "battery state 0 to 3"},
                    BadArgs{"state_not_a_number", {"--state", "charging"}, "battery state 0 to 3"},
                    BadArgs{"state_without_value", {"--state"}, "needs a value"},
                    BadArgs{"unknown", {"--verbose"}, "unknown option"},
                    BadArgs{"json_with_value", {"--json=yes"}, "unknown option"}),
    [](const testing::TestParamInfo<BadArgs> &info) { return std::string(info.param.name); });

} // namespace
