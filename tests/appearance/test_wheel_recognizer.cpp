// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/onefingerrotationgesturerecognizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using wheelmath::Point;
using State = OneFingerRotationGestureRecognizer::State;

struct Recorder : OneFingerRotationGestureRecognizerDelegate
{
    std::vector<float> steps;
    std::vector<float> finals;
    void rotation(float degrees) override { steps.push_back(degrees); }
    void finalAngle(float degrees) override { finals.push_back(degrees); }
};

const Point kMid{160, 186};

Point at(double radius, double theta)
{
    const double t = theta * std::numbers::pi / 180;
    return {kMid.x + radius * std::sin(t), kMid.y - radius * std::cos(t)};
}

struct RecognizerTest : ::testing::Test
{
    Recorder target;
    OneFingerRotationGestureRecognizer recognizer{kMid, 160.0 / 3, 160, &target};
};

TEST_F(RecognizerTest, OneFingerTurnSendsStepsAndTheSumOnRelease)
{
    recognizer.touchesBegan(at(120, 0), 1);
    for (double theta = 5; theta <= 30; theta += 5)
        recognizer.touchesMoved(at(120, theta));
    ASSERT_EQ(target.steps.size(), 6u);
    for (float s : target.steps)
        EXPECT_NEAR(s, 5, 1e-3);
    EXPECT_NEAR(recognizer.cumulatedAngle(), 30, 1e-3);
    recognizer.touchesEnded();
    ASSERT_EQ(target.finals.size(), 1u);
    EXPECT_NEAR(target.finals[0], 30, 1e-3);
    EXPECT_EQ(recognizer.lastOutcome(), State::Recognized);
    EXPECT_EQ(recognizer.cumulatedAngle(), 0);
    EXPECT_EQ(recognizer.state(), State::Possible);
}

TEST_F(RecognizerTest, MovesOutsideTheRingAreIgnoredButStillMoveThePreviousPoint)
{
    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesMoved(at(20, 10));  // inside the hub
    recognizer.touchesMoved(at(170, 20)); // beyond the rim
    EXPECT_TRUE(target.steps.empty());
    // Back in the ring: the step is measured from the last point, wherever it was.
    recognizer.touchesMoved(at(100, 25));
    ASSERT_EQ(target.steps.size(), 1u);
    EXPECT_NEAR(target.steps[0], 5, 1e-3);
    // Both edges of the ring count as inside.
    recognizer.touchesMoved(at(160.0 / 3, 30));
    recognizer.touchesMoved(at(160, 40));
    ASSERT_EQ(target.steps.size(), 3u);
    EXPECT_NEAR(recognizer.cumulatedAngle(), 20, 1e-3);
}

TEST_F(RecognizerTest, ATouchWithTwoFingersFailsAndTurnsNothing)
{
    recognizer.touchesBegan(at(100, 0), 2);
    EXPECT_EQ(recognizer.state(), State::Failed);
    recognizer.touchesMoved(at(100, 20));
    recognizer.touchesEnded();
    EXPECT_TRUE(target.steps.empty());
    EXPECT_TRUE(target.finals.empty());
    EXPECT_EQ(recognizer.lastOutcome(), State::Failed);
    // The next one-finger touch works again.
    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesMoved(at(100, -8));
    recognizer.touchesEnded();
    ASSERT_EQ(target.finals.size(), 1u);
    EXPECT_NEAR(target.finals[0], -8, 1e-3);
}

TEST_F(RecognizerTest, ASecondFingerLaterStopsTheTurn)
{
    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesMoved(at(100, 10));
    recognizer.touchesBegan(at(100, 90), 2);
    recognizer.touchesMoved(at(100, 40));
    recognizer.touchesEnded();
    EXPECT_EQ(target.steps.size(), 1u);
    EXPECT_TRUE(target.finals.empty());
    EXPECT_EQ(recognizer.cumulatedAngle(), 0);
}

TEST_F(RecognizerTest, CancelAndResetClearTheTurn)
{
    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesMoved(at(100, 12));
    recognizer.touchesCancelled();
    EXPECT_TRUE(target.finals.empty());
    EXPECT_EQ(recognizer.cumulatedAngle(), 0);
    EXPECT_EQ(recognizer.lastOutcome(), State::Failed);

    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesMoved(at(100, 12));
    recognizer.reset();
    EXPECT_EQ(recognizer.cumulatedAngle(), 0);
}

TEST_F(RecognizerTest, AStepAcrossTheTopSeamIsTheShortWay)
{
    // Bearings +175 and -175 from the downward axis lie either side of the top; the raw
    // difference of 350 degrees is sent as -10.
    recognizer.touchesBegan(at(100, 5), 1);
    recognizer.touchesMoved(at(100, -5));
    ASSERT_EQ(target.steps.size(), 1u);
    EXPECT_NEAR(target.steps[0], -10, 1e-3);
}

TEST_F(RecognizerTest, ReleaseWithoutMovementReportsZero)
{
    recognizer.touchesBegan(at(100, 0), 1);
    recognizer.touchesEnded();
    ASSERT_EQ(target.finals.size(), 1u);
    EXPECT_EQ(target.finals[0], 0);
}

TEST(Recognizer, WorksWithoutATargetAndReportsItsGeometry)
{
    OneFingerRotationGestureRecognizer recognizer{{384, 424}, 128, 384, nullptr};
    EXPECT_DOUBLE_EQ(recognizer.midPoint().x, 384);
    EXPECT_DOUBLE_EQ(recognizer.innerRadius(), 128);
    EXPECT_DOUBLE_EQ(recognizer.outerRadius(), 384);
    recognizer.touchesBegan({384, 200}, 1);
    recognizer.touchesMoved({500, 200});
    EXPECT_GT(recognizer.cumulatedAngle(), 0); // to the right over the top is clockwise
    recognizer.touchesEnded();
    EXPECT_EQ(recognizer.lastOutcome(), State::Recognized);
}

} // namespace
