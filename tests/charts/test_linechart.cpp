// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartscene.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using LineChartTest = ChartSceneTest;

// The processor history: 101 loads as the two series (load x 2 and 300 - load x 3) with the
// chart's defaults, and a chart with padding whose lines run far outside the axes' ranges.
TEST_F(LineChartTest, LooksRightAndKeepsLinesInsideThePlot)
{
    const QString qml = QStringLiteral(R"(
Rectangle {
    color: "#0d0d0d"; width: 640; height: 420
    property var loads: {
        var l = [];
        for (var i = 0; i <= 100; ++i)
            l.push(Math.floor(35 + 30 * Math.sin(i / 7) + (i % 5) * 4));
        return l;
    }
    LineChart {
        x: 10; y: 10; width: 620; height: 200
        series1: loads.map(function(l) { return l * 2; })
        series2: loads.map(function(l) { return 300 - l * 3; })
        colors: ["PATTERN", "#9cf2c8"]
    }
    LineChart {
        x: 30; y: 240; width: 580; height: 160; padding: 20
        series1: { var s = []; for (var i = 0; i < 150; ++i) s.push(i * 4); return s; }
        series2: [150, NaN, 150, 500, -100, 150]
        colors: ["#1fd68a", "#d4d4d4"]
    }
}
)");
    ASSERT_TRUE(scene.load(QString(qml).replace(QStringLiteral("PATTERN"), scene.patternPath()),
                           {640, 420}));
    ChartScene::settle(100);
    EXPECT_TRUE(scene.shoot(QStringLiteral("line")));

    // The padding of the second chart stays the page colour all around.
    const QImage shot = scene.view().grabWindow();
    ASSERT_FALSE(shot.isNull());
    const QColor page(0x0d, 0x0d, 0x0d);
    for (int x = 30; x < 610; x += 3) {
        SCOPED_TRACE(x);
        EXPECT_EQ(shot.pixelColor(x, 245), page);
        EXPECT_EQ(shot.pixelColor(x, 395), page);
    }
    for (int y = 240; y < 400; y += 3) {
        SCOPED_TRACE(y);
        EXPECT_EQ(shot.pixelColor(35, y), page);
        EXPECT_EQ(shot.pixelColor(605, y), page);
    }
}

} // namespace
