// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folders.h"
#include "platform/localnotifications.h"
#include "platform/localnotifications_file.h"
#include "platform/plist.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

namespace {

void ensureCoreApplication()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "platform_tests";
        static char *argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives as long as the test process
    }
}

const QDateTime kStart(QDate(2024, 3, 5), QTime(12, 0), QTimeZone::utc());

struct FileBackend
{
    QTemporaryDir dir;
    QString path = dir.path() + "/Library/scheduled.plist";
    QDateTime now = kStart;
    QStringList shown;

    FileBackend() { ensureCoreApplication(); }

    std::unique_ptr<FileLocalNotifications> make()
    {
        return std::make_unique<FileLocalNotifications>(
            path,
            [this](const QString &body, bool sound) {
                shown << body + (sound ? " sound" : "");
                return true;
            },
            [this] { return now; }, [] { return QTimeZone::utc(); });
    }
};

QStringList bodies(const QVariantList &entries)
{
    QStringList out;
    for (const QVariant &v : entries) {
        const QVariantMap m = v.toMap();
        out << m["fireDate"].toDateTime().toUTC().toString(Qt::ISODate) + ' ' +
                   m["body"].toString() + (m["sound"].toBool() ? " sound" : "") +
                   (m.contains("weekdays") ? " weekly " + m["weekdays"].toString() : QString());
    }
    return out;
}

TEST(FileLocalNotifications, KeepsTheScheduleInFireOrderOnDisk)
{
    FileBackend f;
    auto backend = f.make();
    EXPECT_TRUE(backend->schedule(kStart.addSecs(3600), "Battey is full", false));
    EXPECT_TRUE(backend->schedule(kStart.addSecs(600), "Alarm", true));
    const QStringList expected{"2024-03-05T12:10:00Z Alarm sound",
                               "2024-03-05T13:00:00Z Battey is full"};
    EXPECT_EQ(bodies(backend->pending()), expected);
    // The file itself, as another run would read it.
    backend->waitForStored();
    const plist::ReadResult stored = plist::readFile(f.path);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored.value.toList().size(), 2);
    EXPECT_EQ(bodies(f.make()->pending()), expected);
    EXPECT_TRUE(f.shown.isEmpty());
}

TEST(FileLocalNotifications, APastMomentIsShownAtOnceAndNotStored)
{
    FileBackend f;
    auto backend = f.make();
    EXPECT_TRUE(backend->schedule(kStart.addSecs(-30), "Battey is discharging", false));
    EXPECT_TRUE(backend->schedule(kStart, "Alarm", true));
    EXPECT_EQ(f.shown, (QStringList{"Battey is discharging", "Alarm sound"}));
    EXPECT_TRUE(backend->pending().isEmpty());
}

TEST(FileLocalNotifications, CancelAllEmptiesTheSchedule)
{
    FileBackend f;
    auto backend = f.make();
    backend->schedule(kStart.addSecs(600), "Alarm", true);
    EXPECT_TRUE(backend->timer().isActive());
    EXPECT_TRUE(backend->cancelAll());
    EXPECT_TRUE(backend->pending().isEmpty());
    EXPECT_FALSE(backend->timer().isActive());
    backend->waitForStored();
    EXPECT_TRUE(QFile::exists(f.path));
}

TEST(FileLocalNotifications, DeliversWhatFellDueOnceAndKeepsTheRest)
{
    FileBackend f;
    {
        auto backend = f.make();
        backend->schedule(kStart.addSecs(600), "Alarm", true);
        backend->schedule(kStart.addSecs(300), "Battey is discharging", false);
        backend->schedule(kStart.addSecs(7200), "Battey is full", false);
    }
    // The next run, twenty minutes later.
    f.now = kStart.addSecs(1200);
    auto backend = f.make();
    // Due entries are looked at as soon as the event loop runs.
    EXPECT_TRUE(backend->timer().isActive());
    EXPECT_EQ(backend->timer().interval(), 0);
    EXPECT_EQ(backend->deliverDue(), 2);
    EXPECT_EQ(f.shown, (QStringList{"Battey is discharging", "Alarm sound"}));
    EXPECT_EQ(bodies(backend->pending()), QStringList{"2024-03-05T14:00:00Z Battey is full"});
    EXPECT_EQ(backend->deliverDue(), 0);
    EXPECT_EQ(f.shown.size(), 2);
}

