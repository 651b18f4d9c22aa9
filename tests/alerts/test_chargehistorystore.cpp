// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/chargehistorystore.h"

#include "platform/plist.h"
#include "platform/recordwriter.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QTemporaryDir>

#include <memory>
#include <sys/stat.h>

namespace {

// A file replaced by an atomic write gets a new inode.
ino_t inodeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QVariantMap reading(double level, int state)
{
    return {{"batteryLevel", level}, {"batteryState", state}};
}

struct HistoryFixture : ::testing::Test
{
    QTemporaryDir dir;
    QString documents = dir.path() + "/Documents";
    RecordWriter writer;

    void SetUp() override { QDir().mkpath(documents); }

    // A store whose day is 3 March, noon UTC.
    std::unique_ptr<ChargeHistoryStore> make(RecordWriter &to)
    {
        auto store = std::make_unique<ChargeHistoryStore>(documents, to);
        store->setClock([] { return QDateTime(QDate(2024, 3, 3), QTime(12, 0), QTimeZone::utc()); },
                        QTimeZone::utc());
        return store;
    }
    std::unique_ptr<ChargeHistoryStore> make() { return make(writer); }

    QVariantList savedHistory() const
    {
        return plist::readFile(documents + "/calendar.plist").value.toList();
    }
};

TEST_F(HistoryFixture, StartsEmptyWithoutAFile)
{
    auto store = make();
    EXPECT_TRUE(store->calendarArr().isEmpty());
    EXPECT_EQ(store->calPath(), documents + "/calendar.plist");
}

TEST_F(HistoryFixture, HistoryGoesToDiskWhenADayIsRecorded)
{
    auto store = make();
    // The writer is busy: taking the record does not wait for the disk.
    QSemaphore busy;
    writer.post([&busy] { busy.acquire(); });
    store->calendarComplete(reading(5, 2));
    const QVariantList expected = {QVariantMap{{"Color", 3}, {"Date", 3}, {"Month", 3}},
                                   QVariantMap{{"Color", 1}, {"Date", 3}, {"Month", 3}}};
    EXPECT_EQ(store->calendarArr(), expected);
    EXPECT_FALSE(QFile::exists(store->calPath()));
    busy.release();
    ASSERT_TRUE(writer.waitForDone());
    EXPECT_EQ(savedHistory(), expected);

    // The same day again writes nothing: the file stays the one written above.
    const ino_t written = inodeOf(store->calPath());
    store->calendarComplete(reading(5, 2));
    ASSERT_TRUE(writer.waitForDone());
    EXPECT_EQ(inodeOf(store->calPath()), written);
}

TEST_F(HistoryFixture, RecordsAnotherRunningCopyStoredAreKept)
{
    auto store = make();
    // A second copy on the same files, started after this one, records another day.
    RecordWriter otherWriter;
    ChargeHistoryStore other(documents, otherWriter);
    other.setClock([] { return QDateTime(QDate(2024, 3, 4), QTime(9, 0), QTimeZone::utc()); },
                   QTimeZone::utc());
    other.calendarComplete(reading(50, 3));
    ASSERT_TRUE(otherWriter.waitForDone());

    store->calendarComplete(reading(50, 2));
    ASSERT_TRUE(writer.waitForDone());
    EXPECT_EQ(savedHistory(), (QVariantList{QVariantMap{{"Color", 2}, {"Date", 4}, {"Month", 3}},
                                            QVariantMap{{"Color", 1}, {"Date", 3}, {"Month", 3}}}));
}

TEST_F(HistoryFixture, LoadsTheSavedHistory)
{
    const QVariantList stored = {QVariantMap{{"Color", 2}, {"Date", 1}, {"Month", 12}}};
    ASSERT_TRUE(plist::writeFile(documents + "/calendar.plist", stored));
    auto store = make();
    EXPECT_EQ(store->calendarArr().size(), 1);
    store->calendarComplete(reading(90, 3)); // a new day: added after the stored record
    ASSERT_EQ(store->calendarArr().size(), 2);
    EXPECT_EQ(store->calendarArr()[0].toMap().value("Month").toInt(), 12);
    EXPECT_EQ(store->calendarArr()[1].toMap().value("Month").toInt(), 3);
}

TEST_F(HistoryFixture, AHistoryThatCannotBeReadIsNeverWrittenOver)
{
    for (const UnreadableKind kind : {UnreadableKind::Directory, UnreadableKind::IoError}) {
        SCOPED_TRACE(kindName(kind));
        const QString path = documents + "/calendar.plist";
        ASSERT_TRUE(makeUnreadable(path, kind));
        auto store = make();
        // The run records in memory.
        store->calendarComplete(reading(5, 2));
        EXPECT_EQ(store->calendarArr().size(), 2);
        ASSERT_TRUE(writer.waitForDone());
        EXPECT_TRUE(isStillUnreadable(path, kind));
        EXPECT_FALSE(QFileInfo::exists(path + ".corrupt"));
        store.reset();
        QFile::remove(path);
        QDir(path).removeRecursively();
    }
}

} // namespace
