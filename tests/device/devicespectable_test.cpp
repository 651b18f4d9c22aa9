// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicespectable.h"
#include "filetree.h"
#include "platform/plist.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QVariantMap entry(std::initializer_list<std::pair<const char *, QVariant>> values)
{
    QVariantMap map;
    for (const auto &[key, value] : values)
        map.insert(QLatin1String(key), value);
    return map;
}

class DeviceSpecTableTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString resource(const QVariantMap &models)
    {
        const QString path = m_dir.filePath(QStringLiteral("devices.plist"));
        EXPECT_TRUE(plist::writeFile(path, models));
        return path;
    }
    QString noSystem() const { return m_dir.filePath(QStringLiteral("none")); }

    QTemporaryDir m_dir;
};

TEST_F(DeviceSpecTableTest, PropertyNamesInDisplayOrder)
{
    const QStringList expected = {"Name",
                                  "Frequency",
                                  "CPU",
                                  "Size",
                                  "Weight",
                                  "Screen Size",
                                  "Screen Resolution",
                                  "Pixel density",
                                  "Battery voltage",
                                  "Battery capacity",
                                  "Wi-Fi",
                                  "Bluetooth",
                                  "Rear camera",
                                  "Front camera",
                                  "Three-axis gyroscope",
                                  "Orientation sensor",
                                  "Distance sensor",
                                  "Ambient light sensor"};
    EXPECT_EQ(DeviceSpecTable::propertyNames(), expected);
}

TEST_F(DeviceSpecTableTest, KnownModelFillsRowsAndCapacity)
{
    const QString path = resource(
        {{QStringLiteral("iPhone4,1"), entry({{"Name", QStringLiteral("iPhone 4S")},
                                              {"Battery capacity", QStringLiteral("1430 mAh")},
                                              {"Bluetooth", QStringLiteral("4.0")}})},
         {QStringLiteral("iPhone5,2"), entry({{"Name", QStringLiteral("iPhone 5")},
                                              {"Battery capacity", QStringLiteral("1440 mAh")}})}});
    DeviceSpecTable table(path, QStringLiteral("iPhone4,1"), {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_EQ(table.device(), QStringLiteral("iPhone4,1"));
    EXPECT_EQ(table.name(), QStringLiteral("iPhone 4S"));
    EXPECT_FLOAT_EQ(table.glCapasity(), 1430.0f);
    EXPECT_EQ(table.value(QStringLiteral("Bluetooth")), QStringLiteral("4.0"));
    EXPECT_EQ(table.proprietes().size(), 2);
    EXPECT_FALSE(table.isLive());
}

TEST_F(DeviceSpecTableTest, BeforeNormBAtEverythingIsEmpty)
{
    DeviceSpecTable table(shippedDevicesPlist(), QStringLiteral("iPhone5,2"));
    EXPECT_TRUE(table.device().isEmpty());
    EXPECT_EQ(table.glCapasity(), 0.0f);
    EXPECT_EQ(table.rows().size(), 18);
}

TEST_F(DeviceSpecTableTest, MissingBluetoothLeavesOnlyThatRowEmpty)
{
    QVariantMap full;
    for (const QString &property : DeviceSpecTable::propertyNames())
        full.insert(property, property + QStringLiteral(" value"));
    full.insert(QStringLiteral("Battery capacity"), QStringLiteral("1219 mAh"));
    full.remove(QStringLiteral("Bluetooth"));
    DeviceSpecTable table(resource({{QStringLiteral("iPhone2,1"), full}}),
                          QStringLiteral("iPhone2,1"), {noSystem(), noSystem()});
    table.normBAt();
    const QList<DeviceSpecTable::Row> rows = table.rows();
    ASSERT_EQ(rows.size(), 18);
    for (const DeviceSpecTable::Row &row : rows) {
        if (row.first == QLatin1String("Bluetooth"))
            EXPECT_TRUE(row.second.isEmpty());
        else
            EXPECT_EQ(row.second, full.value(row.first).toString()) << row.first.toStdString();
    }
    EXPECT_FLOAT_EQ(table.glCapasity(), 1219.0f);
}

TEST_F(DeviceSpecTableTest, RowsKeepTheFixedOrderWhateverTheFileOrder)
{
    // Keys written in reverse order by hand; the rows must not follow the file.
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n"
                     "<dict><key>iPod5,1</key><dict>\n";
    const QStringList names = DeviceSpecTable::propertyNames();
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        xml += "<key>" + it->toUtf8() + "</key><string>v-" + it->toUtf8() + "</string>\n";
    xml += "</dict></dict></plist>\n";
    const QString path = m_dir.filePath(QStringLiteral("reversed.plist"));
    ASSERT_TRUE(writeTreeFile(m_dir.path(), QStringLiteral("reversed.plist"), xml));

    DeviceSpecTable table(path, QStringLiteral("iPod5,1"), {noSystem(), noSystem()});
    table.normBAt();
    const QList<DeviceSpecTable::Row> rows = table.rows();
    ASSERT_EQ(rows.size(), names.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].first, names[i]);
        EXPECT_EQ(rows[i].second, QStringLiteral("v-") + names[i]);
    }
}

