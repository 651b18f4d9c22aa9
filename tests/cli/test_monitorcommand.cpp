// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/monitorcommand.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kProc = QStringLiteral(POWERDECK_FIXTURES "/proc-sampler-1000-used");
const QString kBasic = QStringLiteral(POWERDECK_FIXTURES "/proc-sampler-basic");
const QString kSys = QStringLiteral(POWERDECK_FIXTURES "/sys-net-phone");

struct CommandRun
{
    int status;
    QString out;
    QString err;
};

CommandRun run(const QStringList &args)
{
    CommandRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runMonitorCommand(args, out, err);
    return result;
}

TEST(MonitorCommand, JsonHasEveryFigure)
{
    CommandRun r = run({"--json", "--procfs-root", kProc, "--sysfs-root=" + kSys});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    QJsonParseError error;
    QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);

    const QStringList keys = {
        "cpu",          "processes",         "usedMemoryMB", "usedMemoryPercent",
        "freeMemoryMB", "freeMemoryPercent", "totalMem",     "memoryUsage",
        "ipAddress",    "macAddress",        "dataCounters"};
    EXPECT_EQ(o.keys().size(), keys.size());
    for (const QString &key : keys)
        EXPECT_TRUE(o.contains(key)) << key.toStdString();

    // This fixture tree has no threads and no processes.
    EXPECT_TRUE(o["cpu"].isNull());
    EXPECT_EQ(o["processes"].toArray().size(), 0);
    EXPECT_DOUBLE_EQ(o["usedMemoryMB"].toDouble(), 1000.0);
    EXPECT_DOUBLE_EQ(o["usedMemoryPercent"].toDouble(), 97.65625);
    EXPECT_DOUBLE_EQ(o["freeMemoryMB"].toDouble(), 24.0);
    EXPECT_DOUBLE_EQ(o["freeMemoryPercent"].toDouble(), 2.34375);
    EXPECT_DOUBLE_EQ(o["totalMem"].toDouble(), 1024.0);
    EXPECT_DOUBLE_EQ(o["memoryUsage"].toObject()["Wire"].toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(o["memoryUsage"].toObject()["Purgeable"].toDouble(), 303.4375);
    EXPECT_EQ(o["ipAddress"].toArray().size(), 2);
    EXPECT_EQ(o["macAddress"].toString(), "A4:5E:60:C1:0B:7F");
    EXPECT_EQ(o["dataCounters"].toArray(), (QJsonArray{5, 99, 3, 6148}));
}

TEST(MonitorCommand, JsonProcessRecordsAndCpuPair)
{
    CommandRun r = run({"--procfs-root", kBasic, "--json", "--sysfs-root", kSys});
    ASSERT_EQ(r.status, 0);
    QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray processes = o["processes"].toArray();
    ASSERT_EQ(processes.size(), 6);
    const QJsonObject first = processes[0].toObject();
    EXPECT_EQ(first.keys(), (QStringList{"ProcessID", "ProcessName", "processCPU"}));
    EXPECT_EQ(first["ProcessID"].toString(), "2002");
    EXPECT_EQ(processes[4].toObject()["ProcessName"].toString(), "(sd-pam)");
    EXPECT_EQ(processes[4].toObject()["processCPU"].toString(), QString(QChar(20)));
    const QJsonArray cpu = o["cpu"].toArray();
    ASSERT_EQ(cpu.size(), 2);
    EXPECT_GT(cpu[0].toDouble(), 0.0);
    EXPECT_EQ(cpu[1].toInteger(), 6); // the whole process's 670 ticks
}

TEST(MonitorCommand, TextListsTheFigures)
{
    CommandRun r = run({"--procfs-root", kProc, "--sysfs-root", kSys});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Used memory: 1000.00 MB (97.66 %)")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Wi-Fi hardware address: A4:5E:60:C1:0B:7F"));
    EXPECT_TRUE(r.out.contains("Traffic (MB): Wi-Fi sent 5, received 99, cellular sent 3, "
                               "received 6148"));
    EXPECT_TRUE(r.out.contains("CPU load: unavailable"));
}

struct BadArgs
{
    const char *name;
    QStringList args;
};

class MonitorCommandBadArgs : public testing::TestWithParam<BadArgs>
{
};

TEST_P(MonitorCommandBadArgs, OneLineErrorAndStatusTwo)
{
    CommandRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("powerdeck-cli monitor: "));
}

INSTANTIATE_TEST_SUITE_P(Options, MonitorCommandBadArgs,
                         testing::Values(BadArgs{"unknown", {"--verbose"}},
                                         BadArgs{"stray_word", {"json"}},
                                         BadArgs{"missing_dir", {"--json", "--procfs-root"}},
                                         BadArgs{"empty_dir", {"--sysfs-root="}}),
                         [](const testing::TestParamInfo<BadArgs> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
