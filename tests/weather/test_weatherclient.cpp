// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/weatherviewcontroller.h"

#include "localhttpserver.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QXmlStreamReader>

namespace {

QByteArray fixture(const char *name)
{
    QFile f(fixturePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WeatherClient : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.listening());
        folders = Folders::under(dir.path());
        ASSERT_TRUE(folders.ensureExist());
        defaults = std::make_unique<UserDefaults>(dir.filePath("defaults.plist"));
        // Every request here goes to the one local server: no waits between them.
        RequestPacer::shared().setIntervalMs(0);
    }
    void TearDown() override { RequestPacer::shared().setIntervalMs(RequestPacer::kIntervalMs); }

    // The panel on the keyed feed at the local server (or the keyless service with open).
    std::unique_ptr<WeatherViewController> panel(bool open = false)
    {
        defaults->setValue("weatherSource", open ? "open" : "feed");
        defaults->setValue("weatherEndpoint", server.base());
        defaults->setValue("weatherKey", "testkey");
        defaults->setValue("openForecastEndpoint", server.base());
        auto p = std::make_unique<WeatherViewController>(*defaults, folders, false);
        p->setSelectDelayMs(0);
        return p;
    }

    QVariant cache() const
    {
        return plist::readFile(folders.documents + "/forecastList.plist").value;
    }

    // Runs the event loop until the request has ended.
    static bool settle(WeatherViewController &p)
    {
        return waitUntil([&p] { return !p.busy(); });
    }

    QTemporaryDir dir;
    Folders folders;
    std::unique_ptr<UserDefaults> defaults;
    LocalHttpServer server;
};

const QString kOld = QStringLiteral("old");

// Every outcome of a request ends the busy state; only a whole forecast reaches the cache,
// and every other outcome keeps the old file and tells the user.
TEST_F(WeatherClient, OnlyAWholeReplyReachesTheCache)
{
    const struct
    {
        const char *name;
        LocalHttpServer::Reply reply;
        bool written;
        const char *alertTitle, *alertMessage;
    } rows[] = {
        {"day", {200, fixture("weather/feed-day.xml")}, true, "", ""},
        {"night", {200, fixture("weather/feed-night.xml")}, true, "", ""},
        {"error element",
         {200, "<data><error><msg>Unable to find any matching weather location</msg></error>"
               "</data>"},
         false,
         "No results found ",
         "Type the City ,State or ZIP Code"},
        {"not XML",
         {200, "{\"data\": 1}"},
         false,
         "No results found ",
         "Type the City ,State or ZIP Code"},
        {"unavailable",
         {200, "The service is unavailable."},
         false,
         "No results found ",
         "Type the City ,State or ZIP Code"},
        {"empty data",
         {200, "<data/>"},
         false,
         "No results found ",
         "Type the City ,State or ZIP Code"},
        {"3 MB",
         {200, QByteArray(3 * 1024 * 1024, ' ') + fixture("weather/feed-day.xml")},
         false,
         "No results found ",
         "Type the City ,State or ZIP Code"},
        {"500 with a forecast",
         {500, fixture("weather/feed-day.xml")},
         false,
         "",
         "Turn of airplane mode or check your connection "},
        {"200 cut short of its Content-Length",
         {200, fixture("weather/feed-day.xml"), false, 0, 1 << 20},
         false,
         "",
         "Turn of airplane mode or check your connection "},
        {"never answers",
         {200, {}, true},
         false,
         "",
         "Turn of airplane mode or check your connection "},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        server.route("/feed/weather.ashx", row.reply);
        ASSERT_TRUE(plist::writeFile(folders.documents + "/forecastList.plist",
                                     QVariantMap{{"city", kOld}}));
        auto p = panel();
        p->setDeadlineMs(300);
        QSignalSpy written(p.get(), &WeatherViewController::cacheWritten);
        p->placeSearchDidSelectPlaceWithLatitude(48.85, 2.35);
        EXPECT_TRUE(p->busy());
        ASSERT_TRUE(settle(*p));
        EXPECT_EQ(written.size(), row.written ? 1 : 0);
        const QVariantMap stored = cache().toMap();
        EXPECT_EQ(stored.value("city") == kOld, !row.written);
        if (row.written) {
            EXPECT_FALSE(stored.value("temp_4CL").toString().isEmpty());
        }
        EXPECT_EQ(p->alertTitle(), row.alertTitle);
        EXPECT_EQ(p->alertMessage(), row.alertMessage);
    }
}

