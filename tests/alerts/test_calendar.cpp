// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/calendarviewcontroller.h"
#include "alerts/chargehistory.h"
#include "alerts/upowerhistory.h"
#include "core/appstate.h"
#include "platform/plist.h"

#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

QVariantMap rec(int color, int date, int month)
{
    return chargehistory::toVariant({color, date, month});
}

// A calendar page on a temporary platform, with a fixed "now" (15 May 2024, noon UTC).
struct CalendarFixture
{
    TempPlatform tp;
    AppState app{tp.platform};
    QDateTime now{QDate(2024, 5, 15), QTime(12, 0), QTimeZone::utc()};

    QString calendarPath() const { return tp.folders.documents + "/calendar.plist"; }
    void writeHistory(const QVariantList &records) const
    {
        QDir().mkpath(tp.folders.documents);
        ASSERT_TRUE(plist::writeFile(calendarPath(), records));
    }
    std::unique_ptr<CalendarViewController> page(bool tablet = false)
    {
        ensureCoreApplication();
        auto c = std::make_unique<CalendarViewController>(app, tablet);
        c->setClock([this] { return now; }, QTimeZone::utc());
        return c;
    }
};

TEST(CalendarPage, CountsAndMarksAllRecordsButMarksOnlyDaysTheMonthHas)
{
    CalendarFixture f;
    f.now = QDateTime(QDate(2027, 2, 10), QTime(12, 0), QTimeZone::utc());
    f.writeHistory({rec(1, 3, 2), rec(2, 3, 2), rec(3, 29, 2), rec(1, 0, 2), rec(2, 32, 2),
                    rec(3, 5, 13), rec(1, 7, 3)});
    auto page = f.page();
    page->setShown(true);
    page->monthView()->resetTimer().stop();
    page->monthView()->reset();
    // Counted: every record, whatever its day or month.
    EXPECT_EQ(page->partialLbl(), "3");
    EXPECT_EQ(page->fullLbl(), "2");
    EXPECT_EQ(page->overLbl(), "2");
    EXPECT_EQ(page->monthList(2).size(), 5);
    // Marked in February 2027: day 3 twice, in record order; not 29, 0 or 32.
    EXPECT_EQ(page->monthView()->markedDates(), (QVariantList{3, 3}));
    EXPECT_EQ(page->monthView()->markedColors(),
              (QStringList{f.app.libraryImage("1_img0.png"), f.app.libraryImage("1_img000.png")}));
    // February 2024 has a 29th.
    f.now = QDateTime(QDate(2024, 2, 10), QTime(12, 0), QTimeZone::utc());
    page->monthView()->reset();
    EXPECT_EQ(page->monthView()->markedDates(), (QVariantList{3, 3, 29}));
}

TEST(CalendarPage, TabletMarkImagesAllHaveTheirSuffix)
{
    for (int color : {1, 2, 3, 7})
        EXPECT_TRUE(MonthView::markImageName(color, true).endsWith(".png")) << color;
    EXPECT_EQ(MonthView::markImageName(2, true), "2_green_2_75x377.png");
}

TEST(CalendarPage, ReadsTheHistoryAgainEachTimeItIsShown)
{
    CalendarFixture f;
    f.writeHistory({rec(1, 15, 5)});
    auto page = f.page();
    page->setShown(true);
    EXPECT_EQ(page->partialLbl(), "1");
    EXPECT_EQ(page->monthView()->markedDates(), QVariantList{15});
    page->setShown(false);
    // The wheel writes the file before it turns to the page again.
    f.writeHistory({rec(1, 15, 5), rec(2, 16, 5), rec(3, 1, 6)});
    page->setShown(true);
    EXPECT_EQ(page->fullLbl(), "1");
    EXPECT_EQ(page->overLbl(), "1");
    EXPECT_EQ(page->monthView()->markedDates(), (QVariantList{15, 16}));
}

TEST(CalendarPage, ShowsTheRecordsStillOnTheirWayToTheFile)
{
    CalendarFixture f;
    f.writeHistory({rec(1, 15, 5)});
    auto page = f.page();
    // The run's history holds the stored day and one the writer has not stored yet.
    page->setRecentHistory([] { return QVariantList{rec(1, 15, 5), rec(3, 14, 5)}; });
    page->setShown(true);
    EXPECT_EQ(page->partialLbl(), "1");
    EXPECT_EQ(page->overLbl(), "1");
    EXPECT_EQ(page->monthView()->markedDates(), (QVariantList{15, 14}));
}

