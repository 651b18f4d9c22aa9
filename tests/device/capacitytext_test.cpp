// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/capacitytext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CapacityCase
{
    const char *text;
    float expected;
};

class CapacityTextTest : public ::testing::TestWithParam<CapacityCase>
{
};

TEST_P(CapacityTextTest, ReadsTheLeadingNumber)
{
    const CapacityCase c = GetParam();
    EXPECT_FLOAT_EQ(capacityFromText(c.text), c.expected) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CapacityTextTest,
    ::testing::Values(CapacityCase{"1440 mAh", 1440.0f}, CapacityCase{"1420mAh", 1420.0f},
                      CapacityCase{"mAh", 0.0f}, CapacityCase{"  6944 mAh", 6944.0f},
                      CapacityCase{"\t 930 mAh (3.44 Wh)", 930.0f}, CapacityCase{"", 0.0f},
                      CapacityCase{"   ", 0.0f}, CapacityCase{"6613 mAh (24.8 Wh)", 6613.0f},
                      CapacityCase{"1440.5 mAh", 1440.5f}, CapacityCase{"1440.", 1440.0f},
                      CapacityCase{".5 Ah", 0.5f}, CapacityCase{". 5", 0.0f},
                      CapacityCase{"1.5e3 mAh", 1.5f}, CapacityCase{"-1440 mAh", 0.0f},
                      CapacityCase{"+1440 mAh", 0.0f}, CapacityCase{"1,440 mAh", 1.0f},
                      CapacityCase{"about 1440 mAh", 0.0f}, CapacityCase{"0 mAh", 0.0f},
                      CapacityCase{"007", 7.0f}, CapacityCase{"11560", 11560.0f}));

TEST(CapacityText, AHugeNumberIsNoCapacity)
{
    const std::string huge(60, '9'); // beyond the range of a float
    EXPECT_EQ(capacityFromText(huge), 0.0f);
}

TEST(CapacityText, StopsAtTheEndOfTheView)
{
    // The view ends inside the digits; nothing past it may be read.
    const std::string text = "1440 mAh";
    EXPECT_EQ(capacityFromText(std::string_view(text).substr(0, 2)), 14.0f);
}

} // namespace
