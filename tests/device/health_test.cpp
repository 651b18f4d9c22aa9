// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/batterywear.h"
#include "device/healthcontroller.h"
#include "device/healthscore.h"
#include "platform/plist.h"

#include "germantranslation.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(HealthScore, WorkedValuesAndBandEdges)
{
    const struct
    {
        healthscore::Answers answers;
        int score;
    } scores[] = {
        {{1, 1, 0, 1}, 15},                             // the defaults
        {{3, 6, 60, 3}, 110}, {{10, 10, 100, 10}, 500}, // the maxima
        {{4, 1, 0, 1}, 50},                             // age 4 adds 40 over age 1
        {{2, 1, 0, 1}, 20},   {{1, 9, 90, 5}, 5 + 75 + 75 + 50},
    };
    for (const auto &s : scores)
        EXPECT_EQ(healthscore::calctBattStatus(s.answers), s.score) << s.score;

    const struct
    {
        int score;
        const char *picture;
    } bands[] = {
        {15, "Health-1_284x100.png"},  {70, "Health-1_284x100.png"},  {71, "Health-2_284x100.png"},
        {160, "Health-2_284x100.png"}, {161, "Health-3_284x100.png"}, {300, "Health-3_284x100.png"},
        {301, "Health-4_284x100.png"}, {500, "Health-4_284x100.png"},
    };
    for (const auto &b : bands)
        EXPECT_EQ(healthscore::pictureName(b.score), b.picture) << b.score;
}

TEST(HealthScore, MinusAndPlusStopAtTheEnds)
{
    const struct
    {
        bool plus;
        int row;
        int value;
        int result;
        bool limit;
    } cases[] = {
        {false, 1, 1, 1, true},    {false, 1, 2, 1, false},   {true, 1, 9, 10, false},
        {true, 1, 10, 10, true},   {false, 3, 10, 0, false},  {false, 3, 0, 0, true},
        {true, 3, 90, 100, false}, {true, 3, 100, 100, true}, {false, 3, 5, 0, false},
    };
    for (const auto &c : cases) {
        const healthscore::Step s =
            c.plus ? healthscore::plus(c.row, c.value) : healthscore::minus(c.row, c.value);
        EXPECT_EQ(s.value, c.result) << c.plus << " row " << c.row << " " << c.value;
        EXPECT_EQ(s.limit, c.limit) << c.plus << " row " << c.row << " " << c.value;
    }
}

struct HealthFixture
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    QString path() const { return folders.library + "/currentState.txt"; }

    std::unique_ptr<HealthController> open(bool tablet = false)
    {
        QDir().mkpath(folders.library);
        return std::make_unique<HealthController>(
            folders, tablet, [] { return QString("Pine"); }, PowerSupplySnapshot{});
    }
};

