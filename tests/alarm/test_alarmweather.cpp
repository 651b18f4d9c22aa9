// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmviewcontroller.h"
#include "alerts/alertsettings.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "weather/localhttpserver.h"
#include "weather/weatherviewcontroller.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// The city label of the weather section comes from the forecast record and changes when the
// weather cache is written, however long the reply takes, not when the panel closes; the
// presenter (the clock) is told to read the new forecast then.
TEST(AlarmWeather, CityLabelFollowsTheWrittenForecast)
{
    LocalHttpServer server;
    QFile reply(fixturePath("weather/feed-day.xml"));
    ASSERT_TRUE(reply.open(QIODevice::ReadOnly));
    server.route("/feed/weather.ashx", {200, reply.readAll(), false, 300});
    QTemporaryDir dir;
    const Folders folders = Folders::under(dir.path());
    ASSERT_TRUE(folders.ensureExist());
    UserDefaults defaults(dir.filePath("defaults.plist"));
    defaults.setValue("weatherSource", "feed");
    defaults.setValue("weatherEndpoint", server.base());
    defaults.setValue("weatherKey", "k");
    ASSERT_TRUE(
        plist::writeFile(folders.documents + "/forecastList.plist", QVariantMap{{"city", "Lyon"}}));
    AlarmViewController screen(defaults, folders, false);
    int updates = 0;
    QObject::connect(&screen, &AlarmViewController::update, [&updates] { ++updates; });
    AlertSettings *settings = screen.alertSettings();
    WeatherViewController *weather = screen.WeatherController();
    weather->setSelectDelayMs(0);
    EXPECT_EQ(settings->CurLocation(), "Lyon");

    settings->ChangeLocation();
    ASSERT_TRUE(settings->weatherViewVisible());
    // What a pick does: the place search tells the panel, writes the place cache, closes.
    ASSERT_TRUE(
        plist::writeFile(folders.documents + "/temp.plist", QVariantList{"France", "Paris"}));
    weather->getCountry("France");
    weather->getState("Paris");
    weather->placeSearchDidSelectPlaceWithLatitude(48.85, 2.35);
    weather->close();
    EXPECT_FALSE(settings->weatherViewVisible());
    QTest::qWait(100);
    EXPECT_EQ(settings->CurLocation(), "Lyon");
    EXPECT_EQ(updates, 0);

    ASSERT_TRUE(waitUntil([&] { return !weather->busy(); }));
    EXPECT_EQ(settings->CurLocation(), "Paris");
    EXPECT_EQ(updates, 1);
}

} // namespace
