// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batteryfeed.h"
#include "cli/cli.h"
#include "core/batterymonitor.h"
#include "platform/batterysource.h"

#include "fakebattery.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

// A copy of the charging phone's sysfs tree whose battery files the test rewrites.
struct BatteryTree
{
    QTemporaryDir dir;
    BatteryTree()
    {
        const QString from =
            fixturePath("sys-battery-phone") + QStringLiteral("/class/power_supply/");
        for (const char *supply : {"battery", "usb"}) {
            const QString target =
                dir.path() + QStringLiteral("/class/power_supply/") + QLatin1String(supply);
            QDir().mkpath(target);
            for (const QString &f : QDir(from + QLatin1String(supply)).entryList(QDir::Files))
                QFile::copy(from + QLatin1String(supply) + QLatin1Char('/') + f,
                            target + QLatin1Char('/') + f);
        }
    }
    // 7 % and unplugged.
    void drain()
    {
        writeTree(dir.path(), {{"class/power_supply/battery/capacity", "7"},
                               {"class/power_supply/battery/charge_now", "217"},
                               {"class/power_supply/battery/status", "Discharging"},
                               {"class/power_supply/usb/online", "0"}});
    }
};

BatteryMonitor::Options tickEvery(int ms)
{
    BatteryMonitor::Options o;
    o.intervalMs = ms;
    return o;
}

TEST(BatteryFeed, OneLineAtStartOnEveryChangeAndOnEveryTick)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    BatteryMonitor monitor(source, tickEvery(40));
    QList<QByteArray> lines;
    int counter = 0;
    BatteryFeed feed(
        monitor, [&counter](const BatteryReading &) { return QByteArray::number(++counter); },
        [&lines](const QByteArray &l) {
            lines << l;
            return true;
        });
    feed.start();
    EXPECT_TRUE(source.monitoring);
    ASSERT_EQ(lines, QList<QByteArray>{"1\n"});
    source.notifyChange();
    EXPECT_EQ(lines.size(), 2);
    spin(150);
    EXPECT_GE(lines.size(), 4); // the tick
    EXPECT_EQ(lines.last(), QByteArray::number(lines.size()) + '\n');
}

TEST(BatteryFeed, StopsWhenTheReaderHasGone)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    BatteryMonitor monitor(source, tickEvery(20));
    int writes = 0;
    BatteryFeed feed(
        monitor, [](const BatteryReading &) { return QByteArray("x"); },
        [&writes](const QByteArray &) { return ++writes < 2; });
    bool finished = false;
    QObject::connect(&feed, &BatteryFeed::finished, [&finished] { finished = true; });
    feed.start();
    EXPECT_FALSE(finished);
    source.notifyChange(); // this write fails
    EXPECT_TRUE(finished);
    source.notifyChange();
    spin(80);
    EXPECT_EQ(writes, 2);
}

TEST(BatteryFeed, WaybarShape)
{
    const struct
    {
        double level;
        int state;
        const char *text, *cls;
        int percentage;
    } cases[] = {
        {85.4, 2, "85%", "charging", 85},  {100, 3, "100%", "full", 100},
        {15, 1, "15%", "discharging", 15}, {9.6, 1, "10%", "critical", 10},
        {5, 2, "5%", "charging", 5},       {-100, 0, "n/a", "unknown", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cls);
        const QJsonObject report{{"batteryLevel", c.level},
                                 {"batteryState", c.state},
                                 {"standby", QJsonObject{{"hours", 10.0}, {"text", "10h:0min"}}}};
        const QJsonObject w = waybarReport(report);
        EXPECT_EQ(w.keys(), (QStringList{"class", "percentage", "text", "tooltip"}));
        EXPECT_EQ(w["text"].toString(), c.text);
        EXPECT_EQ(w["class"].toString(), c.cls);
        EXPECT_EQ(w["percentage"].toInt(), c.percentage);
        EXPECT_TRUE(w["tooltip"].toString().contains("Standby: 10h:0min"));
        EXPECT_FALSE(w["tooltip"].toString().contains("Draw:"));
    }
    // The measured draw and the time to full, where the report has them.
    const QJsonObject charging{
        {"batteryLevel", 60.0},
        {"batteryState", 2},
        {"watts", 18.04},
        {"standby", QJsonObject{{"hours", QJsonValue()}, {"text", "Calculating\u2026"}}},
        {"timeToFull", QJsonObject{{"hours", 1.25}, {"text", "Need: 1h:15min"}}}};
    EXPECT_EQ(waybarReport(charging)["tooltip"].toString(),
              "Battery 60 % (charging)\nDraw: 18.0 W\nStandby: Calculating\u2026\n"
              "Full in 1h:15min");
}

