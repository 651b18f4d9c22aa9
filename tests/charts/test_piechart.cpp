// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartscene.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using PieChartTest = ChartSceneTest;

// The overview's three pies (CPU: four records from -160 degrees; memory: five records in a ring
// from 45 degrees with grey labels; disk: free and used from 180 degrees), and pies whose records
// are unusable: all zero, negative or not numbers.
TEST_F(PieChartTest, LooksRightAndDrawsUnusableRecordsAsNothing)
{
    const QString qml = QStringLiteral(R"(
Rectangle {
    color: "#0d0d0d"; width: 640; height: 330
    Row {
        x: 10; y: 10; spacing: 10
        PieChart { width: 146; height: 150; padding: 5; radiusShare: 0.68; startAngle: -160
                   values: [3, 9, 88, 60] }
        PieChart { width: 146; height: 150; padding: 15; radiusShare: 0.8; hole: 0.25
                   startAngle: 45; values: [512, 900, 300, 250, 100]
                   labels: ["current data", "current data", "current data", "current data",
                            "current data"]
                   labelSize: 7; labelOffset: -22 }
        PieChart { width: 146; height: 150; padding: 15; radiusShare: 0.8; hole: 0.17
                   startAngle: 180; values: [12288, 4096]; colors: ["#d4d4d4", "PATTERN"] }
        PieChart { width: 146; height: 150; padding: 5; values: [NaN] }
    }
    Row {
        x: 10; y: 170; spacing: 10
        PieChart { objectName: "empty"; width: 146; height: 150; values: [0, 0, 0]; rimShading: false }
        PieChart { objectName: "one"; width: 146; height: 150; values: [-1, NaN, 5, -Infinity]
                   colors: ["#ff0000", "#ff0000", "#9cf2c8", "#ff0000"]; rimShading: false }
        PieChart { width: 146; height: 150; hole: 0.6; startAngle: 90; values: [1, 1, 2]
                   colors: ["#1fd68a", "#d4d4d4", "#6b6b6b"] }
        PieChart { width: 146; height: 150; values: [] }
    }
}
)");
    ASSERT_TRUE(scene.load(QString(qml).replace(QStringLiteral("PATTERN"), scene.patternPath()),
                           {640, 330}));
    ChartScene::settle(100);
    EXPECT_TRUE(scene.shoot(QStringLiteral("pies")));

    const QImage shot = scene.view().grabWindow();
    ASSERT_FALSE(shot.isNull());
    // Points inside the pies, well away from their centres and rims, all around.
    const QPoint offsets[] = {{0, -30}, {30, 0}, {0, 30}, {-30, 0}, {20, 20}, {-20, -20}};
    const QPoint emptyCentre(10 + 73, 170 + 75);
    const QPoint oneCentre(10 + 156 + 73, 170 + 75);
    for (const QPoint &o : offsets) {
        SCOPED_TRACE(o.x() * 100 + o.y());
        EXPECT_EQ(shot.pixelColor(emptyCentre + o), QColor(0x26, 0x26, 0x26));
        EXPECT_EQ(shot.pixelColor(oneCentre + o), QColor(0x9c, 0xf2, 0xc8));
    }
}

} // namespace
