// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawtraces.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A battery in a sysfs tree of its own, its files rewritten as the trace plays: each file whole
// (written aside and renamed), as the kernel never shows half a number.
struct PlayedBattery
{
    QTemporaryDir dir;
    TraceSim sim;
    QProcess cli;
    struct Line
    {
        double at; // seconds of the replay
        QJsonObject report;
        double truth; // the true standby hours then
    };
    std::vector<Line> lines;
    QByteArray pending;

    explicit PlayedBattery(const TraceSpec &spec, bool phone) : sim(spec)
    {
        if (phone)
            QDir().mkpath(dir.path() + "/firmware/devicetree/base");
        writeTree(dir.path(),
                  {{"class/power_supply/AC/type", "Mains"}, {"class/power_supply/AC/online", "0"}});
        write();
    }

    void write()
    {
        const QString battery = dir.path() + "/class/power_supply/BAT0/";
        QDir().mkpath(battery);
        for (const auto &[name, value] : sim.files()) {
            QSaveFile f(battery + QString::fromStdString(name));
            if (f.open(QIODevice::WriteOnly)) {
                f.write(QByteArray::fromStdString(value) + '\n');
                f.commit();
            }
        }
    }

    void start(const QString &home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/data");
        env.insert("XDG_CONFIG_HOME", home + "/config");
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(POWERDECK_BIN_DIR "/powerdeck-cli"),
                  {"battery", "--watch", "--format", "json", "--interval", "2", "--sysfs-root",
                   dir.path(), "--procfs-root", fixturePath("proc-empty"), "--platform", "x86_64"});
    }

    void collect(double at)
    {
        pending += cli.readAllStandardOutput();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            lines.push_back({at, QJsonDocument::fromJson(line).object(), sim.truthHours()});
        }
    }
};

// The acceptance run: a 12 W laptop with noise and spikes, and a 2.5 W phone with energy figures
// only, each read by `powerdeck-cli battery --watch --format json --interval 2`.
TEST(Replay, TheStatusBarFeedMeasuresTheTrueStandbyTime)
{
    ensureCoreApplication();
    QTemporaryDir home;
    std::vector<std::unique_ptr<PlayedBattery>> batteries;
    batteries.push_back(std::make_unique<PlayedBattery>(kLaptopTrace, false));
    batteries.push_back(std::make_unique<PlayedBattery>(kPhoneTrace, true));
    for (auto &b : batteries)
        b->start(home.path());

    constexpr double kSeconds = 100;
    QElapsedTimer clock;
    clock.start();
    double played = 0;
    while (played < kSeconds) {
        QThread::msleep(100);
        const double now = double(clock.elapsed()) / 1000.0;
        for (auto &b : batteries) {
            b->sim.advance(now - played);
            b->write();
            b->cli.waitForReadyRead(0);
            b->collect(now);
        }
        played = now;
    }

    for (auto &b : batteries) {
        SCOPED_TRACE(b->sim.spec().name);
        b->cli.terminate();
        ASSERT_TRUE(b->cli.waitForFinished(10000));
        EXPECT_EQ(b->cli.exitCode(), 0);
        // A line at start and one every two seconds.
        EXPECT_GE(b->lines.size(), size_t(kSeconds / 2 - 5));
        int checked = 0;
        double worst = 0;
        for (const PlayedBattery::Line &line : b->lines) {
            SCOPED_TRACE(testing::Message() << "at " << line.at << " s");
            const QJsonObject standby = line.report["standby"].toObject();
            ASSERT_TRUE(standby["hours"].isNull() || standby["hours"].isDouble());
            EXPECT_TRUE(line.report["watts"].isDouble());
            if (standby["hours"].isNull()) {
                EXPECT_EQ(standby["text"].toString(), "Calculating\u2026");
                EXPECT_LT(line.at, 90);
                continue;
            }
            const double hours = standby["hours"].toDouble();
            EXPECT_GT(hours, 0);
            EXPECT_LE(hours, 48);
            EXPECT_FALSE(standby["text"].toString().startsWith("0h"));
            if (line.at >= 90) {
                EXPECT_NEAR(hours / line.truth, 1.0, 0.10);
                worst = std::max(worst, std::fabs(hours / line.truth - 1));
                ++checked;
            }
        }
        EXPECT_GE(checked, 3);
        std::printf("%s: %d estimates after 90 s, at most %.1f %% from the truth\n",
                    b->sim.spec().name, checked, 100 * worst);
    }
}

} // namespace
