// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/gaugegeometry.h"
#include "battery/myslider.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(GaugeSliderRules, WidenedBounds)
{
    const struct
    {
        double x, y;
        bool inside;
    } cases[] = {
        {0, 0, true},     {-10, 0, true},  {-10.5, 0, false},  {339.9, 20, true},
        {340, 20, false}, {165, -8, true}, {165, -8.5, false}, {165, 51.9, true},
        {165, 52, false}, {-10, -8, true}, {400, 20, false},   {165, 100, false},
    };
    // A slider 330 x 44.
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(gauge::sliderPointInside(330, 44, c.x, c.y), c.inside);
        EXPECT_EQ(mySlider(330, 44).pointInside(c.x, c.y), c.inside);
    }
}

TEST(GaugeSliderRules, ThumbCentre)
{
    const struct
    {
        double value, minimum, maximum, width, centre;
    } cases[] = {
        {0, 0, 100, 330, 115}, // the worked example
        {100, 0, 100, 330, 215}, {50, 0, 100, 480, 240},
        {30, 20, 40, 330, 165}, // halfway through a range that does not start at 0
        {7, 5, 5, 330, 115},    // an empty range puts the thumb at the start, not at NaN
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " of " << c.minimum << ".." << c.maximum);
        EXPECT_DOUBLE_EQ(gauge::sliderThumbCenter(c.value, c.minimum, c.maximum, c.width),
                         c.centre);
    }
}

TEST(GaugeSliderRules, TrackingStartsOnlyNearTheThumb)
{
    mySlider slider(330, 44);
    EXPECT_DOUBLE_EQ(slider.thumbCenter(), 115);
    EXPECT_FALSE(slider.beginTrackingWithTouch(240, 22)); // the worked example
    EXPECT_FALSE(slider.isTracking());
    EXPECT_TRUE(slider.beginTrackingWithTouch(230, 22)); // exactly 115 away
    slider.endTracking();
    EXPECT_TRUE(slider.beginTrackingWithTouch(0, -7)); // above the bounds, inside the margin
    slider.endTracking();
    EXPECT_FALSE(slider.beginTrackingWithTouch(100, 60)); // near the thumb but below the margin
    slider.setValue(100);
    EXPECT_DOUBLE_EQ(slider.thumbCenter(), 215);
    EXPECT_FALSE(slider.beginTrackingWithTouch(99, 22));
    EXPECT_TRUE(slider.beginTrackingWithTouch(101, 22));
}

TEST(GaugeSliderRules, DraggingKeepsTheGrip)
{
    mySlider slider(480, 44);                            // travel 250: 2.5 points per percent
    slider.setValue(40);                                 // thumb centre at 215
    ASSERT_TRUE(slider.beginTrackingWithTouch(235, 22)); // taken 20 points right of the centre
    EXPECT_DOUBLE_EQ(slider.value(), 40);                // a touch alone moves nothing
    EXPECT_TRUE(slider.continueTrackingWithTouch(260));  // 25 points on: +10 %
    EXPECT_DOUBLE_EQ(slider.value(), 50);
    EXPECT_FALSE(slider.continueTrackingWithTouch(260));
    EXPECT_TRUE(slider.continueTrackingWithTouch(1000)); // far beyond the end: full
    EXPECT_DOUBLE_EQ(slider.value(), 100);
    EXPECT_TRUE(slider.continueTrackingWithTouch(-500));
    EXPECT_DOUBLE_EQ(slider.value(), 0);
    slider.endTracking();
    EXPECT_FALSE(slider.continueTrackingWithTouch(300)); // not tracking: nothing moves
    EXPECT_DOUBLE_EQ(slider.value(), 0);
}

TEST(GaugeSliderRules, ValueIsClamped)
{
    mySlider slider(330, 44);
    slider.setValue(140);
    EXPECT_DOUBLE_EQ(slider.value(), 100);
    slider.setValue(-100);
    EXPECT_DOUBLE_EQ(slider.value(), 0);
    slider.setValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(slider.value(), 0);
    slider.setValue(63.5);
    EXPECT_DOUBLE_EQ(slider.value(), 63.5);
    EXPECT_DOUBLE_EQ(gauge::sliderValueAt(115 + 63.5, 0, 100, 330), 63.5);
    EXPECT_DOUBLE_EQ(gauge::sliderValueAt(0, 0, 100, 330), 0);
    EXPECT_DOUBLE_EQ(gauge::sliderValueAt(400, 0, 100, 330), 100);
    EXPECT_DOUBLE_EQ(gauge::sliderValueAt(100, 0, 100, 200), 0); // no travel at all
}

} // namespace
