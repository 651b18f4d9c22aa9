// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/figuretext.h"

#include <gtest/gtest.h>

namespace {

TEST(FigureText, DecimalNumbersTakeTheGivenPoint)
{
    const struct
    {
        const char *figure, *shown;
    } cases[] = {
        {"3.7 V", "3,7 V"},
        {"241.2 x 185.7 x 9.4 mm", "241,2 x 185,7 x 9,4 mm"},
        {"1440 mAh (5.45 Wh)", "1440 mAh (5,45 Wh)"},
        {"0.3 MP (VGA)", "0,3 MP (VGA)"},
        {"1024 x 768", "1024 x 768"},
        // A point after the number ends a sentence; a dotted run is no decimal number.
        {"about 5.", "about 5."},
        {"9.7 in.", "9,7 in."},
        {"1.2.3", "1.2.3"},
        {".5 g", ".5 g"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(figuretext::withDecimalPoint(c.figure, ","), c.shown) << c.figure;
    EXPECT_EQ(figuretext::withDecimalPoint("3.7 V", "."), "3.7 V");
}

} // namespace
