// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/placesearch.h"

#include "localhttpserver.h"
#include "platform/plist.h"
#include "testsupport.h"
#include "weather/placerecords.h"
#include "weather/xmlreader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGeoPositionInfoSource>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QByteArray fixture(const char *name)
{
    QFile f(fixturePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Coordinates typed as text: exactly one comma, two numbers, a place on Earth.
TEST(PlaceText, Coordinates)
{
    const struct
    {
        const char *text;
        bool coordinates;
        double lat, lng;
    } rows[] = {
        {"45.5,-73.6", true, 45.5, -73.6},
        {"12,34", true, 12, 34},
        {"45.5, -73.6", true, 45.5, -73.6},
        {" 45.5 , -73.6 ", true, 45.5, -73.6},
        {"45.5;-73.6", false, 0, 0},
        {"45,5,-73,6", false, 0, 0},
        {"Paris", false, 0, 0},
        {"nan,1", false, 0, 0},
        {"1,inf", false, 0, 0},
        {"91,0", false, 0, 0},
        {"0,-181", false, 0, 0},
        {",", false, 0, 0},
        {"45.5,", false, 0, 0},
        {"1e2,3", false, 0, 0},
        {"0x10,3", false, 0, 0},
    };
    for (const auto &row : rows) {
        const std::optional<places::Coordinates> c =
            places::isGeographicalCoordinates(QString::fromUtf8(row.text));
        EXPECT_EQ(c.has_value(), row.coordinates) << row.text;
        if (c && row.coordinates) {
            EXPECT_DOUBLE_EQ(c->lat, row.lat) << row.text;
            EXPECT_DOUBLE_EQ(c->lng, row.lng) << row.text;
        }
    }
}

// User text is encoded in every query (the postal code too), with the account name.
TEST(PlaceText, QueriesEncodeTheText)
{
    WeatherConfig feed;
    feed.source = WeatherConfig::Source::Feed;
    feed.placesEndpoint = "http://places.test";
    feed.placesUser = "acct";
    WeatherConfig open;
    open.geocodingEndpoint = "http://geo.test";
    open.nominatimEndpoint = "http://osm.test";
    const struct
    {
        const char *name;
        QUrl url;
        const char *expected;
    } rows[] = {
        {"feed name", feed.nameSearchUrl("a&b #"),
         "http://places.test/search?q=a%26b%20%23&maxRows=5&fuzzy=0.7&style=long&username=acct"},
        {"feed postal", feed.postalUrl("1&username=x"),
         "http://places.test/postalCodeSearch?postalcode_startsWith=1%26username%3Dx&maxRows=5&"
         "username=acct"},
        {"feed nearby", feed.nearbyUrl(45.5, -73.6),
         "http://places.test/findNearby?lat=45.500000&lng=-73.600000&maxRows=5&radius=3.0&"
         "style=full&username=acct"},
        {"open name", open.nameSearchUrl(QString::fromUtf8("a&b #Zürich")),
         "http://geo.test/v1/search?name=a%26b%20%23Z%C3%BCrich&count=5&language=en&format=json"},
        {"open postal", open.postalUrl("1&x=2"),
         "http://osm.test/search?postalcode=1%26x%3D2&format=jsonv2&addressdetails=1&limit=5&"
         "accept-language=en"},
        {"open postal without digits", open.postalUrl("Paris"), ""},
        {"long postal", feed.postalUrl(QString(50, '9')),
         "http://places.test/postalCodeSearch?postalcode_startsWith=99999999999999999999&"
         "maxRows=5&username=acct"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.url.toString(QUrl::FullyEncoded), row.expected) << row.name;
}

// A position goes out to 0.01° (about a kilometre), whatever the form of the request, in the
// C locale's digits.
TEST(PlaceText, PositionsGoOutRounded)
{
    WeatherConfig feed;
    feed.source = WeatherConfig::Source::Feed;
    feed.weatherEndpoint = feed.placesEndpoint = "http://feed.test";
    feed.weatherKey = "k";
    feed.placesUser = "acct";
    WeatherConfig open;
    open.forecastEndpoint = open.nominatimEndpoint = "http://open.test";
    const double lat = 48.856613, lng = -2.352222;
    const struct
    {
        const char *name;
        QUrl url;
        const char *contains;
    } rows[] = {
        {"open forecast", open.forecastUrl(lat, lng), "?latitude=48.86&longitude=-2.35&"},
        {"open nearby", open.nearbyUrl(lat, lng), "&lat=48.86&lon=-2.35&"},
        {"feed forecast", feed.forecastUrl(lat, lng), "?q=48.86,-2.35&"},
        {"feed nearby", feed.nearbyUrl(lat, lng), "?lat=48.860000&lng=-2.350000&"},
    };
    for (const auto &row : rows)
        EXPECT_TRUE(row.url.toString(QUrl::FullyEncoded).contains(row.contains))
            << row.name << ": " << row.url.toString().toStdString();
}

// The application's one rate limiter: requests to one service (scheme, host, port) are an
// interval apart, whoever books them; other services are not held up.
TEST(Pacer, OneServiceAnIntervalApart)
{
    RequestPacer::Clock::time_point now{};
    RequestPacer pacer([&] { return now; });
    using std::chrono::milliseconds;
    const struct
    {
        int advanceMs;
        const char *url;
        int waitMs;
    } rows[] = {
        {0, "https://nominatim.test/search?q=1", 0},
        {0, "https://nominatim.test/reverse?lat=1", 1000},
        {0, "https://NOMINATIM.test:443/search?q=2", 2000},
        {0, "https://geo.test/v1/search", 0},
        {0, "http://nominatim.test/search", 0},
        {0, "https://nominatim.test:8443/search", 0},
        {2500, "https://nominatim.test/search?q=3", 500},
        {5000, "https://nominatim.test/search?q=4", 0},
    };
    for (const auto &row : rows) {
        now += milliseconds(row.advanceMs);
        EXPECT_EQ(pacer.reserve(QUrl(row.url)), milliseconds(row.waitMs)) << row.url;
    }
    EXPECT_EQ(&RequestPacer::shared(), &RequestPacer::shared());
}

// Records from the keyed service's XML replies, with entities decoded.
TEST(PlaceReplies, FeedXml)
{
    const struct
    {
        const char *name;
        std::optional<PlaceList> (*read)(const XmlReader &);
        const char *xml;
        int records;
        const char *firstName, *firstCountry, *firstType;
    } rows[] = {
        {"single geoname child", &places::fromNameReply,
         "<geonames><geoname><name>Paris</name><countryName>France</countryName>"
         "<fcodeName>capital of a political entity</fcodeName><lat>48.85</lat><lng>2.35</lng>"
         "</geoname></geonames>",
         1, "Paris", "France", "capital of a political entity"},
        {"count first, then two", &places::fromNameReply,
         "<geonames><totalResultsCount>2</totalResultsCount><geoname><name>A&amp;B</name>"
         "<countryName>X &#38; Y</countryName></geoname><geoname><name>C</name></geoname>"
         "<geoname/></geonames>",
         2, "A&B", "X & Y", ""},
        {"no root", &places::fromNameReply, "no xml here", -1, "", "", ""},
        {"postal count 0", &places::fromPostalReply,
         "<geonames><totalResultsCount>0</totalResultsCount><code><postalcode>1</postalcode>"
         "<name>X</name></code></geonames>",
         0, "", "", ""},
        {"postal", &places::fromPostalReply,
         "<geonames><totalResultsCount>1</totalResultsCount><code><postalcode>75003</postalcode>"
         "<name>Paris 03</name><countryCode>FR</countryCode><adminName1>"
         "&#xCE;le-de-France</adminName1><lat>48.86</lat><lng>2.36</lng></code></geonames>",
         1, "Paris 03", "\u00cele-de-France", "Postal Code: 75003"},
        {"nearby empty", &places::fromNearbyReply, "<geonames></geonames>", 0, "", "", ""},
    };
    for (const auto &row : rows) {
        const XmlReader reader(row.xml);
        const std::optional<PlaceList> list = row.read(reader);
        EXPECT_EQ(list ? int(list->size()) : -1, row.records) << row.name;
        if (list && !list->isEmpty()) {
            EXPECT_EQ(list->first().name, QString::fromUtf8(row.firstName)) << row.name;
            EXPECT_EQ(list->first().countryName, QString::fromUtf8(row.firstCountry)) << row.name;
            EXPECT_EQ(list->first().fcodeName, QString::fromUtf8(row.firstType)) << row.name;
        }
    }
}

// Records from the keyless services' recorded replies, two places in different hemispheres.
TEST(PlaceReplies, KeylessJson)
{
    const struct
    {
        const char *file;
        std::optional<PlaceList> (*read)(const QByteArray &);
        int records;
        const char *cell, *type, *lat, *lng;
    } rows[] = {
        {"weather/open-geocoding-paris.json", &places::fromGeocodingReply, 2, "Paris, France",
         "capital of a political entity", "48.85341", "2.3488"},
        {"weather/open-geocoding-wellington.json", &places::fromGeocodingReply, 1,
         "Wellington, New Zealand", "capital of a political entity", "-41.28664", "174.77557"},
        {"weather/open-geocoding-empty.json", &places::fromGeocodingReply, 0, "", "", "", ""},
        {"weather/nominatim-reverse-paris.json", &places::fromReverseReply, 1, "Paris, France",
         "City", "48.8588897", "2.3200410217200766"},
        {"weather/nominatim-reverse-wellington.json", &places::fromReverseReply, 1,
         "Wellington, New Zealand", "City", "-41.2887953", "174.7772114"},
        {"weather/nominatim-reverse-sea.json", &places::fromReverseReply, 0, "", "", "", ""},
        {"weather/nominatim-postal-75003.json", &places::fromPostalSearchReply, 1,
         "Paris, Ile-de-France", "Postal Code: 75003", "48.8627", "2.3604"},
        {"weather/nominatim-postal-6011.json", &places::fromPostalSearchReply, 1,
         "Wellington, Wellington", "Postal Code: 6011", "-41.2954", "174.7808"},
    };
    for (const auto &row : rows) {
        const std::optional<PlaceList> list = row.read(fixture(row.file));
        ASSERT_TRUE(list) << row.file;
        ASSERT_EQ(list->size(), row.records) << row.file;
        if (row.records == 0)
            continue;
        const PlaceSearchCell cell(list->first(), nullptr);
        EXPECT_EQ(cell.placeName(), row.cell) << row.file;
        EXPECT_EQ(cell.placeType(), row.type) << row.file;
        EXPECT_EQ(list->first().lat, row.lat) << row.file;
        EXPECT_EQ(list->first().lng, row.lng) << row.file;
    }
    EXPECT_FALSE(places::fromGeocodingReply("<html/>"));
}

// The delegate side of the search, recorded.
class RecordingDelegate : public PlaceSearchProtocol
{
public:
    void getCountry(const QString &c) override { country = c; }
    void getState(const QString &s) override { city = s; }
    void placeSearchDidSelectPlaceWithLatitude(double la, double ln) override
    {
        lat = la;
        lng = ln;
        ++picks;
    }
    void close() override { ++closes; }
    QString country, city;
    double lat = 0, lng = 0;
    int picks = 0, closes = 0;
};

class PlaceSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        ASSERT_TRUE(dir.isValid());
        folders = Folders::under(dir.path());
        ASSERT_TRUE(folders.ensureExist());
        search =
            std::make_unique<PlaceSearch>(&delegate, folders, false, [this] { return locationOn; });
        search->setDebounceMs(0);
        // The application's pacer, which these searches share with each other, without waits.
        RequestPacer::shared().setIntervalMs(0);
        WeatherConfig c;
        c.source = WeatherConfig::Source::Feed;
        c.placesEndpoint = server.base();
        c.placesUser = "acct";
        c.geocodingEndpoint = server.base();
        c.nominatimEndpoint = server.base();
        search->setConfig(c);
    }

    void TearDown() override { RequestPacer::shared().setIntervalMs(RequestPacer::kIntervalMs); }

    bool settle()
    {
        QTest::qWait(20);
        return waitUntil([this] { return !search->searching(); });
    }
    struct Typed
    {
        QStringList paths; // the paths asked for, in order
        QStringList names; // the list's rows then
    };
    // Types text and waits for the searches it starts.
    Typed type(const char *text, bool submit = false)
    {
        const int before = server.count();
        search->textChanged(text);
        if (submit) {
            settle();
            search->searchButtonPressed();
        }
        Typed typed;
        EXPECT_TRUE(settle()) << text;
        for (const QByteArray &t : server.targets().mid(before))
            typed.paths.append(QString::fromLatin1(t.left(t.indexOf('?'))));
        for (QObject *cell : search->cells())
            typed.names.append(static_cast<PlaceSearchCell *>(cell)->placeName());
        return typed;
    }
    QVariant placeCache() const { return plist::readFile(folders.documents + "/temp.plist").value; }

    QTemporaryDir dir;
    Folders folders;
    LocalHttpServer server;
    RecordingDelegate delegate;
    bool locationOn = false;
    std::unique_ptr<PlaceSearch> search;
};

const QByteArray kParis =
    "<geonames><totalResultsCount>1</totalResultsCount><geoname><name>Paris</name>"
    "<countryName>France</countryName><fcodeName>capital</fcodeName><lat>48.85</lat>"
    "<lng>2.35</lng></geoname></geonames>";
const QByteArray kMontreal =
    "<geonames><geoname><name>Montr&#233;al</name><countryName>Canada</countryName>"
    "<lat>45.5</lat><lng>-73.6</lng></geoname></geonames>";
const QByteArray kPostal =
    "<geonames><totalResultsCount>1</totalResultsCount><code><postalcode>750</postalcode>"
    "<name>Paris 01</name><adminName1></adminName1><lat>48.86</lat><lng>2.34</lng></code>"
    "</geonames>";

// Typing: the queries of a name and of coordinates, in order, and what the list then holds.
TEST_F(PlaceSearchTest, TypingQueriesAndTheList)
{
    server.route("/search", {200, kParis});
    server.route("/findNearby", {200, kMontreal});
    server.route("/postalCodeSearch", {200, kPostal});
    const struct
    {
        const char *text;
        QStringList paths;
        QStringList names;
    } rows[] = {
        {"Paris", {"/search", "/postalCodeSearch"}, {"Paris, France", "Paris 01, "}},
        {"45.5,-73.6",
         {"/findNearby", "/search", "/postalCodeSearch"},
         {QString::fromUtf8("Montréal, Canada"), "Paris, France", "Paris 01, "}},
        {"P", {}, {}},
    };
    for (const auto &row : rows) {
        const Typed typed = type(row.text);
        EXPECT_EQ(typed.paths, row.paths) << row.text;
        EXPECT_EQ(typed.names, row.names) << row.text;
    }
    for (const QByteArray &t : server.targets())
        EXPECT_TRUE(t.endsWith("username=acct")) << t.constData();
    // Typed coordinates before any pick: the place around them is the clock's place.
    EXPECT_EQ(placeCache().toList(), (QVariantList{"Canada", QString::fromUtf8("Montréal")}));
}

// The keyless services answer the same three queries: the geocoder by name while the user
// types; Nominatim, which allows no search as you type, for the place around coordinates and for
// postal codes (only a text with a digit) only on Return or the search button. Each request names
// Powerdeck with its homepage.
TEST_F(PlaceSearchTest, KeylessQueries)
{
    WeatherConfig c;
    c.geocodingEndpoint = server.base();
    c.nominatimEndpoint = server.base();
    search->setConfig(c);
    server.route("/v1/search", {200, fixture("weather/open-geocoding-empty.json")});
    server.route("/search", {200, fixture("weather/nominatim-postal-6011.json")});
    server.route("/reverse", {200, fixture("weather/nominatim-reverse-wellington.json")});
    const struct
    {
        const char *text;
        bool submit;
        QStringList paths;
        QStringList names;
    } rows[] = {
        {"Wel", false, {"/v1/search"}, {}},
        {"6011", false, {"/v1/search"}, {}},
        {"-41.29,174.78", false, {"/v1/search"}, {}},
        // The name search's reply of the moment before is reused.
        {"-41.29,174.78",
         true,
         {"/reverse", "/search"},
         {"Wellington, New Zealand", "Wellington, Wellington"}},
    };
    for (const auto &row : rows) {
        const Typed typed = type(row.text, row.submit);
        EXPECT_EQ(typed.paths, row.paths) << row.text;
        EXPECT_EQ(typed.names, row.names) << row.text;
    }
    for (const QByteArray &agent : server.userAgents())
        EXPECT_TRUE(agent.startsWith("Powerdeck/") &&
                    agent.contains("(+https://github.com/powerdeck/powerdeck)"))
            << agent.constData();
    EXPECT_EQ(placeCache().toList(), (QVariantList{"New Zealand", "Wellington"}));
}

// Only a reply whose transfer completed is kept for 30 minutes: one cut short of its
// Content-Length is asked for again, and the whole one then shows.
TEST_F(PlaceSearchTest, AReplyCutShortIsNotCached)
{
    server.route("/search", {200, kParis, false, 0, kParis.size() + 100});
    EXPECT_EQ(type("Paris").names, QStringList{});
    server.route("/search", {200, kParis});
    type("Pari");
    const Typed again = type("Paris");
    EXPECT_TRUE(again.paths.contains("/search"));
    EXPECT_EQ(again.names, QStringList{"Paris, France"});
}

// Results of a text already replaced arrive late and are dropped.
TEST_F(PlaceSearchTest, StaleGenerationsAreDropped)
{
    server.route("/search", {200, kParis, false, 300});
    server.route("/postalCodeSearch", {200, "<geonames/>"});
    search->textChanged("Paris");
    QTest::qWait(50);
    const quint64 first = search->generation();
    search->textChanged("P");
    EXPECT_GT(search->generation(), first);
    ASSERT_TRUE(settle());
    QTest::qWait(400);
    EXPECT_EQ(search->numberOfRows(), 0);
}

// Picking a row hands the place over and writes the place cache; after it, a nearby search
// fills the list but no longer rewrites the cache, and an empty nearby reply leaves it alone.
TEST_F(PlaceSearchTest, PickAndThePlaceCache)
{
    server.route("/search", {200, kParis});
    server.route("/postalCodeSearch", {200, "<geonames/>"});
    server.route("/findNearby", {200, "<geonames></geonames>"});
    search->searchByCoordinates(45.5, -73.6);
    ASSERT_TRUE(settle());
    EXPECT_FALSE(placeCache().isValid());

    search->extendView();
    search->textChanged("Paris");
    ASSERT_TRUE(settle());
    ASSERT_EQ(search->numberOfRows(), 1);
    search->didSelectRow(0);
    EXPECT_EQ(delegate.picks, 1);
    EXPECT_EQ(delegate.closes, 1);
    EXPECT_DOUBLE_EQ(delegate.lat, 48.85);
    EXPECT_DOUBLE_EQ(delegate.lng, 2.35);
    EXPECT_EQ(delegate.city, "Paris");
    EXPECT_EQ(delegate.country, "France");
    EXPECT_EQ(search->searchedLabel(), "Paris, France");
    EXPECT_FALSE(search->extended());
    EXPECT_EQ(placeCache().toList(), (QVariantList{"France", "Paris"}));

    server.route("/findNearby", {200, kMontreal});
    search->searchByCoordinates(45.51, -73.6);
    ASSERT_TRUE(settle());
    EXPECT_EQ(search->numberOfRows(), 1);
    EXPECT_EQ(placeCache().toList(), (QVariantList{"France", "Paris"}));
}

bool wellFormedFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader reader(&f);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// Control characters a service sends (as character references in XML, as escapes in JSON)
// never reach the rows or the place cache, which stays well-formed XML.
TEST_F(PlaceSearchTest, HostileNamesLeaveThePlaceCacheWellFormed)
{
    const struct
    {
        bool feed;
        const char *path;
        QByteArray reply;
    } rows[] = {
        {true, "/search",
         "<geonames><geoname><name>Pa&#1;ris&#x1B;</name><countryName>Fr&#xFFFE;ance&#31;"
         "</countryName><lat>48.85</lat><lng>2.35</lng></geoname></geonames>"},
        {false, "/v1/search",
         R"({"results":[{"name":"Pa\u0001ris\u001b","country":"Fr\uffffance\ud800",)"
         R"("latitude":48.85,"longitude":2.35}]})"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path);
        WeatherConfig c;
        c.source = row.feed ? WeatherConfig::Source::Feed : WeatherConfig::Source::Open;
        c.placesEndpoint = c.geocodingEndpoint = c.nominatimEndpoint = server.base();
        search->setConfig(c);
        server.route(row.path, {200, row.reply});
        type("Paris");
        ASSERT_GE(search->numberOfRows(), 1);
        const QString country = row.feed ? "France" : QString::fromUtf8("France\uFFFD");
        EXPECT_EQ(static_cast<PlaceSearchCell *>(search->cells().first())->placeName(),
                  "Paris, " + country);
        search->didSelectRow(0);
        EXPECT_TRUE(wellFormedFile(folders.documents + "/temp.plist"));
        EXPECT_EQ(placeCache().toList(), (QVariantList{country, "Paris"}));
    }
}

// Location services off: the alert and no request; on: one fix, one nearby query.
TEST_F(PlaceSearchTest, LocationServicesOff)
{
    search->currentLocationButtonPressed();
    EXPECT_TRUE(search->alertVisible());
    EXPECT_EQ(search->alertTitle(), "Location Services Disabled");
    search->dismissAlert();
    EXPECT_FALSE(search->alertVisible());
    QTest::qWait(50);
    EXPECT_EQ(server.count(), 0);
}

// A position source that answers each single request with one fix.
class OneFixSource : public QGeoPositionInfoSource
{
public:
    OneFixSource() : QGeoPositionInfoSource(nullptr) {}
    QGeoPositionInfo lastKnownPosition(bool) const override { return {}; }
    PositioningMethods supportedPositioningMethods() const override
    {
        return AllPositioningMethods;
    }
    int minimumUpdateInterval() const override { return 1000; }
    Error error() const override { return NoError; }
    void startUpdates() override { ++starts; }
    void stopUpdates() override {}
    void requestUpdate(int timeout) override
    {
        ++requests;
        lastTimeout = timeout;
        QTimer::singleShot(0, this, [this] {
            emit positionUpdated(
                QGeoPositionInfo(QGeoCoordinate(-41.29, 174.78), QDateTime::currentDateTime()));
        });
    }
    int starts = 0, requests = 0, lastTimeout = 0;
};

// Location services on: one fix with a time-out, never a stream of updates; the fix asks for
// the places around it once.
TEST_F(PlaceSearchTest, CurrentLocationIsOneFix)
{
    server.route("/findNearby", {200, kMontreal});
    locationOn = true;
    auto *source = new OneFixSource;
    search->setPositionSource(source);
    search->currentLocationButtonPressed();
    EXPECT_FALSE(search->alertVisible());
    ASSERT_TRUE(waitUntil([&] { return search->numberOfRows() == 1; }));
    EXPECT_EQ(source->requests, 1);
    EXPECT_GT(source->lastTimeout, 0);
    EXPECT_EQ(source->starts, 0);
    ASSERT_EQ(server.count(), 1);
    EXPECT_TRUE(server.targets().first().startsWith("/findNearby?lat=-41.290000&lng=174.780000"));
}

} // namespace