// A weekly entry rings on its days and is moved on to the next one each time, also across a
// restart and after days without Powerdeck running; a one-off entry rings once.
TEST(FileLocalNotifications, WeeklyEntriesAreReArmedAfterFiring)
{
    FileBackend f;
    struct Step
    {
        QDateTime now;
        QStringList shown;
        QStringList pending;
    };
    // Tuesday 13:00 and Thursday 13:00 (bits 2 and 4), from Tuesday 5 March on.
    const Step steps[] = {
        {kStart.addSecs(3600),
         {"Alarm sound", "Battey is full"},
         {"2024-03-07T13:00:00Z Alarm sound weekly 20"}},
        {QDateTime(QDate(2024, 3, 7), QTime(13, 0, 30), QTimeZone::utc()),
         {"Alarm sound"},
         {"2024-03-12T13:00:00Z Alarm sound weekly 20"}},
        // Off for two weeks: one ring, then the next day to come.
        {QDateTime(QDate(2024, 3, 27), QTime(9, 0), QTimeZone::utc()),
         {"Alarm sound"},
         {"2024-03-28T13:00:00Z Alarm sound weekly 20"}},
    };
    {
        auto backend = f.make();
        ASSERT_TRUE(backend->scheduleWeekly(kStart.addSecs(3600), 0x14, "Alarm", true));
        ASSERT_TRUE(backend->schedule(kStart.addSecs(3600), "Battey is full", false));
    }
    for (const Step &step : steps) {
        f.now = step.now;
        f.shown.clear();
        auto backend = f.make(); // each step a new run, reading the file
        EXPECT_EQ(backend->deliverDue(), step.shown.size());
        EXPECT_EQ(f.shown, step.shown);
        EXPECT_EQ(bodies(backend->pending()), step.pending);
    }
}

TEST(FileLocalNotifications, WaitsUntilTheNextEntryButNeverLongerThanAMinute)
{
    FileBackend f;
    auto backend = f.make();
    backend->schedule(kStart.addSecs(20), "Alarm", true);
    EXPECT_EQ(backend->timer().interval(), 20000);
    backend->schedule(kStart.addSecs(7200), "Battey is full", false);
    EXPECT_EQ(backend->timer().interval(), 20000);
    backend->cancelAll();
    backend->schedule(kStart.addSecs(7200), "Battey is full", false);
    EXPECT_EQ(backend->timer().interval(), FileLocalNotifications::kLongestWaitMs);
}

TEST(FileLocalNotifications, NoFileMeansNothingWaiting)
{
    FileBackend f;
    auto backend = f.make();
    EXPECT_FALSE(backend->timer().isActive());
    EXPECT_EQ(backend->deliverDue(), 0);
    EXPECT_FALSE(QFile::exists(f.path));
}

TEST(FileLocalNotifications, AnUnreadableFileIsSetAsideNotDelivered)
{
    FileBackend f;
    QDir().mkpath(QFileInfo(f.path).absolutePath());
    QFile bad(f.path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<plist><array><dict>");
    bad.close();
    auto backend = f.make();
    EXPECT_EQ(backend->deliverDue(), 0);
    EXPECT_TRUE(QFile::exists(f.path + ".corrupt"));
    EXPECT_TRUE(backend->schedule(kStart.addSecs(60), "Alarm", true));
    EXPECT_EQ(backend->pending().size(), 1);
}

TEST(FileLocalNotifications, EntriesWithoutADateAreDropped)
{
    FileBackend f;
    ASSERT_TRUE(plist::writeFile(
        f.path, QVariantList{QVariantMap{{"body", "Alarm"}, {"sound", true}}, QString("junk"),
                             QVariantMap{{"fireDate", kStart.addSecs(-5)}, {"body", "Alarm"}}}));
    auto backend = f.make();
    EXPECT_EQ(backend->pending().size(), 1);
    EXPECT_EQ(backend->deliverDue(), 1);
    EXPECT_EQ(f.shown, QStringList{"Alarm"});
}

TEST(LocalNotificationsFactory, FallsBackToTheScheduleFileWithoutAServiceManager)
{
    ensureCoreApplication();
    QTemporaryDir dir;
    const Folders folders = Folders::under(dir.path());
    // A connection to nowhere: no service manager can answer on it.
    const QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent"), QStringLiteral("powerdeck-test-none"));
    auto backend = createLocalNotifications(folders, none);
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(backend->backendName(), "schedule file");
    auto *file = dynamic_cast<FileLocalNotifications *>(backend.get());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->path(), folders.library + "/scheduled.plist");
    QDBusConnection::disconnectFromBus(QStringLiteral("powerdeck-test-none"));
}

} // namespace