TEST(CalendarPage, ResetsToThePresentMonthShortlyAfterItFirstShows)
{
    CalendarFixture f;
    f.writeHistory({rec(1, 15, 5), rec(2, 2, 4)});
    auto page = f.page();
    MonthView *view = page->monthView();
    EXPECT_FALSE(view->resetTimer().isActive()); // not before it is shown
    page->setShown(true);
    EXPECT_TRUE(view->resetTimer().isActive());
    EXPECT_EQ(view->resetTimer().interval(), 100);
    page->setShown(false);
    EXPECT_FALSE(view->resetTimer().isActive());
    view->showPreviousMonth();
    EXPECT_EQ(view->month(), 4);
    page->setShown(true);
    emit view->resetTimer().timeout({});
    EXPECT_EQ(view->month(), 5);
    EXPECT_EQ(view->markedDates(), QVariantList{15});
    EXPECT_EQ(view->title(), "May 2024");
    EXPECT_EQ(view->weekdayNames().first(), "Mon");
    EXPECT_EQ(page->monthViewHeight(), 60 + 5 * 45);
}

TEST(CalendarPage, TouchesMoveSelectAndKeepOrClearTheMarks)
{
    CalendarFixture f;
    f.writeHistory({rec(1, 15, 5), rec(2, 29, 4), rec(1, 2, 12), rec(2, 1, 1)});
    auto page = f.page();
    page->setShown(true);
    MonthView *view = page->monthView();
    view->reset();
    ASSERT_EQ(view->markedDates(), QVariantList{15});

    view->touch(160, 50); // the weekday names
    EXPECT_EQ(view->markedDates(), QVariantList{15});
    view->touch(160, 20); // the title: the present month again, marked
    EXPECT_EQ(view->month(), 5);
    EXPECT_EQ(view->markedDates(), QVariantList{15});

    view->touch(5, 65); // cell (0, 0) of May 2024: 29 April, and April is shown
    EXPECT_EQ(view->selectedDate(), QDate(2024, 4, 29));
    EXPECT_EQ(view->month(), 4);
    EXPECT_EQ(view->selectedDay(), 29);
    EXPECT_EQ(view->markedDates(), QVariantList{29});

    // December <-> January across the year.
    for (int i = 0; i < 8; ++i)
        view->showNextMonth();
    EXPECT_EQ(view->year(), 2024);
    EXPECT_EQ(view->month(), 12);
    EXPECT_EQ(view->markedDates(), QVariantList{2});
    view->touch(300, 20);
    EXPECT_EQ(view->year(), 2025);
    EXPECT_EQ(view->month(), 1);
    EXPECT_EQ(view->markedDates(), QVariantList{1});
    view->touch(10, 20);
    EXPECT_EQ(view->year(), 2024);
    EXPECT_EQ(view->month(), 12);
}

TEST(CalendarPage, TabletTouchesRightOfTheSeventhColumnSelectNothing)
{
    CalendarFixture f;
    auto page = f.page(true);
    MonthView *view = page->monthView();
    view->touch(740, 300);
    EXPECT_FALSE(view->selectedDate().isValid());
    EXPECT_EQ(view->month(), 5);
    view->touch(730, 300); // seventh column, second row: 12 May
    EXPECT_EQ(view->selectedDate(), QDate(2024, 5, 12));
}

// A copy of the UPower fixture that the test may change.
QString upowerCopy(const QString &root)
{
    const QString dir = root + "/upower";
    QDir().mkpath(dir);
    const QDir fixture(fixturePath("upower-history"));
    for (const QString &name : fixture.entryList(QDir::Files))
        QFile::copy(fixture.filePath(name), dir + "/" + name);
    return dir;
}

// A power supply in the sysfs tree below root: its attributes, name to value.
void writeSupply(const QString &root, const QString &name,
                 const std::vector<std::pair<const char *, const char *>> &attributes)
{
    const QString dir = root + "/sys/class/power_supply/" + name;
    QDir().mkpath(dir);
    for (const auto &[attribute, value] : attributes) {
        QFile f(dir + "/" + attribute);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(value) + "\n");
    }
}

// The laptop's battery the fixture's files belong to ("DELL_M5-57-1234"), and a mouse whose
// UPower history has the mouse nearly empty on 5 January 2026.
void laptopWithMouse(const QString &root, const QString &upower)
{
    writeSupply(root, "BAT0",
                {{"type", "Battery"},
                 {"model_name", "DELL M5"},
                 {"serial_number", "1234"},
                 {"energy_full_design", "57720000"}});
    writeSupply(root, "hidpp_battery_0",
                {{"type", "Battery"}, {"scope", "Device"}, {"serial_number", "4011-c1-9e"}});
    QFile mouse(upower + "/history-charge-Logitech-MX_Master-4011-c1-9e.dat");
    ASSERT_TRUE(mouse.open(QIODevice::WriteOnly));
    mouse.write("1767603600\t5.000\tdischarging\n");
}