TEST_F(DeviceSpecTableTest, CapacityWithoutSpaceAndCapacityAfterAWord)
{
    const QString path = resource(
        {{QStringLiteral("iPhone3,1"), entry({{"Battery capacity", QStringLiteral("1420mAh")}})},
         {QStringLiteral("iPhone3,3"), entry({{"Battery capacity", QStringLiteral("mAh 1420")}})}});
    DeviceSpecTable glued(path, QStringLiteral("iPhone3,1"), {noSystem(), noSystem()});
    glued.normBAt();
    EXPECT_FLOAT_EQ(glued.glCapasity(), 1420.0f);
    DeviceSpecTable worded(path, QStringLiteral("iPhone3,3"), {noSystem(), noSystem()});
    worded.normBAt();
    EXPECT_EQ(worded.glCapasity(), 0.0f);
}

TEST_F(DeviceSpecTableTest, CapacityEntryMissingGivesZero)
{
    DeviceSpecTable table(
        resource({{QStringLiteral("iPad1,1"), entry({{"Name", QStringLiteral("iPad")}})}}),
        QStringLiteral("iPad1,1"), {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_EQ(table.name(), QStringLiteral("iPad"));
    EXPECT_EQ(table.glCapasity(), 0.0f);
}

TEST_F(DeviceSpecTableTest, NonTextValuesReadAsEmpty)
{
    DeviceSpecTable table(
        resource({{QStringLiteral("iPad1,1"), entry({{"Name", QVariantList{QStringLiteral("iPad")}},
                                                     {"Battery capacity", qint64(6613)},
                                                     {"Weight", true}})}}),
        QStringLiteral("iPad1,1"), {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_TRUE(table.name().isEmpty());
    EXPECT_TRUE(table.value(QStringLiteral("Weight")).isEmpty());
    EXPECT_EQ(table.glCapasity(), 0.0f);
}

void expectAllEmpty(const DeviceSpecTable &table)
{
    const QList<DeviceSpecTable::Row> rows = table.rows();
    ASSERT_EQ(rows.size(), 18);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].first, DeviceSpecTable::propertyNames()[i]);
        EXPECT_TRUE(rows[i].second.isEmpty()) << rows[i].first.toStdString();
    }
    EXPECT_EQ(table.glCapasity(), 0.0f);
}

TEST_F(DeviceSpecTableTest, UnknownModelShowsCaptionsOnly)
{
    DeviceSpecTable table(shippedDevicesPlist(), QStringLiteral("iPhone6,1"),
                          {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_EQ(table.device(), QStringLiteral("iPhone6,1"));
    expectAllEmpty(table);
}

TEST_F(DeviceSpecTableTest, IdentifierMatchIsCaseSensitiveAndExact)
{
    for (const QString &id : {QStringLiteral("iphone4,1"), QStringLiteral("iPhone4,1 "),
                              QStringLiteral("iPhone4"), QString()}) {
        DeviceSpecTable table(shippedDevicesPlist(), id, {noSystem(), noSystem()});
        table.normBAt();
        expectAllEmpty(table);
    }
}

TEST_F(DeviceSpecTableTest, MissingResourceShowsCaptionsOnly)
{
    DeviceSpecTable table(m_dir.filePath(QStringLiteral("absent.plist")),
                          QStringLiteral("iPhone5,2"), {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_TRUE(table.proprietes().isEmpty());
    expectAllEmpty(table);
}

TEST_F(DeviceSpecTableTest, CorruptResourceReadsEmptyAndIsLeftInPlace)
{
    ASSERT_TRUE(writeTreeFile(m_dir.path(), QStringLiteral("devices.plist"),
                              "<?xml version=\"1.0\"?><plist><dict><key>iPhone5,2"));
    const QString path = m_dir.filePath(QStringLiteral("devices.plist"));
    DeviceSpecTable table(path, QStringLiteral("iPhone5,2"), {noSystem(), noSystem()});
    table.normBAt();
    expectAllEmpty(table);
    // A shipped resource is never renamed away.
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".corrupt")));
}

TEST_F(DeviceSpecTableTest, ResourceThatIsNotADictionaryReadsEmpty)
{
    const QString path = m_dir.filePath(QStringLiteral("array.plist"));
    ASSERT_TRUE(plist::writeFile(path, QVariantList{QStringLiteral("iPhone5,2")}));
    DeviceSpecTable table(path, QStringLiteral("iPhone5,2"), {noSystem(), noSystem()});
    table.normBAt();
    expectAllEmpty(table);
}

TEST_F(DeviceSpecTableTest, NormBAtReadsTheResourceAfresh)
{
    const QString path = resource(
        {{QStringLiteral("iPod4,1"), entry({{"Battery capacity", QStringLiteral("930 mAh")}})}});
    DeviceSpecTable table(path, QStringLiteral("iPod4,1"), {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_FLOAT_EQ(table.glCapasity(), 930.0f);
    resource({{QStringLiteral("iPod4,1"), entry({{"Name", QStringLiteral("iPod touch")}})}});
    table.normBAt();
    EXPECT_EQ(table.glCapasity(), 0.0f);
    EXPECT_EQ(table.name(), QStringLiteral("iPod touch"));
}

struct HostCase
{
    const char *identifier;
    bool host;
};

class HostIdentifierTest : public ::testing::TestWithParam<HostCase>
{
};

TEST_P(HostIdentifierTest, Recognises)
{
    EXPECT_EQ(DeviceSpecTable::isHostIdentifier(QLatin1String(GetParam().identifier)),
              GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(Identifiers, HostIdentifierTest,
                         ::testing::Values(HostCase{"x86_64", true}, HostCase{"aarch64", true},
                                           HostCase{"armv7l", true}, HostCase{"i686", true},
                                           HostCase{"armv8l", true}, HostCase{"riscv64", true},
                                           HostCase{"ppc64le", true}, HostCase{"loongarch64", true},
                                           HostCase{"i386", true}, HostCase{"iPhone5,2", false},
                                           HostCase{"iPhone6,1", false}, HostCase{"", false}));

TEST_F(DeviceSpecTableTest, HostIdentifierReadsTheLiveSystem)
{
    // Even a resource row for the host's name does not hide the real machine.
    const QString path = resource(
        {{QStringLiteral("x86_64"), entry({{"Name", QStringLiteral("Simulator")},
                                           {"Battery capacity", QStringLiteral("1440 mAh")}})}});
    DeviceSpecTable table(path, QStringLiteral("x86_64"),
                          {fixturePath(QStringLiteral("sys-host-laptop")),
                           fixturePath(QStringLiteral("proc-host-laptop"))});
    table.normBAt();
    EXPECT_TRUE(table.isLive());
    EXPECT_EQ(table.device(), QStringLiteral("x86_64"));
    EXPECT_EQ(table.name(), QStringLiteral("LENOVO ThinkPad T480"));
    EXPECT_FLOAT_EQ(table.glCapasity(), 4400.0f);
    EXPECT_EQ(table.value(QStringLiteral("Battery capacity")), QStringLiteral("4400 mAh"));
}

TEST_F(DeviceSpecTableTest, PhoneHostCapacityIsItsBatteryDesign)
{
    DeviceSpecTable table(shippedDevicesPlist(), QStringLiteral("aarch64"),
                          {fixturePath(QStringLiteral("sys-host-phone")),
                           fixturePath(QStringLiteral("proc-host-phone"))});
    table.normBAt();
    EXPECT_EQ(table.name(), QStringLiteral("Pine64 PinePhone (1.2)"));
    EXPECT_FLOAT_EQ(table.glCapasity(), 3000.0f);
    EXPECT_EQ(table.rows().size(), 18);
}

TEST_F(DeviceSpecTableTest, HostWithoutBatteryHasNoCapacity)
{
    DeviceSpecTable table(shippedDevicesPlist(), QStringLiteral("armv7l"),
                          {noSystem(), noSystem()});
    table.normBAt();
    EXPECT_TRUE(table.isLive());
    expectAllEmpty(table);
}

// The capacity the gauge and the panel read alone is the one the full table finds.
TEST_F(DeviceSpecTableTest, NominalCapacityAloneMatchesTheFullTable)
{
    const QString path = resource(
        {{QStringLiteral("iPhone4,1"), entry({{"Battery capacity", QStringLiteral("1430 mAh")}})},
         {QStringLiteral("iPhone5,2"), entry({{"Battery capacity", 1440}})},
         {QStringLiteral("iPhone6,1"), QStringLiteral("1560 mAh")}});
    const SystemRoots laptop{fixturePath(QStringLiteral("sys-host-laptop")),
                             fixturePath(QStringLiteral("proc-host-laptop"))};
    const SystemRoots phone{fixturePath(QStringLiteral("sys-host-phone")),
                            fixturePath(QStringLiteral("proc-host-phone"))};
    const SystemRoots none{noSystem(), noSystem()};
    const struct
    {
        QString resource;
        const char *platform;
        SystemRoots roots;
        float capacity;
    } cases[] = {
        {path, "iPhone4,1", none, 1430.0f},    {path, "iPhone5,2", none, 0.0f},
        {path, "iPhone6,1", none, 0.0f},       {path, "iPad9,9", none, 0.0f},
        {noSystem(), "iPhone4,1", none, 0.0f}, {path, "x86_64", laptop, 4400.0f},
        {path, "aarch64", phone, 3000.0f},     {path, "armv7l", none, 0.0f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.platform);
        DeviceSpecTable table(c.resource, QString::fromLatin1(c.platform), c.roots);
        table.normBAt();
        EXPECT_FLOAT_EQ(table.glCapasity(), c.capacity);
        EXPECT_FLOAT_EQ(
            DeviceSpecTable::nominalCapacity(c.resource, QString::fromLatin1(c.platform), c.roots),
            c.capacity);
    }
}

} // namespace