QStringList watchArgs(const QString &sysfs)
{
    return {"battery",    "--watch",   "--format",      "waybar",
            "--interval", "0.2",       "--sysfs-root",  sysfs,
            "--platform", "iPhone4,1", "--procfs-root", fixturePath("proc-empty")};
}

QJsonObject nextLine(QProcess &p)
{
    QElapsedTimer t;
    t.start();
    while (!p.canReadLine() && t.elapsed() < 20000)
        p.waitForReadyRead(100);
    return QJsonDocument::fromJson(p.readLine()).object();
}

TEST(BatteryWatchProgram, FollowsTheFilesAndEndsQuietlyOnSigterm)
{
    BatteryTree tree;
    QTemporaryDir config;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(POWERDECK_BIN_DIR "/powerdeck-cli"), watchArgs(tree.dir.path()));
    const QJsonObject first = nextLine(p);
    EXPECT_EQ(first["percentage"].toInt(), 42);
    EXPECT_EQ(first["class"].toString(), "charging");
    tree.drain();
    QJsonObject line;
    for (int i = 0; i < 20 && line["percentage"].toInt() != 7; ++i)
        line = nextLine(p);
    EXPECT_EQ(line["class"].toString(), "critical");
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardError(), QByteArray());
}

TEST(BatteryWatchProgram, AReaderClosingThePipeEndsItWithStatusZero)
{
    QTemporaryDir config;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("CLI", QStringLiteral(POWERDECK_BIN_DIR "/powerdeck-cli"));
    p.setProcessEnvironment(env);
    const QStringList script{"-c", "\"$CLI\" \"$@\" | head -n 1; echo \"status ${PIPESTATUS[0]}\"",
                             "bash"};
    p.start("bash", script + watchArgs(fixturePath("sys-battery-phone")));
    ASSERT_TRUE(p.waitForFinished(20000));
    const QList<QByteArray> out = p.readAllStandardOutput().split('\n');
    ASSERT_GE(out.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(out[0]).object()["percentage"].toInt(), 42);
    EXPECT_EQ(out[1], "status 0");
    EXPECT_EQ(p.readAllStandardError(), QByteArray());
}

TEST(CliHelp, EveryCommandDescribesEachOptionWithAnExample)
{
    for (const QString command : {"battery", "monitor", "schedule"}) {
        SCOPED_TRACE(command.toStdString());
        QString out, err;
        QTextStream o(&out), e(&err);
        EXPECT_EQ(runCli({command, "--help"}, o, e), 0);
        EXPECT_TRUE(err.isEmpty());
        const QStringList lines = out.split('\n');
        int options = 0;
        for (int i = 0; i < lines.size(); ++i) {
            const QString option = lines[i].trimmed().section(' ', 0, 0);
            if (!lines[i].startsWith("  --"))
                continue;
            ++options;
            bool example = false;
            for (int j = i + 1; j < lines.size() && !lines[j].startsWith("  --") && !example; ++j)
                example =
                    lines[j].contains("powerdeck-cli " + command) && lines[j].contains(option);
            EXPECT_TRUE(example) << option.toStdString();
        }
        EXPECT_GE(options, 3);
    }
    QString out, err;
    QTextStream o(&out), e(&err);
    EXPECT_EQ(runCli({"--help"}, o, e), 0);
    EXPECT_TRUE(out.contains("powerdeck-cli battery --watch --format waybar"));
}

TEST(CliHelp, BadOptionsAndMissingFoldersNameTheOption)
{
    const struct
    {
        QStringList args;
        const char *named;
    } cases[] = {
        {{"battery", "--format", "xml"}, "--format"},
        {{"battery", "--interval", "0"}, "--interval"},
        {{"battery", "--watch", "--bogus"}, "--bogus"},
        {{"battery", "--sysfs-root", "/no/such/folder"}, "--sysfs-root"},
        {{"battery", "--procfs-root", "/no/such/folder"}, "--procfs-root"},
        {{"monitor", "--procfs-root", "/no/such/folder"}, "--procfs-root"},
        {{"monitor", "--sysfs-root=/no/such/folder"}, "--sysfs-root"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QString out, err;
        QTextStream o(&out), e(&err);
        EXPECT_EQ(runCli(c.args, o, e), 2);
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(c.named)) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
}

} // namespace