TEST(UpowerImport, UPowerStatesAsBatteryStates)
{
    const struct
    {
        const char *word;
        int state;
    } cases[] = {{"charging", 2},    {"fully-charged", 3}, {"pending-charge", 3},
                 {"discharging", 1}, {"empty", 1},         {"pending-discharge", 0},
                 {"unknown", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(upowerhistory::batteryState(QString::fromLatin1(c.word)), c.state) << c.word;
}

TEST(UpowerImport, FilesAreMatchedToTheSystemsBatteriesByUPowersDeviceId)
{
    const struct
    {
        const char *file;
        const char *model;
        const char *serial;
        bool matches;
    } cases[] = {
        {"history-charge-DELL_M5-57-1234.dat", "DELL M5", "1234", true},
        {"history-rate-DELL_M5-57-1234.dat", "DELL M5", "1234", true},
        {"history-charge-DELL_M5-1234.dat", "DELL M5", "1234", true}, // no design energy
        {"history-charge-DELL_M5-57-9999.dat", "DELL M5", "1234", false},
        {"history-charge-OTHER-57-1234.dat", "DELL M5", "1234", false},
        {"history-time-full-DELL_M5-57-1234.dat", "DELL M5", "1234", false},
        {"history-charge-5B10W13_975.dat", "5B10W13.975", "", true},
        {"history-charge-50-5555.dat", "X1", "5555", true}, // a short model is left out
        {"history-charge-generic_id.dat", "", "", true},
        {"history-charge-44.dat", "", "", true},
        {"history-charge-hidpp_battery_0.dat", "", "", false},
        {"history-charge-Logitech-MX_Master-4011-c1-9e.dat", "", "", false},
    };
    for (const auto &c : cases) {
        const SystemBattery battery{"BAT0", c.model, c.serial};
        EXPECT_EQ(upowerhistory::isHistoryOf(upowerhistory::deviceIdOf(c.file), battery), c.matches)
            << c.file;
    }
}

TEST(UpowerImport, OnceWithoutPowerdecksOwnRecordsAndOnlyTheSystemsBatteries)
{
    TempPlatform tp;
    const QString folder = upowerCopy(tp.dir.path());
    laptopWithMouse(tp.dir.path(), folder);
    const std::vector<SystemBattery> batteries = systemBatteries(tp.platform.roots);
    ASSERT_EQ(batteries.size(), 1u);
    const QDateTime now(QDate(2026, 3, 15), QTime(12, 0), QTimeZone::utc());
    const QVariantList own{rec(1, 24, 12)};
    // The held battery of 3 September is full; the mouse's 5 January is not there.
    const QVariantList expected{rec(3, 1, 6), rec(1, 1, 6), rec(2, 1, 6), rec(1, 3, 9),
                                rec(2, 3, 9)};

    QDir().mkpath(tp.folders.documents);
    EXPECT_EQ(upowerhistory::importOnce(folder, batteries, tp.folders.documents, own, now,
                                        QTimeZone::utc()),
              expected);
    // Done once: UPower's files are not read again.
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        QFile::remove(folder + "/" + name);
    EXPECT_EQ(upowerhistory::importOnce(folder, batteries, tp.folders.documents, {}, now,
                                        QTimeZone::utc()),
              expected);
    const plist::ReadResult file =
        plist::readFile(tp.folders.documents + "/calendarImported.plist", plist::Shape::Dictionary);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.value.toMap().value("Records").toList(), expected);
}

TEST(UpowerImport, NoFolderImportsNothingAndMarksNothing)
{
    TempPlatform tp;
    QDir().mkpath(tp.folders.documents);
    EXPECT_TRUE(upowerhistory::importOnce(tp.dir.path() + "/none", {SystemBattery{"BAT0", {}, {}}},
                                          tp.folders.documents, {}, QDateTime::currentDateTimeUtc(),
                                          QTimeZone::utc())
                    .isEmpty());
    EXPECT_FALSE(QFile::exists(tp.folders.documents + "/calendarImported.plist"));
}

TEST(UpowerImport, ThePageCountsImportedDaysPowerdeckDidNotRecord)
{
    CalendarFixture f;
    laptopWithMouse(f.tp.dir.path(), upowerCopy(f.tp.dir.path()));
    f.now = QDateTime(QDate(2026, 3, 15), QTime(12, 0), QTimeZone::utc());
    f.writeHistory({rec(1, 24, 12), rec(1, 1, 6)});
    auto page = f.page();
    page->setShown(true);
    EXPECT_EQ(page->importedCount(), 4);
    EXPECT_EQ(page->partialLbl(), "3"); // 24 Dec and 1 June of its own, 3 September imported
    EXPECT_EQ(page->fullLbl(), "2");    // 1 June, and the held battery of 3 September
    EXPECT_EQ(page->overLbl(), "1");    // 1 June; the mouse's low day is not the laptop's
    EXPECT_EQ(page->monthList(6).size(), 3);
}

} // namespace
