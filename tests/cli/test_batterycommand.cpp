// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "device/devicespectable.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <optional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun
{
    int status;
    QString out, err;
};

// Runs the installed program as a user would, with its own empty configuration.
CliRun runProgram(const QStringList &args)
{
    QTemporaryDir config;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(POWERDECK_BIN_DIR "/powerdeck-cli"), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QJsonObject runJson(QStringList args)
{
    args.prepend("--json");
    args.prepend("battery");
    const CliRun r = runProgram(args);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return doc.object();
}

QJsonObject activity(const QJsonObject &report, const char *key)
{
    for (const QJsonValue &v : report["activities"].toArray())
        if (v["key"].toString() == key)
            return v.toObject();
    return {};
}

float nominalCapacityOf(const char *platform)
{
    DeviceSpecTable table(QStringLiteral(POWERDECK_SHARE_DIR "/devices.plist"), platform);
    table.normBAt();
    return table.glCapasity();
}

TEST(CliBattery, ChargingPhoneFixtureFollowsTheEstimateChain)
{
    const QJsonObject r =
        runJson({"--sysfs-root", fixturePath("sys-battery-phone"), "--procfs-root",
                 fixturePath("proc-empty"), "--platform", "iPhone4,1"});
    const float nominal = nominalCapacityOf("iPhone4,1");
    ASSERT_GT(nominal, 1000.0f);
    EXPECT_EQ(r["platform"].toString(), "iPhone4,1");
    EXPECT_EQ(r["deviceName"].toString(), "iPhone 4S");
    EXPECT_FLOAT_EQ(float(r["nominalCapacity"].toDouble()), nominal);
    EXPECT_FLOAT_EQ(float(r["batteryLevel"].toDouble()), 42.0f);
    EXPECT_EQ(r["batteryState"].toInt(), 2);
    const int level = int(42.0f / 100.0f * nominal);
    EXPECT_EQ(r["Level"].toInt(), level);
    EXPECT_EQ(r["networkStatus"].toInt(), 0);
    // Profile E on this model: 6 mA standby plus 60 mA of radios, no backlight draw.
    EXPECT_FLOAT_EQ(float(r["standby"]["hours"].toDouble()), float(level) / 66.0f);
    EXPECT_EQ(r["activities"].toArray().size(), 18);
    EXPECT_EQ(activity(r, "Take Photo")["label"].toString(), "Take Photo");
    const QJsonObject detailed = r["detailed"].toObject();
    EXPECT_EQ(detailed["Current Capacity"].toInt(), 1260);
    EXPECT_EQ(detailed["Design Capacity"].toInt(), 3100);
    EXPECT_EQ(detailed["Charger Current"].toInt(), 800);
    EXPECT_TRUE(detailed["Device Charging"].toBool());
}

TEST(CliBattery, ChargeOverrideGivesTheWorkedExample)
{
    const QJsonObject r =
        runJson({"--sysfs-root", fixturePath("sys-battery-phone"), "--procfs-root",
                 fixturePath("proc-empty"), "--platform", "iPhone4,1", "--charge", "660"});
    EXPECT_EQ(r["Level"].toInt(), 660);
    EXPECT_EQ(r["standby"]["text"].toString(), "10h:0min");
    EXPECT_EQ(activity(r, "stand")["text"].toString(), "10h:0min");
    EXPECT_EQ(activity(r, "audio")["text"].toString(), "6h:52min");
    EXPECT_DOUBLE_EQ(activity(r, "audio")["hours"].toDouble(), double(660.0f / 96.0f));
}

TEST(CliBattery, LinuxLaptopUsesItsOwnDesignCapacityAndBacklight)
{
    const QJsonObject r =
        runJson({"--sysfs-root", fixturePath("sys-battery-laptop"), "--procfs-root",
                 fixturePath("proc-empty"), "--platform", "x86_64"});
    EXPECT_FLOAT_EQ(float(r["nominalCapacity"].toDouble()), 5000.0f);
    EXPECT_EQ(r["batteryState"].toInt(), 1);
    EXPECT_EQ(r["Level"].toInt(), 2850);
    EXPECT_DOUBLE_EQ(r["brightness"].toDouble(), 0.5);
    // One read measures no draw: the battery's 9 W of the moment are shown, but no estimate is
    // made of them (the model row of another platform would say 31 hours).
    EXPECT_DOUBLE_EQ(r["watts"].toDouble(), 9.0);
    EXPECT_TRUE(r["standby"]["hours"].isNull());
    EXPECT_EQ(r["standby"]["text"].toString(), "Calculating\u2026");
    EXPECT_TRUE(activity(r, "3DGame")["hours"].isNull());
    EXPECT_TRUE(r["timeToFull"].isNull()); // running from the battery
    EXPECT_TRUE(r["detailed"].isObject());
}

TEST(CliBattery, TheFixtureMachinesSayWhatTheirBatteriesDo)
{
    const struct
    {
        const char *tree;
        int state;
        bool held;
        std::optional<double> watts;
        const char *toFull; // nullptr: no time to full while running from the battery
    } cases[] = {
        {"sys-battery-laptop", 1, false, 9.0, nullptr},
        // 0.8 A at 3.9 V into a charging phone; one read measures no charging rate yet.
        {"sys-battery-phone", 2, false, 0.8 * 3.9, "Calculating\u2026"},
        // A ThinkPad at 77 % on the charger, between its thresholds of 75 and 80.
        {"sys-battery-laptop-limit", 3, true, std::nullopt, "Battery is full"},
        // A PinePhone that reports a percentage only: no rate to show.
        {"sys-host-phone", 2, false, std::nullopt, "Calculating\u2026"},
        {"sys-empty", 0, false, std::nullopt, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tree);
        const QJsonObject r = runJson({"--sysfs-root", fixturePath(c.tree), "--procfs-root",
                                       fixturePath("proc-empty"), "--platform", "x86_64"});
        EXPECT_EQ(r["batteryState"].toInt(), c.state);
        EXPECT_EQ(r["heldAtLimit"].toBool(), c.held);
        EXPECT_EQ(r["watts"].isDouble(), c.watts.has_value());
        if (c.watts) {
            EXPECT_NEAR(r["watts"].toDouble(), *c.watts, 1e-9);
        }
        EXPECT_EQ(r["timeToFull"].isObject(), c.toFull != nullptr);
        if (c.toFull) {
            EXPECT_EQ(r["timeToFull"]["text"].toString(), QString::fromUtf8(c.toFull));
        }
        EXPECT_TRUE(r["standby"]["hours"].isNull());
    }
}

TEST(CliBattery, WhatIfOptionsAndMissingActivities)
{
    const QJsonObject r = runJson({"--sysfs-root", fixturePath("sys-empty"), "--procfs-root",
                                   fixturePath("proc-empty"), "--platform", "iPhone1,2",
                                   "--percent", "50", "--brightness", "0"});
    EXPECT_EQ(r["batteryState"].toInt(), 0);
    EXPECT_FLOAT_EQ(float(r["batteryLevel"].toDouble()), -100.0f);
    EXPECT_EQ(r["Level"].toInt(), int(50.0f / 100.0f * nominalCapacityOf("iPhone1,2")));
    EXPECT_TRUE(r["detailed"].isNull());
    const QJsonObject siri = activity(r, "Siri");
    EXPECT_EQ(siri["hours"].toDouble(), 0.0);
    EXPECT_EQ(siri["text"].toString(), "0h:0min");
    EXPECT_GT(activity(r, "stand")["hours"].toDouble(), 0.0);
}

TEST(CliBattery, NoBatteryIsSaidInTextAndFlaggedInJson)
{
    const struct
    {
        const char *sysfs;
        bool battery;
        const char *levelRow;   // the text mode's level row
        const char *standbyRow; // and its standby row
    } cases[] = {
        {"sys-empty", false, "level:\\s+No battery\n", "Standy mode:\\s+--\n"},
        {"sys-battery-phone", true, "level:\\s+42\\.0 %\n", "Standy mode:\\s+\\d+h:\\d+min\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sysfs);
        const QStringList args{"--sysfs-root",  fixturePath(c.sysfs),
                               "--procfs-root", fixturePath("proc-empty"),
                               "--platform",    "iPhone4,1"};
        const CliRun text = runProgram(QStringList{"battery"} + args);
        EXPECT_EQ(text.status, 0);
        EXPECT_TRUE(text.out.contains(QRegularExpression(c.levelRow))) << text.out.toStdString();
        EXPECT_TRUE(text.out.contains(QRegularExpression(c.standbyRow))) << text.out.toStdString();
        // Every activity's time is "--" without a battery, never a made-up 0h:0min.
        EXPECT_EQ(text.out.contains("0h:0min"), false) << text.out.toStdString();
        const QJsonObject json = runJson(args);
        EXPECT_EQ(json["battery"], QJsonValue(c.battery));
        // The numbers stay as they are.
        EXPECT_EQ(json["batteryLevel"].toDouble() < 0, !c.battery);
        EXPECT_TRUE(json["standby"]["hours"].isDouble());
    }
}

TEST(CliBattery, MeasuredWearInJsonAndText)
{
    const struct
    {
        const char *sysfs;
        QJsonValue wear, cycles;
        const char *textRow; // nullptr: no wear section
    } cases[] = {
        {"sys-battery-laptop", 100.0 * 50 / 57, 312, "Full capacity:\\s+87\\.7 % of design\n"},
        {"sys-battery-phone", 100.0 * 3000 / 3100, QJsonValue(), "Technology:\\s+Li-poly\n"},
        {"sys-empty", QJsonValue(), QJsonValue(), nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sysfs);
        const QStringList args{"--sysfs-root",  fixturePath(c.sysfs),
                               "--procfs-root", fixturePath("proc-empty"),
                               "--platform",    "x86_64"};
        const QJsonObject json = runJson(args);
        ASSERT_TRUE(json.contains("wearPercent"));
        ASSERT_TRUE(json.contains("cycleCount"));
        if (c.wear.isNull())
            EXPECT_TRUE(json["wearPercent"].isNull());
        else
            EXPECT_NEAR(json["wearPercent"].toDouble(), c.wear.toDouble(), 1e-9);
        EXPECT_EQ(json["cycleCount"], c.cycles);
        const CliRun text = runProgram(QStringList{"battery"} + args);
        EXPECT_EQ(text.out.contains("measured wear\n"), c.textRow != nullptr)
            << text.out.toStdString();
        if (c.textRow) {
            EXPECT_TRUE(text.out.contains(QRegularExpression(c.textRow))) << text.out.toStdString();
        }
    }
}

TEST(CliBattery, BadOptionsAreRejectedWithOneLine)
{
    const QStringList bad[] = {
        {"--bogus"},
        {"battery", "--charge"},
        {"battery", "--charge", "-5"},
        {"battery", "--charge", "ten"},
        {"battery", "--percent", "101"},
        {"battery", "--percent", "nan"},
        {"battery", "--brightness", "2"},
        {"battery", "--platform", ""},
        {"frobnicate"},
    };
    for (const QStringList &args : bad) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QString out, err;
        QTextStream o(&out), e(&err);
        EXPECT_EQ(runCli(args, o, e), 2);
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
}

} // namespace
