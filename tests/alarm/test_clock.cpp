// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmviewcontroller.h"
#include "alarm/budilinikcontroller.h"
#include "alarm/clockrules.h"
#include "alerts/alertsettings.h"
#include "core/appstate.h"
#include "platform/backlight.h"
#include "platform/plist.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>
#include <optional>
#include <vector>

namespace {

const QTimeZone kBerlin("Europe/Berlin");

QDateTime at(int d, int h, int m, int s, int ms)
{
    return QDateTime(QDate(2024, 3, d), QTime(h, m, s, ms), kBerlin);
}

// A clock on temporary folders, a fixture backlight and a logind that says yes and records.
struct Clock
{
    TempPlatform tp;
    std::unique_ptr<AppState> app;
    QDateTime now = at(5, 10, 14, 30, 0);
    std::vector<quint32> logindRaw;
    std::unique_ptr<BudilinikController> clock;

    explicit Clock(int raw = 50, int max = 100)
    {
        ensureCoreApplication();
        tp.folders.ensureExist();
        writeTree(tp.platform.roots.sysfs,
                  {{"class/backlight/panel0/brightness", QByteArray::number(raw).constData()},
                   {"class/backlight/panel0/max_brightness", QByteArray::number(max).constData()}});
        app = std::make_unique<AppState>(tp.platform);
        auto light = std::make_unique<Backlight>(
            tp.platform.roots,
            [this](const QString &, quint32 r, QObject *, std::function<void(bool)> done) {
                logindRaw.push_back(r);
                done(true);
            });
        clock = std::make_unique<BudilinikController>(*app, false, std::move(light),
                                                      [this] { return now; });
        clock->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        clock->setTimeZone(kBerlin);
    }
    QString cachePath() const { return tp.folders.documents + "/forecastList.plist"; }
    void setSysfsRaw(int raw)
    {
        writeTree(tp.platform.roots.sysfs,
                  {{"class/backlight/panel0/brightness", QByteArray::number(raw).constData()}});
    }
};

// The time text follows the wall-clock minute, whatever second the tick falls on.
TEST(ClockScreen, TimeTextFollowsTheMinuteOnAnyTick)
{
    struct Case
    {
        const char *name;
        QDateTime shown;
        QDateTime tick;
        const char *time;
        const char *date;
    };
    const Case cases[] = {
        {"same minute at :59.9", at(5, 10, 14, 30, 0), at(5, 10, 14, 59, 900), "10:14",
         "Tue,05-03-2024"},
        {"next minute at :01.1, the tick at :00 skipped", at(5, 10, 14, 59, 900),
         at(5, 10, 15, 1, 100), "10:15", "Tue,05-03-2024"},
        {"next day", at(5, 23, 59, 59, 900), at(6, 0, 0, 1, 100), "00:00", "Wed,06-03-2024"},
        {"after a suspend", at(5, 10, 14, 30, 0), at(5, 13, 2, 7, 0), "13:02", "Tue,05-03-2024"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k;
        k.now = c.shown;
        k.clock->setShown(true);
        k.now = c.tick;
        k.clock->currentSec();
        EXPECT_EQ(k.clock->currentTimeLabel(), c.time);
        EXPECT_EQ(k.clock->currentDateLabel(), c.date);
        EXPECT_DOUBLE_EQ(k.clock->secAngle(), c.tick.time().second() * 6.0);
    }
}

// The seconds run only while the clock is on screen with nothing over it.
TEST(ClockScreen, SecondsTimerRunsOnlyWhileShown)
{
    Clock k;
    EXPECT_FALSE(k.clock->firstTimer().isActive());
    k.clock->setShown(true);
    EXPECT_TRUE(k.clock->secAnimated());
    EXPECT_EQ(k.clock->firstTimer().interval(), 400);
    ASSERT_TRUE(k.clock->firstTimer().isActive());
    emit k.clock->firstTimer().timeout({});
    EXPECT_FALSE(k.clock->secAnimated());
    EXPECT_EQ(k.clock->secTimer().interval(), 1000);
    EXPECT_TRUE(k.clock->secTimer().isActive());

    struct Step
    {
        const char *name;
        std::function<void(BudilinikController &)> act;
        bool running;
    };
    const Step steps[] = {
        {"settings opened over it", [](BudilinikController &c) { c.goToAlarmView(); }, false},
        {"settings closed", [](BudilinikController &c) { c.alarm()->goBack(); }, true},
        {"hidden", [](BudilinikController &c) { c.setShown(false); }, false},
        {"shown again", [](BudilinikController &c) { c.setShown(true); }, true},
        {"back button", [](BudilinikController &c) { c.goBAck(); }, false},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        s.act(*k.clock);
        EXPECT_EQ(k.clock->firstTimer().isActive() || k.clock->secTimer().isActive(), s.running);
    }
}

// The drag: 15 points is the dead zone; steps of 0.04 held within [floor, 1].
TEST(ClockBrightness, GestureStepsWithinFloorAndOne)
{
    struct Case
    {
        const char *name;
        double start;
        double floor;
        std::vector<double> ys; // move positions after touch-down at y 300
        std::optional<double> last;
        double light;
    };
    const Case cases[] = {
        {"up 10 points", 0.5, 0.05, {290}, std::nullopt, 0.5},
        {"up 16 points", 0.5, 0.05, {284}, 0.54, 0.54},
        {"each further move up", 0.5, 0.05, {284, 283}, 0.58, 0.58},
        {"0.98 clamps at 1", 0.98, 0.05, {284}, 1.0, 1.0},
        {"down to the 5 % floor", 0.07, 0.05, {316}, 0.05, 0.05},
        {"down to one raw step of 7", 0.16, 1.0 / 7, {316}, 1.0 / 7, 1.0 / 7},
        {"no lower than the floor", 0.05, 0.05, {316, 317}, std::nullopt, 0.05},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clockrules::BrightnessGesture g;
        g.begin({100, 300}, c.start, c.floor);
        std::optional<double> last;
        for (double y : c.ys)
            last = g.move({100, y});
        ASSERT_EQ(last.has_value(), c.last.has_value());
        if (last) {
            EXPECT_NEAR(*last, *c.last, 1e-9);
        }
        EXPECT_NEAR(g.light(), c.light, 1e-9);
    }
}

// The brightness is read at touch-down only; what the drag sets never goes below one raw step.
TEST(ClockBrightness, ReadOnceAtTouchDownAndFloorInRawSteps)
{
    struct Case
    {
        const char *name;
        int raw;
        int max;
        int changedTo; // what another program sets during the drag
        double dy;
        std::vector<quint32> sent;
    };
    const Case cases[] = {
        {"up from 50 of 100, not from the 90 set meanwhile", 50, 100, 90, -16, {54}},
        {"down from 6 of 100 stops at 5", 6, 100, 6, 16, {5}},
        {"down from one step of 7 sends nothing", 1, 7, 1, 16, {}},
        {"up from a backlight at 0 goes to 5 %", 0, 255, 0, -16, {13}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k(c.raw, c.max);
        k.clock->touchesBegan(100, 300, 2);
        k.setSysfsRaw(c.changedTo);
        k.clock->touchesMoved(100, 300 + c.dy, 2);
        EXPECT_EQ(k.logindRaw, c.sent);
    }
}

// The wheel and the keys step the brightness like the drag; closing the clock, by its back button
// or by a rebuild of the interface, gives the screen the brightness it had before.
TEST(ClockBrightness, WheelAndKeysStepAndClosingRestores)
{
    struct Case
    {
        const char *name;
        std::function<void(Clock &)> act;
        std::vector<quint32> sent; // before the clock closes
        bool rebuild;              // closed by "restartAPP" rather than the back button
    };
    // What logind set reaches the device, as it would on a real system.
    const auto settled = [](Clock &k) { k.setSysfsRaw(int(k.logindRaw.back())); };
    const Case cases[] = {
        {"a wheel notch up", [](Clock &k) { k.clock->brightnessWheel(120); }, {54}, false},
        {"touchpad deltas gathered into one notch down",
         [](Clock &k) {
             for (int i = 0; i < 3; ++i)
                 k.clock->brightnessWheel(-40);
         },
         {46},
         true},
        {"two key steps up",
         [&](Clock &k) {
             k.clock->brightnessStep(1);
             settled(k);
             k.clock->brightnessStep(1);
         },
         {54, 58},
         false},
        {"the drag",
         [](Clock &k) {
             k.clock->touchesBegan(100, 300, 2);
             k.clock->touchesMoved(100, 284, 2);
         },
         {54},
         true},
        {"a small wheel delta changes nothing",
         [](Clock &k) { k.clock->brightnessWheel(30); },
         {},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k(50, 100);
        k.clock->setShown(true);
        c.act(k);
        EXPECT_EQ(k.logindRaw, c.sent);
        if (!k.logindRaw.empty())
            settled(k);
        if (c.rebuild)
            k.tp.center.post("restartAPP");
        else
            k.clock->goBAck();
        std::vector<quint32> restored = c.sent;
        if (!c.sent.empty())
            restored.push_back(50);
        EXPECT_EQ(k.logindRaw, restored);
        // Only once, not again when the clock goes.
        k.clock.reset();
        EXPECT_EQ(k.logindRaw, restored);
    }
}

// The charge-time label in the higher-precision mode.
TEST(ClockScreen, ChargeTimeLabel)
{
    struct Case
    {
        const char *name;
        QVariantMap reading;
        bool visible;
        const char *text;
        const char *timeneedToCharge;
    };
    auto charging = [](std::optional<double> hours) {
        QVariantMap r{{"Device Charging", true}};
        if (hours)
            r.insert("Time To Full", *hours);
        return r;
    };
    const Case cases[] = {
        {"charging", charging(2.5), true, "Need: 2h:30min", "before"},
        {"full", charging(0.0), true, "Battery is full", "before"},
        {"still measuring", charging(std::nullopt), false, nullptr, "before"},
        {"not charging", QVariantMap{{"Device Charging", false}}, false, nullptr, "before"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k;
        // A label shown by an earlier reading.
        k.clock->updateInfo(charging(1.0));
        ASSERT_TRUE(k.clock->needTimeVisible());
        // The battery monitor keeps the shared estimate, whether or not the clock is open.
        k.app->setTimeneedToCharge("before");
        k.clock->updateInfo(c.reading);
        EXPECT_EQ(k.clock->needTimeVisible(), c.visible);
        if (c.text) {
            EXPECT_EQ(k.clock->needTimeText(), c.text);
        }
        EXPECT_EQ(k.app->timeneedToCharge(), c.timeneedToCharge);
    }
}

// The weather block shows the cache's texts in the chosen unit and the current condition's icon.
TEST(ClockWeatherBlock, FromTheCacheInEachUnit)
{
    const QVariantMap record{{"city", "Hobart"},
                             {"state", "Australia"},
                             {"tempC", "12"},
                             {"tempF", "54"},
                             {"tempMaximumC", "14\u00b0"},
                             {"tempMinimumC", "-1\u00b0"},
                             {"tempMaximumF", "57\u00b0"},
                             {"tempMinimumF", "30\u00b0"},
                             {"icon1", "Rain_icon.png"},
                             {"icon0", "Sunny_night_icon.png"},
                             {"night", "night"}};
    struct Case
    {
        const char *name;
        int presses; // of the unit button on the settings screen
        const char *current;
        const char *max;
        const char *min;
    };
    const Case cases[] = {
        {"Celsius", 0, "12C", "14\u00b0C", "-1\u00b0C"},
        {"Fahrenheit", 1, "54F", "57\u00b0F", "30\u00b0F"},
        {"Celsius again", 2, "12C", "14\u00b0C", "-1\u00b0C"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k;
        writeTree(k.tp.folders.library, {{"1_Sunny_night_icon.png", "png"}});
        ASSERT_TRUE(plist::writeFile(k.cachePath(), record));
        k.clock->update();
        for (int i = 0; i < c.presses; ++i)
            k.clock->alarm()->alertSettings()->ChangeFromCelsiusToFarengeit();
        EXPECT_TRUE(k.clock->weatherVisible());
        EXPECT_EQ(k.clock->currentLocation(), "Hobart");
        EXPECT_EQ(k.clock->currentTemp(), QString::fromUtf8(c.current));
        EXPECT_EQ(k.clock->maxTEmp(), QString::fromUtf8(c.max));
        EXPECT_EQ(k.clock->minimumTemp(), QString::fromUtf8(c.min));
        EXPECT_TRUE(k.clock->weatherImg().endsWith("library/1_Sunny_night_icon.png"))
            << k.clock->weatherImg().toStdString();
    }
}

// A cache that is missing or cannot be read hides the block and stays as it is.
TEST(ClockWeatherBlock, MissingOrCorruptCacheShowsNothingAndStays)
{
    struct Case
    {
        const char *name;
        std::optional<QByteArray> bytes;
    };
    const Case cases[] = {
        {"missing", std::nullopt},
        {"not a plist", QByteArray("<html>The service is unavailable.</html>")},
        {"truncated", plist::toXml(QVariantMap{{"city", "Oslo"}, {"tempC", "3"}}).left(90)},
        {"an array", plist::toXml(QVariantList{"Norway", "Oslo"})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Clock k;
        if (c.bytes)
            writeTree(k.tp.folders.documents, {{"forecastList.plist", c.bytes->constData()}});
        QByteArray before;
        if (QFile f(k.cachePath()); f.open(QIODevice::ReadOnly))
            before = f.readAll();
        k.clock->verIfWeatherIsOn();
        EXPECT_FALSE(k.clock->weatherVisible());
        EXPECT_TRUE(k.clock->currentTemp().isEmpty());
        QByteArray after;
        if (QFile f(k.cachePath()); f.open(QIODevice::ReadOnly))
            after = f.readAll();
        EXPECT_EQ(after, before);
        EXPECT_EQ(QFile::exists(k.cachePath()), c.bytes.has_value());
        EXPECT_FALSE(QFile::exists(k.cachePath() + ".corrupt"));
    }
}

} // namespace