// A place name with control characters (as a place service may send) still leaves a weather
// cache that is well-formed XML, with the characters left out.
TEST_F(WeatherClient, HostilePlaceNamesLeaveTheCacheWellFormed)
{
    server.route("/feed/weather.ashx", {200, fixture("weather/feed-day.xml")});
    auto p = panel();
    p->getCountry(QStringLiteral("Fr") + QChar(0x01) + QStringLiteral("ance") + QChar(0x1f));
    p->getState(QStringLiteral("Pa") + QChar(0x1b) + QStringLiteral("ris") + QChar(0xFFFF));
    p->placeSearchDidSelectPlaceWithLatitude(48.85, 2.35);
    ASSERT_TRUE(settle(*p));
    QFile f(folders.documents + "/forecastList.plist");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&f);
    while (!reader.atEnd())
        reader.readNext();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(cache().toMap().value("city"), "Paris");
    EXPECT_EQ(cache().toMap().value("state"), "France");
}

// The keyed feed chosen without its key (or its address): picking a place says why no forecast
// comes, in the one-button alert, and asks nothing.
TEST_F(WeatherClient, TheKeyedFeedWithoutAKeySaysWhy)
{
    for (const char *missing : {"weatherKey", "weatherEndpoint"}) {
        SCOPED_TRACE(missing);
        auto p = panel();
        defaults->setValue(missing, "");
        p->viewWillAppear();
        p->placeSearchDidSelectPlaceWithLatitude(48.85, 2.35);
        ASSERT_TRUE(settle(*p));
        EXPECT_TRUE(p->alertVisible());
        EXPECT_EQ(p->alertTitle(), "No weather key");
        EXPECT_TRUE(p->alertMessage().contains("weatherKey"));
        EXPECT_EQ(p->alertButton(), "Ok");
        p->dismissAlert();
        EXPECT_FALSE(p->alertVisible());
    }
    EXPECT_EQ(server.count(), 0);
}

// A fresh panel asks for nothing; coordinates that are no place are never sent.
TEST_F(WeatherClient, NoRequestWithoutAPlace)
{
    server.route("/feed/weather.ashx", {200, fixture("weather/feed-day.xml")});
    auto p = panel();
    p->SearchAndRead();
    p->searchBarSearchButtonClicked();
    const struct
    {
        double lat, lng;
    } rows[] = {{0, 0}, {91, 0}, {0, 181}, {qQNaN(), 1}, {1, qInf()}};
    for (const auto &row : rows)
        p->FunctiaMeafloatLat(row.lat, row.lng);
    QTest::qWait(100);
    EXPECT_FALSE(p->busy());
    EXPECT_EQ(server.count(), 0);
}

// One request at a time: a second search replaces the first, whose late answer is ignored.
TEST_F(WeatherClient, ANewSearchReplacesTheOldReply)
{
    server.route("/feed/weather.ashx", {200, fixture("weather/feed-day.xml"), false, 400});
    auto p = panel();
    QSignalSpy written(p.get(), &WeatherViewController::cacheWritten);
    p->FunctiaMeafloatLat(10, 20);
    p->FunctiaMeafloatLat(-41.29, 174.78);
    ASSERT_TRUE(settle(*p));
    QTest::qWait(600);
    EXPECT_EQ(written.size(), 1);
    ASSERT_GE(server.count(), 1);
    EXPECT_TRUE(server.targets().last().contains("q=-41.29,174.78"));
}

// Numbers sent to the service ignore the user's locale: "45.50", never "45,50".
TEST_F(WeatherClient, RequestCoordinatesIgnoreTheLocale)
{
    CommaDecimalLocale comma;
    REQUIRE_COMMA_DECIMAL_LOCALE(comma);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    server.route("/feed/weather.ashx", {200, fixture("weather/feed-day.xml")});
    server.route("/v1/forecast", {200, fixture("weather/open-forecast-paris.json")});
    const struct
    {
        bool open;
        const char *expected;
    } rows[] = {{false, "q=45.50,-73.60&format=xml&num_of_days=5&key=testkey"},
                {true, "latitude=45.50&longitude=-73.60&"}};
    for (const auto &row : rows) {
        auto p = panel(row.open);
        p->FunctiaMeafloatLat(45.5, -73.6);
        ASSERT_TRUE(settle(*p));
        EXPECT_TRUE(server.targets().last().contains(row.expected))
            << server.targets().last().constData();
    }
    QLocale::setDefault(QLocale::c());
}

