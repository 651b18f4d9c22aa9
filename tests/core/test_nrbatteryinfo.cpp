#include "core/nrbatteryinfo.h"

#include "fakebattery.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

struct RecordingDelegate : NrBatteryInfoDelegate
{
    QList<QVariantMap> readings;
    QList<QVariantMap> detailed;
    void updateNormInfo(const QVariantMap &r) override { readings << r; }
    void updateInfo(const QVariantMap &d) override { detailed << d; }
};

TEST(NRBatteryInfo, TimersAndMonitoring)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    NRBatteryInfo reader(source);
    EXPECT_TRUE(source.monitoring);
    EXPECT_TRUE(reader.timer().isActive());
    EXPECT_EQ(reader.timer().interval(), 45000);
    EXPECT_FALSE(reader.timer().isSingleShot());
    EXPECT_TRUE(reader.firstReadingTimer().isActive());
    EXPECT_TRUE(reader.firstReadingTimer().isSingleShot());
    EXPECT_EQ(reader.firstReadingTimer().interval(), 400);
}

TEST(NRBatteryInfo, EachEventGivesExactlyOneReading)
{
    ScriptedBatterySource source;
    source.set(0.42, 2);
    NRBatteryInfo reader(source);
    RecordingDelegate d;
    reader.setDelegate(&d);
    source.levelChanged();
    source.stateChanged();
    emit reader.timer().timeout({});
    emit reader.firstReadingTimer().timeout({});
    ASSERT_EQ(d.readings.size(), 4);
    for (const QVariantMap &r : d.readings) {
        EXPECT_EQ(r.size(), 2);
        EXPECT_FLOAT_EQ(r.value("batteryLevel").toFloat(), 42.0f);
        EXPECT_EQ(r.value("batteryState").toInt(), 2);
    }
    EXPECT_TRUE(d.detailed.isEmpty()); // the precision mode is off
}

TEST(NRBatteryInfo, UnknownBatteryReadsMinusHundred)
{
    ScriptedBatterySource source;
    source.set(-1, 0);
    NRBatteryInfo reader(source);
    RecordingDelegate d;
    reader.setDelegate(&d);
    reader.batteryInfo();
    ASSERT_EQ(d.readings.size(), 1);
    EXPECT_EQ(d.readings[0], (QVariantMap{{"batteryLevel", -100.0f}, {"batteryState", 0}}));
}

TEST(NRBatteryInfo, WithoutDelegateReadingsAreDropped)
{
    ScriptedBatterySource source;
    NRBatteryInfo reader(source);
    reader.batteryInfo();
    source.levelChanged();
    EXPECT_EQ(source.snapshotCalls, 2);
}

TEST(NRBatteryInfo, DetailedReadingOnlyInPrecisionModeAndWithFigures)
{
    ScriptedBatterySource source;
    source.set(0.5, 2);
    source.figures.externalPower = true;
    bool precise = false;
    NRBatteryInfo reader(source, [&] { return precise; });
    RecordingDelegate d;
    reader.setDelegate(&d);

    reader.batteryInfo();
    EXPECT_TRUE(d.detailed.isEmpty());

    precise = true;
    reader.batteryInfo(); // no capacities known: no detailed reading
    EXPECT_TRUE(d.detailed.isEmpty());

    source.figures.remainingMah = 1500.4;
    source.figures.designMah = 3000;
    source.figures.currentMa = 750;
    reader.batteryInfo();
    ASSERT_EQ(d.detailed.size(), 1);
    const QVariantMap x = d.detailed[0];
    EXPECT_FLOAT_EQ(x.value("Battery Level").toFloat(), 50.0f);
    EXPECT_EQ(x.value("Current Capacity").toInt(), 1500);
    EXPECT_EQ(x.value("Design Capacity").toInt(), 3000);
    EXPECT_EQ(x.value("Charger Current").toInt(), 750);
    EXPECT_TRUE(x.value("Device Charging").toBool());
    EXPECT_TRUE(x.value("External Power").toBool());
    EXPECT_EQ(d.readings.size(), 3);
}

} // namespace
