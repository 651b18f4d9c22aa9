// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/carchingviewcontroller.h"
#include "alerts/chargestages.h"
#include "alerts/settingsviewcontroller.h"
#include "core/alertrecords.h"
#include "core/appstate.h"
#include "platform/plist.h"

#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <array>
#include <vector>

namespace {

using chargestages::Ring;
using chargestages::State;

// --- the stage table ---------------------------------------------------------------------------

struct StageCase
{
    const char *what;
    bool tablet;
    std::vector<double> levels; // in order; the last one is the level asked about
    // Tablet: fastCh, TrickleCh, FullCh and the labels' checks.
    std::array<Ring, 3> rings;
    std::array<bool, 3> labels;
    // Phone: the fill bar and the icons' checks (once a slide to full has ended).
    double barX;
    std::array<bool, 3> icons;
};

TEST(ChargeStages, TableOnBothFamilies)
{
    const Ring none{0, false};
    const StageCase cases[] = {
        {"79.5 tablet", true, {79.5}, {{{99, true}, none, none}}, {}, State::kBarStartX, {}},
        {"80 tablet: both rows", true, {80}, {{{100, false}, none, none}}, {true}, -320, {}},
        {"99 keeps the trickle look",
         true,
         {90, 99},
         {{{100, false}, {50, true}, none}},
         {true},
         -320,
         {}},
        {"99.5 as well", true, {90, 99.5}, {{{100, false}, {50, true}, none}}, {true}, -320, {}},
        {"100 tablet",
         true,
         {90, 100},
         {{{100, true}, {100, true}, {100, true}}},
         {true, true, true},
         -320,
         {}},
        {"50 after 100: labels stay",
         true,
         {100, 50},
         {{{62, true}, {0, true}, {0, true}}},
         {true, true, true},
         -320,
         {}},
        {"fresh 99 draws the trickle stage",
         true,
         {99},
         {{{100, false}, {95, true}, none}},
         {true},
         -320,
         {}},
        {"98 to 99 on a drawn tablet",
         true,
         {98, 99},
         {{{100, false}, {90, true}, none}},
         {true},
         -320,
         {}},
        {"above 100 changes nothing", true, {42, 100.5}, {{{52, true}, none, none}}, {}, -320, {}},
        {"79.5 phone", false, {79.5}, {}, {}, 79.5 * 0.53 - 260, {}},
        {"80 phone", false, {80}, {}, {}, -143, {true}},
        {"99 phone", false, {90, 99}, {}, {}, -118, {true}},
        {"99.5 phone", false, {90, 99.5}, {}, {}, -118, {true}},
        {"100 phone", false, {90, 100}, {}, {}, 18, {true, true, true}},
        {"50 after 100 phone", false, {100, 50}, {}, {}, 50 * 0.53 - 260, {}},
        {"fresh 99 phone", false, {99}, {}, {}, (99 - 80) * 2.5 - 143, {true}},
        {"98 to 99 on a drawn phone", false, {98, 99}, {}, {}, (98 - 80) * 2.5 - 143, {true}},
    };
    for (const StageCase &c : cases) {
        SCOPED_TRACE(c.what);
        State s;
        for (double level : c.levels) {
            chargestages::apply(s, level, c.tablet);
            chargestages::finishSlide(s, level);
        }
        if (c.tablet) {
            EXPECT_EQ(s.fast, c.rings[0]);
            EXPECT_EQ(s.trickle, c.rings[1]);
            EXPECT_EQ(s.full, c.rings[2]);
            EXPECT_EQ(s.labelChecked, c.labels);
        } else {
            EXPECT_DOUBLE_EQ(s.barX, c.barX);
            EXPECT_EQ(s.iconChecked, c.icons);
        }
    }
}

TEST(ChargeStages, PhoneChecksFullOnlyWhenTheSlideEndsAtFull)
{
    const struct
    {
        const char *what;
        std::vector<double> after; // readings while the bar slides
        bool checked;
    } cases[] = {
        {"still full", {}, true},
        {"full again", {100}, true},
        {"dropped into the band", {99.5}, false},
        {"dropped below it", {97}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        State s;
        chargestages::apply(s, 90, false);
        chargestages::apply(s, 100, false);
        EXPECT_TRUE(s.barSlides);
        EXPECT_EQ(s.iconChecked, (std::array<bool, 3>{true, false, false}));
        double latest = 100;
        for (double level : c.after) {
            chargestages::apply(s, level, false);
            latest = level;
        }
        chargestages::finishSlide(s, latest);
        EXPECT_EQ(s.iconChecked[2], c.checked);
    }
}

TEST(ChargeStages, AHeldBatteryAndAFullReportDrawTheFullStage)
{
    const struct
    {
        double level;
        int state;
        bool held;
        double stage;
    } cases[] = {
        {80, 3, true, 100}, {76, 3, true, 100},    {80, 1, false, 80},
        {80, 2, false, 80}, {97, 3, false, 100},   {95, 3, false, 100},
        {94, 3, false, 94}, {-100, 3, true, -100}, {100, 3, false, 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " state " << c.state << " held " << c.held);
        EXPECT_DOUBLE_EQ(chargestages::stageLevel(c.level, c.state, c.held), c.stage);
    }
    EXPECT_EQ(chargestages::shownThreshold(80), 80);
    EXPECT_EQ(chargestages::shownThreshold(100), std::nullopt);
    EXPECT_EQ(chargestages::shownThreshold(0), std::nullopt);
    EXPECT_EQ(chargestages::shownThreshold(std::nullopt), std::nullopt);
    EXPECT_EQ(chargestages::chargeTypeText("Long Life"), "Long Life");
    EXPECT_EQ(chargestages::chargeTypeText("N/A"), "");
}

// --- the charging monitor ----------------------------------------------------------------------

struct Monitor : ::testing::Test, TempPlatform
{
    AppState app{platform};
    QString alertPath = folders.documents + "/Alert.plist";

    void SetUp() override
    {
        ensureCoreApplication();
        folders.ensureExist();
        ASSERT_TRUE(plist::writeFile(alertPath, alertrecords::defaults()));
    }
    static void reading(CarchingViewController &c, float level)
    {
        c.updateInfoFromBAttery(level);
        c.updateImagePosition(level);
    }
    QVariantMap stored(const QString &type) const
    {
        const QVariantList list = plist::readFile(alertPath).value.toList();
        const qsizetype i = alertrecords::indexOfType(list, type);
        return i >= 0 ? list[i].toMap() : QVariantMap{};
    }
};

TEST_F(Monitor, UnknownLevelShowsDashesAndLeavesTheStages)
{
    for (bool tablet : {true, false}) {
        SCOPED_TRACE(tablet ? "tablet" : "phone");
        CarchingViewController c(app, tablet, tablet ? 1024 : 480);
        reading(c, 42);
        const State before = c.stages();
        reading(c, -100);
        EXPECT_EQ(c.procentsLbl(), "--%");
        EXPECT_EQ(c.stages().fast, before.fast);
        EXPECT_DOUBLE_EQ(c.stages().barX, before.barX);
        EXPECT_GE(c.rings()[0].toMap()["goal"].toInt(), 0);
    }
}

TEST_F(Monitor, BatteryHeldAtItsLimitIsFullWhileTheTextKeepsItsPercent)
{
    battery.set(0.8, 3);
    battery.figures.externalPower = true;
    battery.figures.chargeEndThreshold = 80;
    battery.figures.chargeType = "Long Life";
    battery.figures.heldAtLimit = true;
    app.batteryMonitor().sample();
    CarchingViewController c(app, true, 1024);
    reading(c, 76);
    EXPECT_EQ(c.procentsLbl(), "76%");
    EXPECT_EQ(c.thresholdLbl(), "Held at 80 %");
    EXPECT_EQ(c.chargeTypeLbl(), "Long Life");
    EXPECT_EQ(c.stages().full.goal, 100);
    EXPECT_EQ(c.stages().labelChecked, (std::array<bool, 3>{true, true, true}));
}

TEST_F(Monitor, SlideEndsWithChecksOnlyAtFullAndNothingAfterTearDown)
{
    CarchingViewController c(app, false, 480);
    c.setShown(true);
    reading(c, 100);
    EXPECT_TRUE(c.slideTimer().isActive());
    EXPECT_EQ(c.slideTimer().interval(), 300);
    reading(c, 99.5); // the band: the bar keeps sliding, but the level is no longer full
    ASSERT_TRUE(c.slideTimer().isActive());
    c.setShown(false); // nobody watches: the slide ends now
    EXPECT_FALSE(c.slideTimer().isActive());
    EXPECT_FALSE(c.stages().iconChecked[2]);

    reading(c, 100);
    c.removeAllObj();
    const State before = c.stages();
    reading(c, 50);
    EXPECT_DOUBLE_EQ(c.stages().barX, before.barX);
    EXPECT_EQ(c.procentsLbl(), "100%");
}

TEST_F(Monitor, AlertSwitchChangesOnlyItsEntryInTheFileAsItIsNow)
{
    QVariantList first = alertrecords::defaults();
    // A second low-battery entry: the switch follows and flips the first.
    first.append(QVariantMap{{"Type", "DischargeAlert"}, {"state", false}});
    ASSERT_TRUE(plist::writeFile(alertPath, first));
    CarchingViewController c(app, false, 480);
    EXPECT_TRUE(c.swithBTN());

    // The alarm and alert settings screen and the precision switch write meanwhile.
    QVariantList other = first;
    other[1] = QVariantMap{{"Type", "higherPrecision"}, {"state", true}};
    other[3] = QVariantMap{{"Type", "notifyWhenComplete"}, {"state", false}};
    ASSERT_TRUE(plist::writeFile(alertPath, other));

    c.ChargeAlert();
    EXPECT_FALSE(c.swithBTN());
    const QVariantList list = plist::readFile(alertPath).value.toList();
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0].toMap()["state"], QVariant(false));
    EXPECT_EQ(list[4].toMap()["state"], QVariant(false));
    EXPECT_EQ(stored("higherPrecision")["state"], QVariant(true));
    EXPECT_EQ(stored("notifyWhenComplete")["state"], QVariant(false));
    EXPECT_TRUE(c.switchImage().endsWith("1_switch-off_88x55.png"));
}

// --- the settings menu -------------------------------------------------------------------------

TEST_F(Monitor, PrecisionSwitchFrozenOnlyWhereTheOldSystemRuleHolds)
{
    const struct
    {
        const char *what;
        std::function<bool()> below6;
        bool flips;
    } cases[] = {
        {"live by default", {}, true},
        {"version 6 and up", [] { return false; }, true},
        {"below version 6", [] { return true; }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(plist::writeFile(alertPath, alertrecords::defaults()));
        int restarts = 0;
        QObject observer;
        center.addObserver("restartAPP1.5", &observer, [&](const QVariant &) { ++restarts; });
        SettingsViewController menu(app, false, 480, c.below6);
        menu.highPrecision();
        center.removeObservers(&observer);
        EXPECT_EQ(menu.swithBTN(), c.flips);
        EXPECT_EQ(stored("higherPrecision")["state"], QVariant(c.flips));
        EXPECT_EQ(app.privat(), c.flips);
        EXPECT_EQ(restarts, c.flips ? 1 : 0);
        app.setPrivat(false);
    }
}

} // namespace
