// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/alertsettings.h"
#include "alerts/alertsettings_highprecision.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <optional>

namespace {

QVariantList defaultAlerts(bool quiet = false)
{
    return {QVariantMap{{"Type", "DischargeAlert"}, {"state", true}},
            QVariantMap{{"Type", "higherPrecision"}, {"state", false}},
            QVariantMap{{"Type", "AlertsBetwwen"},
                        {"state", quiet},
                        {"startTime", "00:00"},
                        {"endTime", "00:00"}},
            QVariantMap{{"Type", "notifyWhenComplete"}, {"state", true}}};
}

struct Screen
{
    QTemporaryDir dir;
    Folders folders = Folders::under(dir.path());
    QString path = folders.documents + "/Alert.plist";

    Screen() { folders.ensureExist(); }
    void write(const QVariantList &alerts) { ASSERT_TRUE(plist::writeFile(path, alerts)); }
    QVariantList stored() const { return plist::readFile(path).value.toList(); }
    QVariantMap storedEntry(const char *type) const
    {
        for (const QVariant &v : stored()) {
            if (v.toMap()["Type"] == QString::fromLatin1(type))
                return v.toMap();
        }
        return {};
    }
    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// A presenter of the screen: records what it is told; a clock answers the unit switch, a
// presenter without one (the settings menu) leaves that request unconnected.
struct RecordingPresenter
{
    bool hasTempformat = false;
    bool celsius = true;
    QStringList calls;

