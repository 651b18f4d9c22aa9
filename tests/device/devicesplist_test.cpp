// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicespectable.h"
#include "filetree.h"
#include "platform/plist.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The model table Powerdeck ships: every known model with all eighteen properties.
namespace {

const QStringList kModels = {
    "iPad1,1",   "iPad2,1",   "iPad2,2",   "iPad2,3",   "iPad2,4",   "iPad2,5",   "iPad2,6",
    "iPad2,7",   "iPad3,1",   "iPad3,2",   "iPad3,3",   "iPad3,4",   "iPad3,5",   "iPad3,6",
    "iPhone1,1", "iPhone1,2", "iPhone2,1", "iPhone3,1", "iPhone3,3", "iPhone4,1", "iPhone5,1",
    "iPhone5,2", "iPod1,1",   "iPod2,1",   "iPod3,1",   "iPod4,1",   "iPod5,1"};

QVariantMap shippedTable()
{
    // readFile on a copy: it would set a broken file aside, and the build tree's copy must stay.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("devices.plist"));
    if (!dir.isValid() || !QFile::copy(shippedDevicesPlist(), copy))
        return {};
    const plist::ReadResult result = plist::readFile(copy);
    return result.ok() ? result.value.toMap() : QVariantMap();
}

TEST(DevicesPlist, HoldsExactlyTheKnownModels)
{
    const QVariantMap table = shippedTable();
    QStringList keys = table.keys();
    QStringList expected = kModels;
    keys.sort();
    expected.sort();
    EXPECT_EQ(keys, expected);
}

TEST(DevicesPlist, EveryModelHasAllEighteenTexts)
{
    const QVariantMap table = shippedTable();
    ASSERT_FALSE(table.isEmpty());
    static const QRegularExpression yesNo(QStringLiteral("^(Yes|No)$"));
    static const QRegularExpression capacity(QStringLiteral("^[1-9][0-9]* mAh"));
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        const std::string model = it.key().toStdString();
        ASSERT_EQ(it.value().typeId(), QMetaType::QVariantMap) << model;
        const QVariantMap spec = it.value().toMap();
        EXPECT_EQ(spec.size(), 18) << model;
        for (const QString &property : DeviceSpecTable::propertyNames()) {
            const QVariant value = spec.value(property);
            EXPECT_EQ(value.typeId(), QMetaType::QString) << model << " " << property.toStdString();
            EXPECT_FALSE(value.toString().trimmed().isEmpty())
                << model << " " << property.toStdString();
        }
        EXPECT_TRUE(
            capacity.match(spec.value(QStringLiteral("Battery capacity")).toString()).hasMatch())
            << model;
        for (const char *sensor : {"Three-axis gyroscope", "Orientation sensor", "Distance sensor",
                                   "Ambient light sensor"})
            EXPECT_TRUE(yesNo.match(spec.value(QLatin1String(sensor)).toString()).hasMatch())
                << model << " " << sensor;
    }
}

struct ShippedModel
{
    const char *identifier;
    const char *name;
    float capacity;
};

class ShippedModelTest : public ::testing::TestWithParam<ShippedModel>
{
};

TEST_P(ShippedModelTest, NameAndNominalCapacity)
{
    DeviceSpecTable table(shippedDevicesPlist(), QLatin1String(GetParam().identifier));
    table.normBAt();
    EXPECT_EQ(table.name().toStdString(), GetParam().name);
    EXPECT_FLOAT_EQ(table.glCapasity(), GetParam().capacity);
}

// Published battery ratings of a sample of the models.
INSTANTIATE_TEST_SUITE_P(
    Models, ShippedModelTest,
    ::testing::Values(ShippedModel{"iPhone1,1", "iPhone", 1400.0f},
                      ShippedModel{"iPhone3,1", "iPhone 4 (GSM)", 1420.0f},
                      ShippedModel{"iPhone4,1", "iPhone 4S", 1430.0f},
                      ShippedModel{"iPhone5,2", "iPhone 5 (GSM + CDMA)", 1440.0f},
                      ShippedModel{"iPod5,1", "iPod touch (5th generation)", 1030.0f},
                      ShippedModel{"iPad2,1", "iPad 2 (Wi-Fi)", 6930.0f},
                      ShippedModel{"iPad2,5", "iPad mini (Wi-Fi)", 4440.0f},
                      ShippedModel{"iPad3,4", "iPad (4th generation, Wi-Fi)", 11560.0f}));

} // namespace
