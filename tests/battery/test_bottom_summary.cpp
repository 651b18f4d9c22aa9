// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/summary.h"
#include "battery/timeforaction.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace summary;

TEST(SummaryTexts, Percent)
{
    const struct
    {
        float percent;
        const char *text;
    } cases[] = {
        {50, "50%"},
        {0, "0%"},
        {42, "42%"},
        {100, "100%"},
        {99.6f, "100%"},
        {7.4f, "7%"},
        {-100, "--%"},
        {-0.5f, "--%"},
        {std::nanf(""), "--%"},
        {std::numeric_limits<float>::infinity(), "--%"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(percentText(c.percent), c.text);
    }
}

TEST(SummaryTexts, TimeBeforeDieIgnoresTheLocale)
{
    const struct
    {
        float hours;
        const char *text;
    } cases[] = {
        {355.0f / 66.0f, "5.378788"},
        {0, "0.000000"},
        {10, "10.000000"},
        {-3, "0.000000"},
        {std::nanf(""), "0.000000"},
        {std::numeric_limits<float>::infinity(), "0.000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hours);
        EXPECT_EQ(timeBeforeDieText(c.hours), c.text);
    }
    // The scheduler reads the text back: a comma would cut 5.378788 hours down to 5.
    CommaDecimalLocale comma;
    REQUIRE_COMMA_DECIMAL_LOCALE(comma);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(CommaDecimalLocale::kName) + " " + c.text);
        EXPECT_EQ(timeBeforeDieText(c.hours), c.text);
    }
}

TEST(SummaryButtons, NetworkStatusSelectsOneRadio)
{
    const NetworkButtons none{false, false}, wifi{true, false}, cell{false, true}, both{true, true};
    const struct
    {
        int status;
        NetworkButtons before, after;
    } cases[] = {
        {kViaCellular, wifi, cell},
        {kViaCellular, none, cell},
        {kViaWifi, cell, wifi},
        {kViaWifi, both, wifi},
        {kNotReachable, both, none},
        {kNotReachable, wifi, none},
        // A status the poll does not know leaves the buttons as they are.
        {7, wifi, wifi},
        {7, cell, cell},
        {-1, both, both},
        {3, none, none},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(networkButtonsFor(c.status, c.before), c.after);
    }
}

TEST(SummaryImages, TipsByTagAndFamily)
{
    const struct
    {
        int tag;
        const char *phone, *tablet;
    } cases[] = {
        {Gps, "1_GPS.png", "2_GPS_576x98.png"},
        {Wifi, "1_WiFi.png", "2_WiFi_576x98.png"},
        {Cellular, "1_3G.png", "2_3G_576x98.png"},
        {Brightness, "1_brightness.png", "2_Brightness_576x98.png"},
        {Bluetooth, "1_Bluetooth.png", "2_Bluetooth_576x98.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_STREQ(tipImage(c.tag, false), c.phone);
        EXPECT_STREQ(tipImage(c.tag, true), c.tablet);
    }
    for (int tag : {0, 6, -1})
        EXPECT_EQ(tipImage(tag, false), nullptr) << tag;
}

TEST(SummaryImages, StatusButtonsOnAndOff)
{
    const struct
    {
        int tag;
        bool tablet, selected;
        const char *image;
    } cases[] = {
        {Gps, false, true, "1_GPS-on_62x66.png"},
        {Wifi, false, true, "1_wiFI-on_62x66.png"},
        {Cellular, false, true, "1_3G-on_62x66.png"},
        {Brightness, false, true, "1_brightness-on_62x66.png"},
        {Bluetooth, false, true, "1_Bluetooth-on_62x66.png"},
        {Gps, true, true, "2_GPSon_140x130.png"},
        {Wifi, true, true, "2_WiFIon_140x130.png"},
        {Cellular, true, true, "2_3Gon_140x130.png"},
        {Brightness, true, true, "2_Brighton_140x130.png"},
        {Bluetooth, true, true, "2_Bluetoothon_140x130.png"},
        {Gps, false, false, "1_GPS-off_62x66.png"},
        {Wifi, true, false, "2_WiFIoff_140x130.png"},
        {Brightness, true, false, "2_Brightoff_140x130.png"},
        {Bluetooth, false, false, "1_Bluetooth-off_62x66.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.image);
        EXPECT_STREQ(statusImage(c.tag, c.tablet, c.selected), c.image);
    }
    EXPECT_EQ(statusImage(0, false, true), nullptr);
    EXPECT_EQ(statusImage(6, true, false), nullptr);
    EXPECT_STREQ(detailsButtonImage(false), "1_Group31.png");
    EXPECT_STREQ(detailsButtonImage(true), "2_details_bbutton_197x64.png");
}

TEST(SummaryLayout, OnlyTheShortPhoneScreenCoversTheDetailsButton)
{
    EXPECT_TRUE(tipCoversDetails(false, 480));
    EXPECT_FALSE(tipCoversDetails(false, 568));
    EXPECT_FALSE(tipCoversDetails(true, 1024));
    EXPECT_TRUE(isTallPhone(false, 568));
    EXPECT_FALSE(isTallPhone(false, 480));
    EXPECT_FALSE(isTallPhone(true, 1024));
}

// The panel's charge is the nominal capacity scaled by the shown percent.
TEST(SummaryCharge, NominalCapacityScaledByPercent)
{
    const struct
    {
        float percent, nominal;
        int charge;
    } cases[] = {
        {50, 710, 355},    {42, 1430, 600}, {0, 1430, 0},
        {100, 1430, 1430}, {-100, 1430, 0}, {50, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.percent << "% of " << c.nominal);
        EXPECT_EQ(chargeForPercent(c.percent, c.nominal), c.charge);
    }
}

} // namespace