    void serve(AlertSettings &screen)
    {
        QObject::connect(&screen, &AlertSettings::weatherIsOn, [this] { calls << "weatherIsOn"; });
        QObject::connect(&screen, &AlertSettings::update, [this] { calls << "update"; });
        QObject::connect(&screen, &AlertSettings::unhideWheel, [this] { calls << "unhideWheel"; });
        if (hasTempformat) {
            QObject::connect(&screen, &AlertSettings::changeTempformat, [this, &screen] {
                calls << "changeTempformat";
                celsius = !celsius;
                screen.setCelsius(celsius);
            });
        }
    }
};

TEST(AlertSettings, LoadsTheSwitchesAndTimesFromTheFile)
{
    Screen s;
    QVariantList alerts = defaultAlerts(true);
    QVariantMap between = alerts[2].toMap();
    between["startTime"] = "22:00";
    between["endTime"] = "07:15";
    alerts[2] = between;
    s.write(alerts);
    AlertSettings screen(s.folders, false);
    EXPECT_TRUE(screen.swith1());
    EXPECT_TRUE(screen.swith2());
    EXPECT_EQ(screen.starLbl(), "22:00");
    EXPECT_EQ(screen.endLbl(), "07:15");
    EXPECT_FALSE(screen.timePickerVisible());
    EXPECT_EQ(screen.alarmArray(), alerts);
}

TEST(AlertSettings, ThreeFlipsAndLeavingStoresTheOppositeAndWritesOnlyOnLeaving)
{
    Screen s;
    s.write(defaultAlerts(true));
    const QByteArray before = s.bytes();
    AlertSettings screen(s.folders, false);
    for (int i = 0; i < 3; ++i)
        screen.turnOffAlertsBetwwen();
    EXPECT_FALSE(screen.swith2());
    EXPECT_EQ(s.bytes(), before); // nothing written yet
    screen.goBack();
    EXPECT_EQ(s.storedEntry("AlertsBetwwen")["state"], QVariant(false));
    EXPECT_EQ(s.storedEntry("notifyWhenComplete")["state"], QVariant(true));
}

TEST(AlertSettings, LeavingKeepsWhatOtherScreensWroteMeanwhile)
{
    Screen s;
    s.write(defaultAlerts());
    AlertSettings screen(s.folders, false);
    screen.notifyWhenComplete(); // true -> false
    // Meanwhile the charging screen switches the discharge alert off and the settings menu
    // turns the precision mode on.
    QVariantList other = defaultAlerts();
    other[0] = QVariantMap{{"Type", "DischargeAlert"}, {"state", false}};
    other[1] = QVariantMap{{"Type", "higherPrecision"}, {"state", true}};
    s.write(other);
    screen.goBack();
    EXPECT_EQ(s.storedEntry("DischargeAlert")["state"], QVariant(false));
    EXPECT_EQ(s.storedEntry("higherPrecision")["state"], QVariant(true));
    EXPECT_EQ(s.storedEntry("notifyWhenComplete")["state"], QVariant(false));
    EXPECT_EQ(s.stored().size(), 4);
}

TEST(AlertSettings, AnEntryFlippedBackIsNotWrittenOverANewerValue)
{
    Screen s;
    s.write(defaultAlerts());
    AlertSettings screen(s.folders, false);
    screen.notifyWhenComplete();
    screen.notifyWhenComplete(); // back to what was loaded
    QVariantList other = defaultAlerts();
    other[3] = QVariantMap{{"Type", "notifyWhenComplete"}, {"state", false}};
    s.write(other);
    screen.goBack();
    EXPECT_EQ(s.storedEntry("notifyWhenComplete")["state"], QVariant(false));
}

TEST(AlertSettings, LeavingTwiceDoesNotApplyTheFirstChangesAgain)
{
    Screen s;
    s.write(defaultAlerts());
    AlertSettings screen(s.folders, false); // the clock screen keeps one for its whole life
    screen.turnOffAlertsBetwwen();
    screen.goBack();
    EXPECT_EQ(s.storedEntry("AlertsBetwwen")["state"], QVariant(true));
    QVariantList other = s.stored();
    other[2] = QVariantMap{
        {"Type", "AlertsBetwwen"}, {"state", false}, {"startTime", "00:00"}, {"endTime", "00:00"}};
    s.write(other);
    screen.goBack();
    EXPECT_EQ(s.storedEntry("AlertsBetwwen")["state"], QVariant(false));
}

TEST(AlertSettings, QuietHourTimesAreStoredOnThe24HourClockInEveryLocale)
{
    for (const char *locale : {"de_DE", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        Screen s;
        s.write(defaultAlerts());
        AlertSettings screen(s.folders, false);
        screen.startOff();
        screen.timeSelected(QTime(22, 30, 41));
        EXPECT_EQ(screen.starLbl(), "22:30") << locale;
        screen.goBack();
        EXPECT_EQ(s.storedEntry("AlertsBetwwen")["startTime"], QVariant("22:30")) << locale;
        EXPECT_EQ(s.storedEntry("AlertsBetwwen")["endTime"], QVariant("00:00")) << locale;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(AlertSettings, StartThenEndButtonShowsThenHidesThePickerAndEditsTheEnd)
{
    Screen s;
    s.write(defaultAlerts());
    AlertSettings screen(s.folders, true);
    screen.startOff();
    EXPECT_TRUE(screen.timePickerVisible());
    EXPECT_TRUE(screen.off());
    screen.endOff();
    EXPECT_FALSE(screen.timePickerVisible());
    EXPECT_FALSE(screen.off());
    screen.timeSelected(QTime(6, 5));
    EXPECT_EQ(screen.endLbl(), "06:05");
    EXPECT_EQ(screen.starLbl(), "00:00");
    EXPECT_EQ(screen.alarmArray()[2].toMap()["endTime"], QVariant("06:05"));
    // The picker opens on the time it edits.
    screen.endOff();
    EXPECT_EQ(screen.pickerTime(), QTime(6, 5));
}

// Without a usable file (none, or one with fewer than two records) the screen works on the
// defaults, and leaving writes them with the screen's values: never an array without alerts.
TEST(AlertSettings, WithoutAUsableFileLeavingWritesTheDefaultsWithTheScreensValues)
{
    const struct
    {
        const char *what;
        std::optional<QVariantList> stored;
        bool deletedWhileOpen;
    } cases[] = {
        {"missing", std::nullopt, false},
        {"empty array", QVariantList{}, false},
        {"one record", QVariantList{QVariantMap{{"Type", "DischargeAlert"}, {"state", false}}},
         false},
        {"deleted while open", defaultAlerts(), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Screen s;
        if (c.stored)
            s.write(*c.stored);
        AlertSettings screen(s.folders, false);
        if (c.deletedWhileOpen) {
            ASSERT_TRUE(QFile::remove(s.path));
        }
        screen.notifyWhenComplete();
        screen.turnOffAlertsBetwwen();
        EXPECT_FALSE(screen.swith1());
        EXPECT_TRUE(screen.swith2());
        screen.startOff();
        screen.timeSelected(QTime(22, 0));
        screen.goBack();
        QVariantList expected = defaultAlerts();
        expected[2] = QVariantMap{{"Type", "AlertsBetwwen"},
                                  {"state", true},
                                  {"startTime", "22:00"},
                                  {"endTime", "00:00"}};
        expected[3] = QVariantMap{{"Type", "notifyWhenComplete"}, {"state", false}};
        EXPECT_EQ(s.stored(), expected);
    }
}

TEST(AlertSettings, TemperatureButtonAsksTheClockScreenOnly)
{
    Screen s;
    s.write(defaultAlerts());
    RecordingPresenter clock;
    clock.hasTempformat = true;
    AlertSettings screen(s.folders, false);
    clock.serve(screen);
    screen.ChangeFromCelsiusToFarengeit();
    EXPECT_EQ(screen.tempFormatLbl(), "Fahrenheit");
    screen.ChangeFromCelsiusToFarengeit();
    EXPECT_EQ(screen.tempFormatLbl(), "Celsius");

    RecordingPresenter menu;
    AlertSettings fromMenu(s.folders, false);
    menu.serve(fromMenu);
    fromMenu.ChangeFromCelsiusToFarengeit();
    EXPECT_EQ(fromMenu.tempFormatLbl(), "Celsius");
    EXPECT_TRUE(menu.calls.isEmpty());
}

TEST(AlertSettings, LeavingTellsThePresenterAndAsksToClose)
{
    Screen s;
    s.write(defaultAlerts());
    RecordingPresenter menu;
    AlertSettings screen(s.folders, false);
    menu.serve(screen);
    int closes = 0;
    QObject::connect(&screen, &AlertSettings::closeRequested, [&] { ++closes; });
    screen.goBack();
    EXPECT_EQ(menu.calls, (QStringList{"unhideWheel", "update"}));
    EXPECT_EQ(closes, 1);
}

TEST(AlertSettings, ImagesOfTheDeviceFamilyFromTheLibrary)
{
    Screen s;
    AlertSettings phone(s.folders, false);
    AlertSettings tablet(s.folders, true);
    EXPECT_EQ(phone.switchOnImage(), s.folders.library + "/1_switch-on_88x55.png");
    EXPECT_EQ(tablet.switchOffImage(), s.folders.library + "/2_switch_off_112x63.png");
    EXPECT_EQ(phone.offButtonImage(), s.folders.library + "/1_small_change_button_40x17.png");
    EXPECT_EQ(tablet.backImage(), s.folders.library + "/2_back_44x44.png");
    EXPECT_EQ(tablet.labelColorImage(), s.folders.library + "/2_probnik.png");
}

TEST(AlertSettings, CityFromTheForecastCache)
{
    Screen s;
    ASSERT_TRUE(plist::writeFile(s.folders.documents + "/forecastList.plist",
                                 QVariantMap{{"city", "Tallinn"}, {"list", QVariantList{}}}));
    AlertSettings screen(s.folders, false);
    EXPECT_EQ(screen.CurLocation(), "Tallinn");
}

// --- the settings menu's higher-precision switch -----------------------------------------------

TEST(HighPrecisionSwitch, FlipsWritesSetsTheModeAndRebuilds)
{
    Screen s;
    s.write(defaultAlerts());
    NotificationCenter center;
    QStringList posted;
    for (const char *name : {"restartAPP", "restartAPP1.5"})
        center.addObserver(name, nullptr, [&posted, name](const QVariant &) { posted << name; });
    std::optional<bool> privat;
    HighPrecisionSwitch menu(s.path, center, [&](bool on) { privat = on; });
    menu.load();
    EXPECT_FALSE(menu.swithBTN());
    menu.highPrecision();
    EXPECT_TRUE(menu.swithBTN());
    EXPECT_EQ(s.storedEntry("higherPrecision")["state"], QVariant(true));
    EXPECT_EQ(privat, true);
    EXPECT_EQ(posted, (QStringList{"restartAPP", "restartAPP1.5"}));
    menu.highPrecision();
    EXPECT_EQ(s.storedEntry("higherPrecision")["state"], QVariant(false));
    EXPECT_EQ(privat, false);
}

TEST(HighPrecisionSwitch, ShowsAndFlipsTheSameEntryWhenThereAreTwo)
{
    Screen s;
    QVariantList alerts = defaultAlerts();
    alerts << QVariantMap{{"Type", "higherPrecision"}, {"state", true}};
    s.write(alerts);
    NotificationCenter center;
    std::optional<bool> privat;
    HighPrecisionSwitch menu(s.path, center, [&](bool on) { privat = on; });
    menu.load();
    EXPECT_FALSE(menu.swithBTN()); // the first entry, off
    menu.highPrecision();
    EXPECT_TRUE(menu.swithBTN());
    EXPECT_EQ(privat, true);
    EXPECT_EQ(s.stored()[1].toMap()["state"], QVariant(true));
    menu.highPrecision();
    EXPECT_FALSE(menu.swithBTN());
    EXPECT_EQ(s.stored()[1].toMap()["state"], QVariant(false));
    // A menu loaded afresh shows what the switch last stored.
    HighPrecisionSwitch again(s.path, center, {});
    again.load();
    EXPECT_FALSE(again.swithBTN());
}

TEST(HighPrecisionSwitch, KeepsEntriesOtherScreensWroteSinceTheMenuLoaded)
{
    Screen s;
    s.write(defaultAlerts());
    NotificationCenter center;
    HighPrecisionSwitch menu(s.path, center, {});
    menu.load();
    QVariantList other = defaultAlerts(true);
    other[3] = QVariantMap{{"Type", "notifyWhenComplete"}, {"state", false}};
    s.write(other);
    menu.highPrecision();
    EXPECT_EQ(s.storedEntry("higherPrecision")["state"], QVariant(true));
    EXPECT_EQ(s.storedEntry("AlertsBetwwen")["state"], QVariant(true));
    EXPECT_EQ(s.storedEntry("notifyWhenComplete")["state"], QVariant(false));
}

TEST(HighPrecisionSwitch, WithoutTheEntryTheModeKeepsItsStateButTheInterfaceIsRebuilt)
{
    Screen s;
    s.write({QVariantMap{{"Type", "DischargeAlert"}, {"state", true}}});
    const QByteArray before = s.bytes();
    NotificationCenter center;
    int restarts = 0;
    center.addObserver("restartAPP", nullptr, [&](const QVariant &) { ++restarts; });
    std::optional<bool> privat;
    HighPrecisionSwitch menu(s.path, center, [&](bool on) { privat = on; });
    menu.load();
    menu.highPrecision();
    EXPECT_EQ(privat, false);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(s.bytes(), before);
}

} // namespace
