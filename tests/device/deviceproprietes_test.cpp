#include "device/devicedelegate.h"
#include "device/deviceproprietes.h"
#include "filetree.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

class RecordingDelegate : public deviceDelegate
{
public:
    void unhideWheel() override { ++unhidden; }
    int unhidden = 0;
};

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
    RecordingDelegate delegate;
    screen->setDelegate(&delegate);
    int wheelShownAtClose = -1;
    QObject::connect(screen.get(), &deviceProprietes::closeRequested,
                     [&] { wheelShownAtClose = delegate.unhidden; });
    screen->back();
    EXPECT_EQ(delegate.unhidden, 1);
    // The wheel is back before the screen goes.
    EXPECT_EQ(wheelShownAtClose, 1);
}

TEST(DeviceProprietes, BackWithoutDelegateStillCloses)
{
    std::unique_ptr<deviceProprietes> screen(makeScreen(QStringLiteral("iPhone4,1")));
    ASSERT_EQ(screen->delegate(), nullptr);
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
