// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartscene.h"

#include "charts/barchart.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using BarChartTest = ChartSceneTest;

// The network gauge's two bars, sent and received, at most 62 points tall: traffic of 30 and
// 70 MB, no traffic at all, and everything one way.
TEST_F(BarChartTest, LooksRightAndGrowsUpFromTheBase)
{
    const QString qml = QStringLiteral(R"(
Rectangle {
    color: "#0d0d0d"; width: 340; height: 110
    Row {
        x: 10; y: 10; spacing: 20
        Repeater {
            model: [[30, 70], [0, 0], [100, 0]]
            BarChart {
                required property var modelData
                required property int index
                objectName: "bars" + index
                width: 80; height: 90; padding: 4
                fullHeight: 62; barWidth: 26; spacing: 12
                trackColor: "#262626"
                colors: ["#1fd68a", "PATTERN"]
                values: modelData
            }
        }
    }
}
)");
    ASSERT_TRUE(scene.load(QString(qml).replace(QStringLiteral("PATTERN"), scene.patternPath()),
                           {340, 110}));
    ChartScene::settle(100);
    EXPECT_TRUE(scene.shoot(QStringLiteral("bars")));

    auto *shares = qobject_cast<BarChart *>(scene.find(QStringLiteral("bars0")));
    auto *none = qobject_cast<BarChart *>(scene.find(QStringLiteral("bars1")));
    ASSERT_TRUE(shares && none);
    EXPECT_NEAR(shares->heights().value(0), 18.6, 1e-9);
    EXPECT_NEAR(shares->heights().value(1), 43.4, 1e-9);
    EXPECT_EQ(none->heights(), (QList<qreal>{0, 0}));

    // The first bar (x 10 + 4 .. + 26 in the window) stands on the plot's bottom (y 10 + 86):
    // filled just above the base, track just above its top.
    const QImage shot = scene.view().grabWindow();
    ASSERT_FALSE(shot.isNull());
    const int barX = 10 + 4 + 13 - 3; // inside the first bar, away from its edges
    EXPECT_EQ(shot.pixelColor(barX, 96 - 2), QColor(0x1f, 0xd6, 0x8a));
    EXPECT_EQ(shot.pixelColor(barX, 96 - 17), QColor(0x1f, 0xd6, 0x8a));
    EXPECT_EQ(shot.pixelColor(barX, 96 - 21), QColor(0x26, 0x26, 0x26));
    // No traffic: the wells stay empty.
    EXPECT_EQ(shot.pixelColor(barX + 100, 96 - 2), QColor(0x26, 0x26, 0x26));
}

} // namespace
