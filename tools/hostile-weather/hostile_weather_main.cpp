// SPDX-License-Identifier: GPL-3.0-or-later
// hostile-weather: replays hostile weather and place replies, and hostile stored files, against
// the weather panel and place search the application runs (WeatherViewController, PlaceSearch),
// configured the way the application is: through the user defaults file under a temporary HOME
// whose service addresses point at a local HTTP server. After each case every property list
// under that HOME must be well-formed (or be the hostile original, left alone because it could
// not be read), and a reply that was not a whole, valid forecast must not have been stored.
//
//   hostile-weather --list          the cases, one a line
//   hostile-weather --case NAME     runs one case; exit 0 passed, 1 failed (the reason on stderr)
//   hostile-weather --check FILE... exit 0 when every file is a well-formed property list
//
// tools/hostile-weather/run.sh runs every case in its own process (so a crash is caught and
// named) and then starts the real powerdeck and powerdeck-cli on hostile stored files.
#include "platform/folders.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "weather/placesearch.h"
#include "weather/requestpacer.h"
#include "weather/weatherviewcontroller.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace {

// What the server sends for a path: raw bytes (status line and headers included), after which
// it closes the connection.
using Answer = std::function<QByteArray()>;

QByteArray http(const QByteArray &body, const QByteArray &extraHeaders = {}, qint64 length = -1,
                int status = 200)
{
    return "HTTP/1.1 " + QByteArray::number(status) +
           " Reply\r\nContent-Length: " + QByteArray::number(length < 0 ? body.size() : length) +
           "\r\n" + extraHeaders + "Connection: close\r\n\r\n" + body;
}

// A complete five-day forecast of the keyless service (°F).
QByteArray openForecast()
{
    QByteArray days, maxima, minima, codes;
    const QDate today = QDate::currentDate();
    for (int i = 0; i < 5; ++i) {
        const char *sep = i ? "," : "";
        days += sep + ('"' + today.addDays(i).toString(Qt::ISODate).toLatin1() + '"');
        maxima += sep + QByteArray::number(50 + i);
        minima += sep + QByteArray::number(40 - i);
        codes += sep + QByteArray("2");
    }
    return R"({"current":{"temperature_2m":48.2,"weather_code":2,"is_day":1,)"
           R"("relative_humidity_2m":70,"wind_speed_10m":7,"wind_direction_10m":225,)"
           R"("visibility":10000,"pressure_msl":1012},"current_units":{"visibility":"m"},)"
           R"("daily":{"time":[)" +
           days + "],\"temperature_2m_max\":[" + maxima + "],\"temperature_2m_min\":[" + minima +
           "],\"weather_code\":[" + codes + "]}}";
}

// A complete five-day forecast of the keyed XML feed; extra goes inside current_condition.
QByteArray feedForecast(const QByteArray &extra = {})
{
    QByteArray out = "<data><current_condition><temp_C>9</temp_C><temp_F>48</temp_F>"
                     "<weatherCode>116</weatherCode><humidity>70</humidity>" +
                     extra + "</current_condition>";
    for (int i = 0; i < 5; ++i) {
        out += "<weather><date>" +
               QDate::currentDate().addDays(i).toString(Qt::ISODate).toLatin1() +
               "</date><tempMaxF>50</tempMaxF><tempMinF>40</tempMinF><weatherCode>113"
               "</weatherCode></weather>";
    }
    return out + "</data>";
}

const QByteArray kGeocodingParis =
    R"({"results":[{"name":"Paris","country":"France","country_code":"FR",)"
    R"("feature_code":"PPLC","latitude":48.85,"longitude":2.35}]})";
const QByteArray kFeedParis = "<geonames><geoname><name>Paris</name><countryName>France"
                              "</countryName><lat>48.85</lat><lng>2.35</lng></geoname></geonames>";

struct Case
{
    using Stored = std::function<void(const Folders &, const QString &defaultsPath)>;
    Case(const char *name, bool feed, std::map<QString, Answer> routes, bool forecastStored,
         const char *text = "Paris", Stored stored = {}, bool network = true)
        : name(name), feed(feed), routes(std::move(routes)), forecastStored(forecastStored),
          text(text), stored(std::move(stored)), network(network)
    {
    }
    const char *name;
    bool feed;                        // the keyed services instead of the keyless ones
    std::map<QString, Answer> routes; // by path; a path not listed gets a 404
    bool forecastStored;              // a forecast must reach forecastList.plist
    const char *text;                 // typed and submitted
    // Prepares hostile stored files under Documents (and the defaults' folder) before the run.
    Stored stored;
    bool network; // false: the defaults cannot name the local server, so nothing is asked
};