TEST(HealthScreen, BadFilesGiveDefaultsAndAreSetAsideButOutOfRangeAnswersAreClampedAndKept)
{
    const struct
    {
        const char *name;
        QVariantList stored;
        QString device;
        healthscore::Answers answers;
        bool setAside;
    } cases[] = {
        {"good", {"Saved", 3, 6, 60, 3, 110}, "Saved", {3, 6, 60, 3}, false},
        {"short", {"Saved", 3, 6, 60, 3}, "Pine", {1, 1, 0, 1}, true},
        {"text answer", {"Saved", "3", 6, 60, 3, 110}, "Pine", {1, 1, 0, 1}, true},
        {"number as name", {7, 3, 6, 60, 3, 110}, "Pine", {1, 1, 0, 1}, true},
        {"out of range", {"Saved", 0, 12, 250, -4, 110}, "Saved", {1, 10, 100, 1}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HealthFixture f;
        QDir().mkpath(f.folders.library);
        ASSERT_TRUE(plist::writeFile(f.path(), c.stored));
        auto screen = f.open();
        EXPECT_EQ(screen->deviceName(), c.device);
        EXPECT_EQ(screen->answers(), c.answers);
        EXPECT_EQ(QFile::exists(f.path() + ".corrupt"), c.setAside);
        EXPECT_EQ(QFile::exists(f.path()), !c.setAside);
    }
}

TEST(HealthScreen, EveryChangeIsStoredWithoutGoingBack)
{
    HealthFixture f;
    RecordWriter writer;
    auto screen = f.open();
    screen->setRecordWriter(&writer);
    screen->changeValOfLblplus(1);
    screen->changeValOfLblplus(3);
    ASSERT_TRUE(writer.waitForDone());
    EXPECT_EQ(plist::readFile(f.path()).value.toList(), (QVariantList{"Pine", 2, 1, 10, 1, 25}));
    // An answer at its end changes nothing, and nothing is written.
    QFile::remove(f.path());
    screen->changeValOfLblminus(4);
    ASSERT_TRUE(writer.waitForDone());
    EXPECT_FALSE(QFile::exists(f.path()));

    // A screen without the application's writer keeps its answers as well, also when it is
    // closed without going back.
    auto alone = f.open();
    alone->changeValOfLblplus(2);
    alone.reset();
    EXPECT_EQ(plist::readFile(f.path()).value.toList(), (QVariantList{"Pine", 1, 2, 0, 1, 20}));
}

TEST(HealthScreen, EverySaveWritesSixElements)
{
    HealthFixture f;
    auto screen = f.open();
    EXPECT_EQ(screen->deviceName(), "Pine");
    screen->changeValOfLblplus(1);
    screen->changeValOfLblplus(3);
    ASSERT_TRUE(screen->save());
    ASSERT_TRUE(screen->save());
    const QVariantList expected{"Pine", 2, 1, 10, 1, 25};
    EXPECT_EQ(plist::readFile(f.path()).value.toList(), expected);

    auto again = f.open();
    EXPECT_EQ(again->answers(), (healthscore::Answers{2, 1, 10, 1}));
    EXPECT_EQ(again->currentState(), 25);
    again->goBack();
    again.reset(); // the screen's end finishes its write
    EXPECT_EQ(plist::readFile(f.path()).value.toList(), expected);
}

TEST(HealthScreen, AlertsAtTheEndsAndThePictureFollowsTheScore)
{
    HealthFixture f;
    auto screen = f.open();
    screen->changeValOfLblminus(1);
    EXPECT_TRUE(screen->alertVisible());
    EXPECT_EQ(screen->alertTitle(), "This is minimum value!");
    EXPECT_EQ(screen->answers()[0], 1);
    screen->dismissAlert();
    for (int i = 0; i < 11; ++i)
        screen->changeValOfLblplus(3);
    EXPECT_EQ(screen->alertTitle(), "This is maximum value!");
    EXPECT_EQ(screen->answers()[2], 100);
    EXPECT_EQ(screen->currentState(), 5 + 5 + 95 + 5);
    EXPECT_TRUE(screen->healthStatusImg().endsWith("/Health-2_284x100.png"));
    EXPECT_TRUE(screen->healthStatusImg().contains(f.folders.resources));
}

TEST(HealthScreen, TabletsTakeThePhoneArrowsFromTheResources)
{
    HealthFixture f;
    auto tablet = f.open(true);
    EXPECT_EQ(tablet->minusImage(),
              QUrl::fromLocalFile(f.folders.resources + "/1_left-arrow_26x40.png").toString());
    EXPECT_EQ(tablet->plusImage(),
              QUrl::fromLocalFile(f.folders.resources + "/1_right-arrow_26x40.png").toString());
    auto phone = f.open(false);
    EXPECT_EQ(phone->minusImage(),
              QUrl::fromLocalFile(f.folders.library + "/1_left-arrow_26x40.png").toString());
    const std::vector<HealthCell> cells = tablet->cells();
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_FALSE(cells[0].buttonsShown);
    EXPECT_FALSE(cells[0].plateShown);
    EXPECT_TRUE(cells[3].plateShown);
    EXPECT_EQ(cells[3].descriptionLbl, "What is your tupical screen brightness set to?");
}

TEST(MeasuredWear, FromTheFixtureTrees)
{
    // A gauge that does not count cycles reports 0: unknown, so no row.
    QTemporaryDir uncounted;
    writeTree(uncounted.path(), {{"class/power_supply/BAT0/type", "Battery"},
                                 {"class/power_supply/BAT0/present", "1"},
                                 {"class/power_supply/BAT0/capacity", "80"},
                                 {"class/power_supply/BAT0/energy_full", "50000000"},
                                 {"class/power_supply/BAT0/energy_full_design", "57000000"},
                                 {"class/power_supply/BAT0/cycle_count", "0"}});
    const struct
    {
        QString tree;
        QList<batterywear::Row> rows;
    } cases[] = {
        // Energy pair: 50 of 57 Wh.
        {"sys-battery-laptop",
         {{"Full capacity", "87.7 % of design"},
          {"Charge cycles", "312"},
          {"Technology", "Li-ion"},
          {"Manufacturer", "SMP"}}},
        // Charge pair: 3000 of 3100 mAh; no cycle count.
        {"sys-battery-phone", {{"Full capacity", "96.8 % of design"}, {"Technology", "Li-poly"}}},
        // A design capacity without a full one: nothing to compare.
        {"sys-host-phone", {}},
        {"sys-empty", {}},
        {uncounted.path(), {{"Full capacity", "87.7 % of design"}}},
    };
    for (const auto &c : cases) {
        const QString root = c.tree.startsWith('/') ? c.tree : fixturePath(qPrintable(c.tree));
        const PowerSupplySnapshot snap = readPowerSupplies(SystemRoots{root, root});
        EXPECT_EQ(batterywear::rows(snap), c.rows) << c.tree.toStdString();
        EXPECT_FALSE(snap.cycleCount == 0) << c.tree.toStdString();
    }
}

TEST(MeasuredWear, TheScreenShowsItInTheUsersLanguage)
{
    GermanTranslation german;
    ASSERT_TRUE(german.installed());
    HealthFixture f;
    QDir().mkpath(f.folders.library);
    const PowerSupplySnapshot snap = readPowerSupplies(
        SystemRoots{fixturePath("sys-battery-laptop"), fixturePath("sys-battery-laptop")});
    HealthController screen(
        f.folders, false, [] { return QString("Pine"); }, snap);
    const QVariantList rows = screen.wearRows();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].toMap().value("name").toString(), QStringLiteral("Volle Kapazität"));
    EXPECT_EQ(rows[0].toMap().value("value").toString(),
              QStringLiteral("87,7 % der Nennkapazität"));
    EXPECT_EQ(screen.cells()[1].descriptionLbl, QStringLiteral("Wie alt ist Ihr Gerät?"));
    // The terminal's rows stay English with a decimal point.
    EXPECT_EQ(batterywear::rows(snap).value(0).second, QStringLiteral("87.7 % of design"));
}

} // namespace
