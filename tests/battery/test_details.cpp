// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/detailscell.h"
#include "battery/detailsviewcontroller.h"

#include "core/appstate.h"
#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <memory>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

TEST(DetailsBar, FractionOfTheAudioTime)
{
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float hours, audio, fraction;
    } cases[] = {
        {2.558f, 6.875f, 2.558f / 6.875f},
        {6.875f, 6.875f, 1},
        {10.0f, 6.875f, 1}, // longer than audio playback: a full bar
        {0, 6.875f, 0},
        {0, 0, 0}, // 0 / 0: no number, an empty bar
        {nan, 6.875f, 0},
        {3, 0, 1},
        {-1, 5, 0},
        {inf, inf, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hours << " / " << c.audio);
        EXPECT_FLOAT_EQ(detailsBarFraction(c.hours, c.audio), c.fraction);
    }
}

TEST(DetailsBar, CellsForAProfile)
{
    timeForAction estimator([] { return std::string("iPhone4,1"); }, 0);
    const std::vector<DetailsCell> cells = detailsCells(estimator.checkDeviceModel(660));
    ASSERT_EQ(cells.size(), 18u);
    EXPECT_EQ(cells[0], (DetailsCell{"Standy mode", "10h:0min", 1}));
    EXPECT_EQ(cells[1], (DetailsCell{"Audio Play", "6h:52min", 1}));
    EXPECT_EQ(cells[9].actionLabel, "Dictafon");
    EXPECT_EQ(cells[9].timeLabel, "2h:33min");
    EXPECT_NEAR(cells[9].progressTime, 0.372, 0.001);
    EXPECT_TRUE(detailsCells({}).size() == 18u);
}

struct List : ::testing::Test, TempPlatform
{
    std::unique_ptr<AppState> app;

    void SetUp() override
    {
        brightness = 0.0;
        ensureCoreApplication();
        QDir().mkpath(folders.library);
        app = std::make_unique<AppState>(platform);
    }
    std::unique_ptr<DetailsViewController> open(const char *model, float level, bool tablet = false)
    {
        defaults.setValue("platform", model);
        app->setLevel(level);
        return std::make_unique<DetailsViewController>(*app, tablet);
    }
};

const char *const kLabels[] = {
    "Standy mode",  "Audio Play",  "Watch video",  "3G/LTE",    "Wifi",      "2D Game",
    "3D Game",      "Video Rec",   "Online Video", "Dictafon",  "GPS",       "Bluetooth",
    "Book Reading", "WifiHotSpot", "Siri",         "Led Ligth", "Face Time", "Take Photo"};

TEST_F(List, ProfileERowsAtSixHundredSixtyMah)
{
    auto list = open("iPhone4,1", 660);
    EXPECT_EQ(list->charge(), 660);
    ASSERT_EQ(list->rowCount(), 18);
    const QVariantList rows = list->rows();
    ASSERT_EQ(rows.size(), 18);
    // Every row of profile E: times from 660 mAh over draw + 60 mA of radios.
    const struct
    {
        const char *time;
        double bar;
    } expected[] = {
        {"10h:0min", 1},    {"6h:52min", 1},      {"3h:17min", 0.48},   {"2h:45min", 0.4},
        {"3h:17min", 0.48}, {"3h:8min", 0.4571},  {"2h:12min", 0.32},   {"0h:41min", 0.1},
        {"3h:17min", 0.48}, {"2h:33min", 0.3721}, {"1h:17min", 0.1882}, {"4h:2min", 0.589},
        {"5h:30min", 0.8},  {"1h:56min", 0.2824}, {"2h:32min", 0.3692}, {"0h:41min", 0.1},
        {"1h:22min", 0.2},  {"1h:10min", 0.1714},
    };
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(kLabels[i]);
        const QVariantMap row = rows[i].toMap();
        EXPECT_EQ(row.value("actionLabel").toString(), kLabels[i]);
        EXPECT_EQ(row.value("timeLabel").toString(), expected[i].time);
        EXPECT_NEAR(row.value("progressTime").toDouble(), expected[i].bar, 0.001);
    }
}

