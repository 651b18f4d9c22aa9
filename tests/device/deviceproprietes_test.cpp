// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceproprietes.h"
#include "filetree.h"
#include "germantranslation.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

deviceProprietes *makeScreen(const QString &identifier, QObject *parent = nullptr)
{
    const QString none = QStringLiteral("/nonexistent-powerdeck-root");
    return new deviceProprietes(
        DeviceSpecTable(shippedDevicesPlist(), identifier, SystemRoots{none, none}), parent);
}

TEST(DeviceProprietes, NormBAtPublishesTheTable)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone5,1")));
    int changes = 0;
    QObject::connect(screen.get(), &deviceProprietes::specificationChanged,
                     [&changes] { ++changes; });
    EXPECT_EQ(screen->property("glCapasity").toDouble(), 0.0);

    screen->normBAt();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(screen->property("device").toString(), QStringLiteral("iPhone5,1"));
    EXPECT_DOUBLE_EQ(screen->property("glCapasity").toDouble(), 1440.0);

    const QVariantList rows = screen->property("rows").toList();
    ASSERT_EQ(rows.size(), 18);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QVariantMap row = rows[i].toMap();
        EXPECT_EQ(row.size(), 2);
        EXPECT_EQ(row.value(QStringLiteral("name")).toString(),
                  DeviceSpecTable::propertyNames()[i]);
        EXPECT_EQ(row.value(QStringLiteral("value")).toString(),
                  screen->table().value(DeviceSpecTable::propertyNames()[i]));
    }
    EXPECT_EQ(rows[0].toMap().value(QStringLiteral("value")).toString(),
              QStringLiteral("iPhone 5 (GSM)"));
    EXPECT_EQ(rows[9].toMap().value(QStringLiteral("value")).toString(),
              QStringLiteral("1440 mAh (5.45 Wh)"));
}

TEST(DeviceProprietes, InvokablesAreReachableByName)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPad2,5")));
    ASSERT_TRUE(QMetaObject::invokeMethod(screen.get(), "normBAt"));
    EXPECT_DOUBLE_EQ(screen->glCapasity(), 4440.0);
    int closes = 0;
    QObject::connect(screen.get(), &deviceProprietes::closeRequested, [&closes] { ++closes; });
    ASSERT_TRUE(QMetaObject::invokeMethod(screen.get(), "back"));
    EXPECT_EQ(closes, 1);
}

TEST(DeviceProprietes, UnknownModelStillHasEighteenRows)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone9,9")));
    screen->normBAt();
    const QVariantList rows = screen->rows();
    ASSERT_EQ(rows.size(), 18);
    for (const QVariant &row : rows) {
        EXPECT_FALSE(row.toMap().value(QStringLiteral("name")).toString().isEmpty());
        EXPECT_TRUE(row.toMap().value(QStringLiteral("value")).toString().isEmpty());
    }
    EXPECT_EQ(screen->glCapasity(), 0.0);
}

TEST(DeviceProprietes, BackShowsTheWheelThenAsksToClose)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone4,1")));
    int unhidden = 0;
    QObject::connect(screen.get(), &deviceProprietes::unhideWheel, [&] { ++unhidden; });
    int wheelShownAtClose = -1;
    QObject::connect(screen.get(), &deviceProprietes::closeRequested,
                     [&] { wheelShownAtClose = unhidden; });
    screen->back();
    EXPECT_EQ(unhidden, 1);
    // The wheel is back before the screen goes.
    EXPECT_EQ(wheelShownAtClose, 1);
}

TEST(DeviceProprietes, BackWithoutAPresenterStillCloses)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone4,1")));
    int closes = 0;
    QObject::connect(screen.get(), &deviceProprietes::closeRequested, [&closes] { ++closes; });
    screen->back();
    EXPECT_EQ(closes, 1);
}

TEST(DeviceProprietes, LiveHostOnAFixtureLaptop)
{
    deviceProprietes screen(DeviceSpecTable(shippedDevicesPlist(), QStringLiteral("x86_64"),
                                            {fixturePath(QStringLiteral("sys-host-laptop")),
                                             fixturePath(QStringLiteral("proc-host-laptop"))}));
    screen.normBAt();
    EXPECT_DOUBLE_EQ(screen.glCapasity(), 4400.0);
    EXPECT_EQ(screen.rows().at(0).toMap().value(QStringLiteral("value")).toString(),
              QStringLiteral("LENOVO ThinkPad T480"));
}

} // namespace

namespace {

TEST(DeviceProprietes, MeasurementsAreShownInTheLocaleNamesAndVersionsAsTheyAre)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct
    {
        const char *property, *value, *shown;
    } cases[] = {
        {"Battery voltage", "3.7 V", "3,7 V"},
        {"Size", "241.2 x 185.7 x 9.4 mm", "241,2 x 185,7 x 9,4 mm"},
        {"Battery capacity", "1440 mAh (5.45 Wh)", "1440 mAh (5,45 Wh)"},
        {"Front camera", "1.2 MP (720p video)", "1,2 MP (720p video)"},
        {"Frequency", "1.3 GHz", "1,3 GHz"},
        {"Wi-Fi", "802.11 a/b/g/n (2.4/5 GHz)", "802.11 a/b/g/n (2.4/5 GHz)"},
        {"Bluetooth", "4.0", "4.0"},
        {"Name", "iPad 2 (Wi-Fi, 2012)", "iPad 2 (Wi-Fi, 2012)"},
        {"CPU", "Apple A4 (ARM Cortex-A8)", "Apple A4 (ARM Cortex-A8)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(deviceProprietes::shownValue(c.property, c.value, german), c.shown) << c.property;
    EXPECT_EQ(deviceProprietes::shownValue("Battery voltage", "3.7 V", QLocale::c()), "3.7 V");
}

TEST(DeviceProprietes, TheRowsAreReadInTheUsersLanguage)
{
    GermanTranslation german;
    ASSERT_TRUE(german.installed());
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone4,1")));
    screen->normBAt();
    const QVariantList rows = screen->rows();
    ASSERT_EQ(rows.size(), 18);
    // The keys of devices.plist stay as they are; the screen shows captions and answers in
    // German and the measurements with a decimal comma.
    EXPECT_EQ(screen->table().value(QStringLiteral("Battery voltage")), QStringLiteral("3.7 V"));
    EXPECT_EQ(rows[8].toMap().value("name").toString(), QStringLiteral("Akkuspannung"));
    EXPECT_EQ(rows[8].toMap().value("value").toString(), QStringLiteral("3,7 V"));
    EXPECT_EQ(rows[10].toMap().value("name").toString(), QStringLiteral("WLAN"));
    EXPECT_EQ(rows[14].toMap().value("value").toString(), QStringLiteral("Ja"));
}

} // namespace