std::vector<Case> cases()
{
    const auto fixed = [](QByteArray bytes) { return [bytes] { return bytes; }; };
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    };
    std::vector<Case> out;
    // Control characters in place names, raw, as references and as JSON escapes.
    out.push_back(
        {"keyless control characters in names",
         false,
         {{"/v1/search",
           fixed(http(R"({"results":[{"name":"Pa\u0001ris\u001b\u0000","country":)"
                      R"("Fr\uffffance\ud800\u0007","latitude":48.85,"longitude":2.35}]})"))},
          {"/v1/forecast", fixed(http(openForecast()))}},
         true});
    out.push_back(
        {"feed control characters in names",
         true,
         {{"/search", fixed(http("<geonames><geoname><name>Pa&#1;ris\x01\x1f</name>"
                                 "<countryName>Fr&#xFFFE;ance&#x1b;\x7f</countryName>"
                                 "<lat>48.85</lat><lng>2.35</lng></geoname></geonames>"))},
          {"/feed/weather.ashx", fixed(http(feedForecast()))}},
         true});
    out.push_back({"feed control characters in the forecast",
                   true,
                   {{"/search", fixed(http(kFeedParis))},
                    {"/feed/weather.ashx",
                     fixed(http(feedForecast("<visibility>1\x01</visibility><pressure>&#2;"
                                             "</pressure>")))}},
                   false});
    // Bodies cut short of their Content-Length: nothing kept, nothing stored.
    out.push_back({"truncated bodies",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis, {}, kGeocodingParis.size() + 50))},
                    {"/v1/forecast", fixed(http(openForecast(), {}, openForecast().size() * 2))}},
                   false});
    out.push_back({"truncated forecast",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis))},
                    {"/v1/forecast", fixed(http(openForecast(), {}, openForecast().size() + 1))}},
                   false});
    out.push_back(
        {"content length shorter than the body",
         false,
         {{"/v1/search", fixed(http(kGeocodingParis + "garbage", {}, kGeocodingParis.size()))},
          {"/v1/forecast", fixed(http(openForecast().left(40), {}, 20))}},
         false});
    out.push_back({"broken chunked encoding",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis))},
                    {"/v1/forecast",
                     fixed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close"
                           "\r\n\r\n400\r\n" +
                           openForecast().left(100))}},
                   false});
    out.push_back({"huge bodies",
                   false,
                   {{"/v1/search", fixed(http(QByteArray(6 << 20, ' ') + kGeocodingParis))},
                    {"/v1/forecast", fixed(http(QByteArray(6 << 20, ' ') + openForecast()))}},
                   false});
    out.push_back(
        {"huge place list",
         true,
         {{"/search", fixed(http("<geonames>" +
                                 QByteArray("<geoname><name>P</name><lat>1</lat><lng>2</lng>"
                                            "</geoname>")
                                     .repeated(15000) +
                                 "</geonames>"))},
          {"/feed/weather.ashx", fixed(http(feedForecast()))}},
         true});
    out.push_back({"malformed JSON",
                   false,
                   {{"/v1/search", fixed(http(R"({"results":[{"name":"Paris","latitude":)"))},
                    {"/reverse", fixed(http("[[[["))},
                    {"/v1/forecast", fixed(http("{\"current\":"))}},
                   false,
                   "48.85,2.35"});
    out.push_back({"deeply nested JSON",
                   false,
                   {{"/v1/search", fixed(http(QByteArray(200000, '[') + QByteArray(200000, ']')))},
                    {"/search", fixed(http(QByteArray(200000, '{')))}},
                   false,
                   "75003"});
    out.push_back({"malformed XML",
                   true,
                   {{"/search", fixed(http("<geonames><geoname><name>Paris</nam"))},
                    {"/postalCodeSearch", fixed(http("<geonames><code><name>X</name><lat>1</lat>"
                                                     "<lng>2</lng></code><![CDATA[unterminated"))},
                    {"/feed/weather.ashx", fixed(http("<data><current_condition><temp_C>"))}},
                   false});
    out.push_back({"deeply nested XML",
                   true,
                   {{"/search", fixed(http(QByteArray("<a>").repeated(200000)))},
                    {"/postalCodeSearch", fixed(http(QByteArray("<a x='").repeated(50000)))}},
                   false});
    out.push_back({"binary garbage and NUL bytes",
                   false,
                   {{"/v1/search", fixed(http(QByteArray("\x00\xff\xfe\x00{\"results\":", 14)))},
                    {"/v1/forecast", fixed(http(QByteArray(4096, '\0')))}},
                   false});
    out.push_back({"a 200 with no body at all",
                   false,
                   {{"/v1/search", fixed("HTTP/1.1 200 OK\r\n\r\n")},
                    {"/v1/forecast", fixed("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n")}},
                   false});
    out.push_back({"redirect loop",
                   false,
                   {{"/v1/search", fixed(http({}, "Location: /v1/search\r\n", 0, 302))}},
                   false});

    // Hostile stored files, then a good run: nothing unreadable is replaced, nothing written
    // malformed.
    out.push_back({"stored files not plists",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis))},
                    {"/v1/forecast", fixed(http(openForecast()))}},
                   true,
                   "Paris",
                   [write](const Folders &f, const QString &) {
                       write(f.documents + "/forecastList.plist", "<plist><dict><key>city");
                       write(f.documents + "/temp.plist", QByteArray("\x00\x01garbage", 9));
                   }});
    out.push_back(
        {"stored files of the wrong shape",
         false,
         {{"/v1/search", fixed(http(kGeocodingParis))},
          {"/v1/forecast", fixed(http(openForecast()))}},
         true,
         "Paris",
         [write](const Folders &f, const QString &) {
             write(f.documents + "/forecastList.plist", plist::toXml(QVariantList{1, 2, 3}));
             write(f.documents + "/temp.plist",
                   plist::toXml(QVariantMap{{"city", QVariantList{}}}));
         }});
    out.push_back({"stored texts with character references of controls",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis))},
                    {"/v1/forecast", fixed(http(openForecast()))}},
                   true,
                   "Paris",
                   [write](const Folders &f, const QString &) {
                       write(f.documents + "/temp.plist",
                             "<?xml version=\"1.0\"?><plist version=\"1.0\"><array>"
                             "<string>Fr&#1;ance</string><string>Pa&#27;ris</string></array>"
                             "</plist>");
                   }});
    out.push_back({"an unreadable stored forecast",
                   false,
                   {{"/v1/search", fixed(http(kGeocodingParis))},
                    {"/v1/forecast", fixed(http(openForecast()))}},
                   false,
                   "Paris",
                   [write](const Folders &f, const QString &) {
                       const QString path = f.documents + "/forecastList.plist";
                       write(path, "not to be replaced");
                       ::chmod(QFile::encodeName(path).constData(), 0);
                       QFile probe(path);
                       if (probe.open(QIODevice::ReadOnly)) {
                           // Run as root, every file can be read: the case has nothing to show.
                           std::printf("  skipped: files cannot be made unreadable here\n");
                           std::exit(0);
                       }
                   }});
    out.push_back({"defaults not a plist",
                   false,
                   {},
                   false,
                   "Paris",
                   [write](const Folders &, const QString &defaultsPath) {
                       write(defaultsPath, QByteArray("bplist00\xff\xff\xff", 11));
                   },
                   false});
    return out;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    const QDateTime end = QDateTime::currentDateTimeUtc().addMSecs(timeoutMs);
    while (!done()) {
        if (QDateTime::currentDateTimeUtc() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

bool wellFormedXml(const QByteArray &bytes)
{
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// Every property list under root: well-formed XML that parses, or a binary list that parses,
// or one of the hostile originals (named in left), which must be unchanged.
QStringList malformedFiles(const QString &root, const std::map<QString, QByteArray> &left)
{
    QStringList bad;
    QDirIterator it(root, {QStringLiteral("*.plist")}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const bool opened = f.open(QIODevice::ReadOnly);
        const QByteArray bytes = opened ? f.readAll() : QByteArray();
        const auto original = left.find(path);
        if (original != left.end()) {
            if (opened && bytes != original->second)
                bad << path + QStringLiteral(" (a file that could not be read was replaced)");
            continue;
        }
        if (!opened)
            bad << path + QStringLiteral(" (unreadable)");
        else if (bytes.startsWith("bplist"))
            bad << (plist::fromData(bytes).isValid() ? QString() : path + " (binary, unparsable)");
        else if (!wellFormedXml(bytes))
            bad << path + QStringLiteral(" (not well-formed XML)");
        else if (!plist::fromData(bytes).isValid())
            bad << path + QStringLiteral(" (not a property list)");
    }
    bad.removeAll(QString());
    return bad;
}

int runCase(const Case &c)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + "/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/config"));
    const Folders folders = Folders::standard();
    folders.ensureExist();
    const QString defaultsPath = UserDefaults::standardPath();

    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    int requests = 0;
    QHash<QTcpSocket *, QByteArray> buffers;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QObject::destroyed, [&, socket] { buffers.remove(socket); });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                QByteArray &buffer = buffers[socket];
                buffer += socket->readAll();
                if (!buffer.contains("\r\n\r\n"))
                    return;
                const QByteArray target = buffer.split(' ').value(1);
                buffer.clear();
                const QString path = QString::fromLatin1(target.left(target.indexOf('?')));
                ++requests;
                const auto route = c.routes.find(path);
                socket->write(route != c.routes.end() ? route->second()
                                                      : http("not found", {}, -1, 404));
                socket->disconnectFromHost();
            });
        }
    });
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    {
        UserDefaults defaults(defaultsPath);
        defaults.setValue("weatherSource", c.feed ? "feed" : "open");
        for (const char *key : {"weatherEndpoint", "placesEndpoint", "openForecastEndpoint",
                                "openGeocodingEndpoint", "openPlacesEndpoint"})
            defaults.setValue(key, base);
        defaults.setValue("weatherKey", "hostilekey");
        defaults.setValue("placesUser", "hostile");
    }
    if (c.stored)
        c.stored(folders, defaultsPath);
    // The hostile originals that cannot be read stay as they are.
    std::map<QString, QByteArray> left;
    for (const QString &path : {folders.documents + "/forecastList.plist"}) {
        QFile f(path);
        if (f.exists() && !f.open(QIODevice::ReadOnly))
            left[path] = QByteArray();
    }
    const QByteArray forecastBefore = [&] {
        QFile f(folders.documents + "/forecastList.plist");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    // The local server answers at once: the pacer's waits would only make the run slower.
    RequestPacer::shared().setIntervalMs(0);
    UserDefaults defaults(defaultsPath);
    QString failure;
    {
        WeatherViewController panel(defaults, folders, false);
        panel.viewWillAppear();
        const WeatherConfig config = panel.config();
        const bool local = config.forecastEndpoint == base && config.geocodingEndpoint == base &&
                           config.nominatimEndpoint == base;
        if (c.network && !local)
            failure = QStringLiteral("the defaults did not name the local server");
        if (c.network && local) {
            PlaceSearch *search = panel.placeSearch();
            search->setDebounceMs(0);
            search->extendView();
            search->textChanged(QString::fromUtf8(c.text));
            waitUntil([&] { return !search->searching(); }, 60000);
            search->searchButtonPressed();
            QCoreApplication::processEvents();
            if (!waitUntil([&] { return !search->searching(); }, 60000))
                failure = QStringLiteral("the place search never ended");
            if (search->numberOfRows() > 0)
                search->didSelectRow(0);
            QCoreApplication::processEvents();
            if (!waitUntil([&] { return !panel.busy(); }, 90000))
                failure = QStringLiteral("the forecast request never ended");
            // The unit switches write the defaults too.
            panel.celsiusOrFarengheit(1);
        }
        // Replies still under way end with the panel; the worker thread is let finish.
        waitUntil([] { return false; }, 200);
    }

    const QStringList bad = malformedFiles(home.path(), left);
    for (const QString &b : bad)
        failure += (failure.isEmpty() ? QString() : QStringLiteral("; ")) + b;
    QFile stored(folders.documents + "/forecastList.plist");
    const bool readable = stored.open(QIODevice::ReadOnly);
    const QByteArray after = readable ? stored.readAll() : QByteArray();
    const bool changed = readable && after != forecastBefore;
    if (c.forecastStored) {
        const QVariantMap record = plist::fromData(after).toMap();
        if (!changed || record.value("tempMaximumF").toString().isEmpty())
            failure += QStringLiteral("; no forecast was stored");
        else
            std::printf(
                "  stored city \"%s\", state \"%s\"\n",
                qPrintable(record.value("city").toString().toUtf8().toPercentEncoding(" ,")),
                qPrintable(record.value("state").toString().toUtf8().toPercentEncoding(" ,")));
    } else if (changed) {
        failure += QStringLiteral("; a reply that was no whole forecast was stored");
    }
    std::printf("  %d requests\n", requests);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "FAIL %s: %s\n", c.name, qPrintable(failure));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--list")) {
        for (const Case &c : cases())
            std::printf("%s\n", c.name);
        return 0;
    }
    if (args.value(1) == QLatin1String("--case") && args.size() == 3) {
        for (const Case &c : cases()) {
            if (args[2] == QLatin1String(c.name))
                return runCase(c);
        }
        std::fprintf(stderr, "no case named %s\n", qPrintable(args[2]));
        return 2;
    }
    if (args.value(1) == QLatin1String("--check") && args.size() > 2) {
        int bad = 0;
        for (const QString &path : args.mid(2)) {
            QFile f(path);
            const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            const bool ok = (bytes.startsWith("bplist") || wellFormedXml(bytes)) &&
                            plist::fromData(bytes).isValid();
            std::printf("%s %s\n", ok ? "well-formed" : "MALFORMED", qPrintable(path));
            bad += ok ? 0 : 1;
        }
        return bad ? 1 : 0;
    }
    std::fprintf(stderr, "usage: hostile-weather --list | --case NAME | --check FILE...\n");
    return 2;
}