TEST_F(List, ProfileDLacksFiveActivities)
{
    auto list = open("iPhone1,2", 660);
    const QVariantList rows = list->rows();
    ASSERT_EQ(rows.size(), 18);
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(kLabels[i]);
        const QVariantMap row = rows[i].toMap();
        EXPECT_EQ(row.value("actionLabel").toString(), kLabels[i]);
        if (i >= 13) {
            EXPECT_EQ(row.value("timeLabel").toString(), "0h:0min");
            EXPECT_EQ(row.value("progressTime").toDouble(), 0);
        } else {
            EXPECT_NE(row.value("timeLabel").toString(), "0h:0min");
            EXPECT_GT(row.value("progressTime").toDouble(), 0);
        }
    }
    // Standby of profile D: 660 / (6 + 60 + 0 x 50) with the screen dark.
    EXPECT_EQ(rows[0].toMap().value("timeLabel").toString(), "10h:0min");
}

TEST_F(List, UnknownModelAndUnusableLevels)
{
    const struct
    {
        const char *model;
        float level;
        int charge;
    } cases[] = {
        {"iPod2,1", 660, 660},
        {"iPhone4,1", 0, 0},
        {"iPhone4,1", -100, 0},
        {"iPhone4,1", std::nanf(""), 0},
        {"iPhone4,1", std::numeric_limits<float>::infinity(), 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " at " << c.level);
        auto list = open(c.model, c.level);
        EXPECT_EQ(list->charge(), c.charge);
        for (const DetailsCell &cell : list->cells()) {
            EXPECT_EQ(cell.timeLabel, "0h:0min") << cell.actionLabel;
            EXPECT_EQ(cell.progressTime, 0) << cell.actionLabel; // 0 / 0 is an empty bar
        }
    }
}

TEST_F(List, TimesAreThoseOfTheOpening)
{
    auto list = open("iPhone4,1", 660);
    app->setLevel(66);
    EXPECT_EQ(list->cells()[0].timeLabel, "10h:0min");
    EXPECT_EQ(open("iPhone4,1", 66)->cells()[0].timeLabel, "1h:0min");
}

TEST_F(List, BackImagePerFamily)
{
    EXPECT_EQ(open("iPhone4,1", 660)->backImage(), app->libraryImage("1_back-4_52x47.png"));
    EXPECT_EQ(open("iPad3,4", 660, true)->backImage(), app->libraryImage("2_back_44x44.png"));
}

TEST_F(List, TintComesFromTheLibrarySample)
{
    // Without a sample the list keeps the untinted accent.
    EXPECT_EQ(open("iPhone4,1", 660)->tintColor(), QColor(0x1f, 0xd6, 0x8a));
    QImage phone(16, 16, QImage::Format_ARGB32);
    phone.fill(QColor(200, 40, 90));
    ASSERT_TRUE(phone.save(folders.library + "/1_probnik.png"));
    QImage tablet(16, 16, QImage::Format_ARGB32);
    tablet.fill(QColor(30, 60, 220));
    ASSERT_TRUE(tablet.save(folders.library + "/2_probnik.png"));
    EXPECT_EQ(open("iPhone4,1", 660)->tintColor(), QColor(200, 40, 90));
    EXPECT_EQ(open("iPad3,4", 660, true)->tintColor(), QColor(30, 60, 220));
}

TEST_F(List, GoBackLetsGoAndAsksToClose)
{
    auto list = open("iPhone4,1", 660);
    EXPECT_EQ(center.observerCount("restartAPP"), 1);
    QSignalSpy close(list.get(), &DetailsViewController::closeRequested);
    list->goBack();
    EXPECT_EQ(close.count(), 1);
    EXPECT_EQ(list->estimator(), nullptr);
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
}

TEST_F(List, RestartDropsTheEstimator)
{
    auto list = open("iPhone4,1", 660);
    QSignalSpy close(list.get(), &DetailsViewController::closeRequested);
    center.post("restartAPP");
    EXPECT_EQ(list->estimator(), nullptr);
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
    EXPECT_EQ(close.count(), 0); // the main screen closes it itself on restart
    list.reset();
    center.post("restartAPP");
}

} // namespace
