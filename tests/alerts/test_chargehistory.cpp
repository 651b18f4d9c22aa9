// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/chargehistory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using chargehistory::Day;
using chargehistory::DayRecord;

QVariantMap reading(double level, int state)
{
    return {{"batteryLevel", level}, {"batteryState", state}};
}

QDateTime utc(int y, int m, int d, int h, int min)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::utc());
}

TEST(ChargeHistoryRule, RecordsForOneReading)
{
    const Day today{3, 3};
    const struct
    {
        double level;
        int state;
        std::vector<DayRecord> expected;
    } cases[] = {
        {50, 1, {}},
        {50, 0, {}},
        {50, 2, {{1, 3, 3}}},
        {100, 3, {{2, 3, 3}}},
        {5, 2, {{3, 3, 3}, {1, 3, 3}}}, // one reading, two records: low first
        {5, 3, {{3, 3, 3}, {2, 3, 3}}},
        {5.99, 1, {{3, 3, 3}}},
        {0, 1, {{3, 3, 3}}},
        {6, 1, {}}, // 6 % is not below 6 %
        {6, 2, {{1, 3, 3}}},
        {50, 4, {}},   // no such state
        {-100, 0, {}}, // no battery: the level is unknown, not empty
        {-100, 2, {{1, 3, 3}}},
        {std::nan(""), 1, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " state " << c.state);
        EXPECT_EQ(chargehistory::recordsFor(c.level, c.state, today), c.expected);
    }
}

TEST(ChargeHistoryRule, LocalDayFollowsTheTimeZone)
{
    const struct
    {
        QDateTime now;
        const char *zone;
        int date, month;
    } cases[] = {
        {utc(2024, 3, 2, 23, 30), "UTC", 2, 3},
        {utc(2024, 3, 2, 23, 30), "Europe/Berlin", 3, 3},
        {utc(2024, 3, 3, 3, 0), "America/New_York", 2, 3},
        {utc(2023, 12, 31, 23, 30), "Asia/Tokyo", 1, 1},
        {utc(2024, 2, 29, 12, 0), "UTC", 29, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.zone);
        const QTimeZone zone(c.zone);
        ASSERT_TRUE(zone.isValid());
        const Day day = chargehistory::localDay(c.now, zone);
        EXPECT_EQ(day.date, c.date);
        EXPECT_EQ(day.month, c.month);
    }
}

TEST(ChargeHistoryRule, TwoChargingReadingsOnOneDayGiveOneRecord)
{
    QVariantList history;
    EXPECT_EQ(
        chargehistory::record(history, reading(40, 2), utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 1);
    EXPECT_EQ(
        chargehistory::record(history, reading(60, 2), utc(2024, 5, 7, 20, 0), QTimeZone::utc()),
        0);
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history[0].toMap(), (QVariantMap{{"Color", 1}, {"Date", 7}, {"Month", 5}}));
}

TEST(ChargeHistoryRule, LowAndChargingFromOneReadingInThatOrder)
{
    QVariantList history;
    EXPECT_EQ(
        chargehistory::record(history, reading(5, 2), utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 2);
    ASSERT_EQ(history.size(), 2);
    EXPECT_EQ(history[0].toMap().value("Color").toInt(), 3);
    EXPECT_EQ(history[1].toMap().value("Color").toInt(), 1);
}

TEST(ChargeHistoryRule, UnpluggedAtSixPercentRecordsNothing)
{
    QVariantList history;
    EXPECT_EQ(
        chargehistory::record(history, reading(6, 1), utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 0);
    EXPECT_TRUE(history.isEmpty());
}

TEST(ChargeHistoryRule, TheSameDayOfAnotherYearIsADuplicate)
{
    QVariantList history;
    chargehistory::record(history, reading(80, 3), utc(2023, 3, 3, 12, 0), QTimeZone::utc());
    chargehistory::record(history, reading(80, 3), utc(2024, 3, 3, 12, 0), QTimeZone::utc());
    EXPECT_EQ(history.size(), 1);
}

TEST(ChargeHistoryRule, NewRecordsGoAfterTheOldOnesInOrderSeen)
{
    QVariantList history;
    chargehistory::record(history, reading(50, 2), utc(2024, 6, 1, 9, 0), QTimeZone::utc());
    chargehistory::record(history, reading(100, 3), utc(2024, 6, 1, 11, 0), QTimeZone::utc());
    chargehistory::record(history, reading(50, 2), utc(2024, 6, 2, 9, 0), QTimeZone::utc());
    chargehistory::record(history, reading(4, 1), utc(2024, 6, 2, 22, 0), QTimeZone::utc());
    const std::vector<DayRecord> expected = {{1, 1, 6}, {2, 1, 6}, {1, 2, 6}, {3, 2, 6}};
    ASSERT_EQ(history.size(), int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(chargehistory::fromVariant(history[int(i)]), expected[i]) << i;
}

TEST(ChargeHistoryRule, StoredRecordsOfOtherNumberTypesStillCountAsPresent)
{
    // A history read back from a file written elsewhere may hold reals or 64-bit integers.
    QVariantList history = {
        QVariantMap{{"Color", 1.0}, {"Date", 7.0}, {"Month", 5.0}},
        QVariantMap{{"Color", qint64(2)}, {"Date", qint64(7)}, {"Month", qint64(5)}},
        QStringLiteral("not a record"),
        QVariantMap{{"Color", 3}},
    };
    EXPECT_EQ(
        chargehistory::record(history, reading(90, 2), utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 0);
    EXPECT_EQ(
        chargehistory::record(history, reading(100, 3), utc(2024, 5, 7, 8, 0), QTimeZone::utc()),
        0);
    // Entries that are no records are kept as they are; the low record is new.
    EXPECT_EQ(
        chargehistory::record(history, reading(3, 1), utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 1);
    EXPECT_EQ(history.size(), 5);
    EXPECT_EQ(history[2], QVariant(QStringLiteral("not a record")));
}

TEST(ChargeHistoryRule, ReadingWithoutALevelRecordsOnlyTheState)
{
    QVariantList history;
    const QVariantMap noLevel{{"batteryState", 2}};
    EXPECT_EQ(chargehistory::record(history, noLevel, utc(2024, 5, 7, 8, 0), QTimeZone::utc()), 1);
    EXPECT_EQ(chargehistory::fromVariant(history.value(0)), (DayRecord{1, 7, 5}));
}

TEST(ChargeHistoryRecord, VariantForm)
{
    const DayRecord r{2, 31, 12};
    const QVariantMap map = chargehistory::toVariant(r);
    EXPECT_EQ(map.keys(), (QStringList{"Color", "Date", "Month"}));
    EXPECT_EQ(chargehistory::fromVariant(map), r);
    EXPECT_FALSE(chargehistory::fromVariant(QVariant(42)).has_value());
    EXPECT_FALSE(chargehistory::fromVariant(QVariantMap{{"Color", 1}, {"Date", 2}}).has_value());
    EXPECT_FALSE(chargehistory::fromVariant(QVariantMap{{"Color", "x"}, {"Date", 2}, {"Month", 3}})
                     .has_value());
}

} // namespace
