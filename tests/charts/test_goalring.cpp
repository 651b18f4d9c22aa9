// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartscene.h"

#include "charts/goalring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using GoalRingTest = ChartSceneTest;

TEST_F(GoalRingTest, HoldsTheTargetWhileTheDrawingFollows)
{
    ASSERT_TRUE(scene.load(QStringLiteral("GoalRing { objectName: 'ring'; width: 100; height: 100; "
                                          "duration: 400 }"),
                           {100, 100}));
    auto *ring = qobject_cast<GoalRing *>(scene.find(QStringLiteral("ring")));
    ASSERT_NE(ring, nullptr);

    ring->setPercent(80, true);
    EXPECT_EQ(ring->currentGoal(), 80);
    EXPECT_TRUE(ring->isAnimating());
    ChartScene::settle(100);
    EXPECT_GT(ring->displayedPercent(), 0);
    EXPECT_LT(ring->displayedPercent(), 80);
    EXPECT_EQ(ring->currentGoal(), 80);

    // Hiding the ring ends its animation at the target; a hidden ring never animates.
    ring->setVisible(false);
    EXPECT_FALSE(ring->isAnimating());
    EXPECT_EQ(ring->displayedPercent(), 80);
    ring->setPercent(30, true);
    EXPECT_FALSE(ring->isAnimating());
    EXPECT_EQ(ring->displayedPercent(), 30);

    // A window that goes away ends it too.
    ring->setVisible(true);
    ring->setPercent(90, true);
    EXPECT_TRUE(ring->isAnimating());
    scene.view().hide();
    EXPECT_FALSE(ring->isAnimating());
    EXPECT_EQ(ring->displayedPercent(), 90);
}

TEST_F(GoalRingTest, TakesWholeClampedPercentsAndNoInput)
{
    ASSERT_TRUE(scene.load(QStringLiteral("GoalRing { objectName: 'ring'; width: 50; height: 50 }"),
                           {50, 50}));
    auto *ring = qobject_cast<GoalRing *>(scene.find(QStringLiteral("ring")));
    ASSERT_NE(ring, nullptr);
    const struct
    {
        double value;
        int goal;
    } cases[] = {{62.9, 62}, {std::nan(""), 0}, {150, 100}, {-5, 0}, {100, 100}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        ring->setPercent(c.value, false);
        EXPECT_EQ(ring->currentGoal(), c.goal);
        EXPECT_EQ(ring->displayedPercent(), c.goal);
        EXPECT_EQ(ring->property("percent").toInt(), c.goal);
    }
    EXPECT_EQ(ring->acceptedMouseButtons(), Qt::NoButton);
    EXPECT_FALSE(ring->acceptTouchEvents());
}

// The rings as the screens use them: the charging stages at 0/50/80/100, the memory screen's five
// stacked rings, the network screen's two half rings, and a pattern colour.
TEST_F(GoalRingTest, LooksRight)
{
    const QString qml = QStringLiteral(R"(
Rectangle {
    color: "#0d0d0d"; width: 720; height: 400
    Row {
        x: 10; y: 10; spacing: 10
        Repeater {
            model: [0, 50, 80, 100]
            GoalRing {
                required property int modelData
                width: 170; height: 170
                innerRadius: 40; outerRadius: 83
                trackColor: "#262626"
                barColor: modelData === 100 ? "PATTERN" : "#1fd68a"
                percent: modelData
            }
        }
    }
    Item {
        x: 10; y: 200; width: 190; height: 190
        Repeater {
            // used 30, active 25, free 40, inactive 5, purgeable 3: rings stacked across radii
            model: [[30, 0, "#1fd68a"], [25, 108, "#9cf2c8"], [40, 198, "#d4d4d4"],
                    [5, 342, "#6b6b6b"], [3, 360, "#0b7a4b"]]
            GoalRing {
                required property var modelData
                required property int index
                anchors.fill: parent
                outerRadius: 93 - index * 16; innerRadius: outerRadius - 13
                percent: modelData[0]; arcRotation: modelData[1]; barColor: modelData[2]
            }
        }
    }
    Item {
        x: 230; y: 200; width: 190; height: 190
        GoalRing { anchors.fill: parent; innerRadius: 60; outerRadius: 90; trackColor: "#262626" }
        GoalRing { anchors.fill: parent; innerRadius: 60; outerRadius: 90; percent: 15
                   arcRotation: 180; barColor: "#1fd68a" }
        GoalRing { anchors.fill: parent; innerRadius: 60; outerRadius: 90; percent: 35
                   barColor: "#d4d4d4" }
    }
}
)");
    ASSERT_TRUE(scene.load(QString(qml).replace(QStringLiteral("PATTERN"), scene.patternPath()),
                           {720, 400}));
    ChartScene::settle(100);
    EXPECT_TRUE(scene.shoot(QStringLiteral("rings")));
}

} // namespace