// The keyless source fills the same record from its recorded replies of two hemispheres, names
// Powerdeck in every request, and asks again for a place only after 30 minutes.
TEST_F(WeatherClient, KeylessSourceCachesRepliesPerPlace)
{
    QDateTime now(QDate(2026, 12, 8), QTime(7, 0), QTimeZone::utc());
    const struct
    {
        const char *fixture;
        double lat, lng;
        int minutesLater;
        int requests;
        const char *tempF;
    } rows[] = {
        {"weather/open-forecast-paris.json", 48.85, 2.35, 0, 1, "42"},
        {"weather/open-forecast-paris.json", 48.85, 2.35, 29, 1, "42"},
        {"weather/open-forecast-wellington.json", -41.29, 174.78, 0, 2, "61"},
        {"weather/open-forecast-paris.json", 48.85, 2.35, 2, 3, "42"},
    };
    auto p = panel(true);
    p->setClock([&] { return now; });
    for (const auto &row : rows) {
        SCOPED_TRACE(row.fixture);
        server.route("/v1/forecast", {200, fixture(row.fixture)});
        now = now.addSecs(row.minutesLater * 60);
        QSignalSpy written(p.get(), &WeatherViewController::cacheWritten);
        p->FunctiaMeafloatLat(row.lat, row.lng);
        ASSERT_TRUE(settle(*p));
        EXPECT_EQ(written.size(), 1);
        EXPECT_EQ(server.count(), row.requests);
        EXPECT_EQ(cache().toMap().value("tempF").toString(), row.tempF);
    }
    for (const QByteArray &agent : server.userAgents())
        EXPECT_TRUE(agent.startsWith("Powerdeck/")) << agent.constData();
}

// The place search and the forecast book their requests with one pacer, the application's: a
// forecast asked of the service the search has just asked waits its turn, on a timer.
TEST_F(WeatherClient, OneRateLimiterForSearchAndForecast)
{
    auto fresh = panel(true);
    EXPECT_EQ(&fresh->pacer(), &RequestPacer::shared());
    EXPECT_EQ(&fresh->placeSearch()->pacer(), &RequestPacer::shared());

    const RequestPacer::Clock::time_point start{std::chrono::hours(1)};
    RequestPacer pacer([&] { return start; });
    pacer.setIntervalMs(200);
    server.route("/v1/search", {200, fixture("weather/open-geocoding-paris.json")});
    server.route("/v1/forecast", {200, fixture("weather/open-forecast-paris.json")});
    auto p = panel(true);
    WeatherConfig c = p->config();
    c.geocodingEndpoint = server.base();
    p->setConfig(c);
    p->setPacer(pacer);
    PlaceSearch *search = p->placeSearch();
    search->setDebounceMs(0);
    search->textChanged("Paris");
    ASSERT_TRUE(waitUntil([&] { return search->numberOfRows() > 0; }));
    const QUrl service(server.base());
    EXPECT_EQ(pacer.nextFree(service), start + std::chrono::milliseconds(200));
    QSignalSpy written(p.get(), &WeatherViewController::cacheWritten);
    search->didSelectRow(0);
    ASSERT_TRUE(waitUntil([&] { return written.size() == 1; }));
    EXPECT_EQ(pacer.nextFree(service), start + std::chrono::milliseconds(400));
    EXPECT_EQ(server.count(), 2);
}

// The keyless services' credit is shown in the panel; the keyed feed has none to show.
TEST_F(WeatherClient, TheKeylessServicesAreCredited)
{
    EXPECT_TRUE(panel(true)->attribution().contains("Open-Meteo.com"));
    EXPECT_TRUE(panel(true)->attribution().contains("OpenStreetMap contributors"));
    EXPECT_EQ(panel(false)->attribution(), "");
}

// The unit switches: the marker on the first press, tag 1 the first choice, 2 the second, any
// other tag nothing more; the forecast labels follow the temperature unit.
TEST_F(WeatherClient, UnitSwitches)
{
    server.route("/feed/weather.ashx", {200, fixture("weather/feed-day.xml")});
    auto p = panel();
    EXPECT_FALSE(p->celsius());
    EXPECT_EQ(defaults->value("celsius"), QVariant(false));
    EXPECT_FALSE(defaults->contains("setat"));
    p->kmOrMph(3);
    EXPECT_EQ(defaults->string("setat"), "dadada");
    EXPECT_FALSE(p->kilometri());
    p->FunctiaMeafloatLat(48.85, 2.35);
    ASSERT_TRUE(settle(*p));
    EXPECT_EQ(p->forecastTemps().value(0), QString::fromUtf8("43\u00b0"));
    const struct
    {
        void (WeatherViewController::*action)(int);
        int tag;
        const char *key;
        bool stored;
    } rows[] = {
        {&WeatherViewController::celsiusOrFarengheit, 1, "celsius", true},
        {&WeatherViewController::manOrWoman, 1, "man", true},
        {&WeatherViewController::manOrWoman, 2, "man", false},
        {&WeatherViewController::kmOrMph, 1, "kilometri", true},
    };
    for (const auto &row : rows) {
        (p.get()->*row.action)(row.tag);
        EXPECT_EQ(defaults->value(row.key), QVariant(row.stored)) << row.key;
    }
    EXPECT_EQ(p->forecastTemps().value(0), QString::fromUtf8("6\u00b0"));
    EXPECT_EQ(p->forecastTempsLow().value(2), QString::fromUtf8("-40\u00b0"));
    // A new panel shows the choices stored.
    auto again = panel();
    EXPECT_TRUE(again->celsius());
    EXPECT_FALSE(again->man());
    EXPECT_TRUE(again->kilometri());
}

} // namespace
