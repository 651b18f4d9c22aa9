// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/weatherviewcontroller.h"

#include "platform/logging.h"
#include "platform/plist.h"
#include "platform/qthttpclient.h"
#include "platform/userdefaults.h"
#include "weather/placerecords.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

const char *const kConnectionMessage =
    QT_TRANSLATE_NOOP("WeatherViewController", "Turn of airplane mode or check your connection ");
const char *const kNoResultsTitle = QT_TRANSLATE_NOOP("WeatherViewController", "No results found ");
const char *const kNoResultsMessage =
    QT_TRANSLATE_NOOP("WeatherViewController", "Type the City ,State or ZIP Code");
const char *const kNoKeyTitle = QT_TRANSLATE_NOOP("WeatherViewController", "No weather key");
const char *const kNoKeyMessage = QT_TRANSLATE_NOOP(
    "WeatherViewController",
    "The keyed weather feed is chosen, but its key or address is not set. Enter them as "
    "weatherKey and weatherEndpoint in the user defaults, or remove weatherSource to use the "
    "keyless forecast.");

} // namespace

WeatherViewController::WeatherViewController(UserDefaults &defaults, Folders folders, bool tablet,
                                             std::function<bool()> locationServicesEnabled,
                                             QObject *parent)
    : QObject(parent), m_defaults(defaults), m_folders(std::move(folders)), m_tablet(tablet),
      m_config(WeatherConfig::fromDefaults(defaults))
{
    m_placeSearch =
        new PlaceSearch(this, m_folders, tablet, std::move(locationServicesEnabled), this);
    m_placeSearch->setConfig(m_config);
    m_network = new QNetworkAccessManager(this);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &WeatherViewController::onDeadline);
    m_selectTimer.setSingleShot(true);
    connect(&m_selectTimer, &QTimer::timeout, this, &WeatherViewController::SearchAndRead);
    m_paceTimer.setSingleShot(true);
    connect(&m_paceTimer, &QTimer::timeout, this, [this] { startRequest(m_pacedUrl); });
    loadUnits();
    loadCachedForecast();
}

WeatherViewController::~WeatherViewController()
{
    dropReply();
}

void WeatherViewController::setConfig(const WeatherConfig &config)
{
    m_config = config;
    m_placeSearch->setConfig(config);
    emit sourceChanged();
}

void WeatherViewController::setPacer(RequestPacer &pacer)
{
    m_pacer = &pacer;
    m_placeSearch->setPacer(pacer);
}

QString WeatherViewController::attribution() const
{
    if (m_config.source == WeatherConfig::Source::Feed)
        return {};
    return tr("Weather data by Open-Meteo.com (CC BY 4.0). Places: GeoNames (CC BY 4.0) and "
              "\u00a9 OpenStreetMap contributors (ODbL).");
}

void WeatherViewController::setClock(std::function<QDateTime()> now)
{
    m_cache = ReplyCache(std::move(now));
}

QString WeatherViewController::forecastListPath() const
{
    return m_folders.documents + QStringLiteral("/forecastList.plist");
}

QString WeatherViewController::tempPlistPath() const
{
    return m_folders.documents + QStringLiteral("/temp.plist");
}

void WeatherViewController::loadUnits()
{
    if (m_defaults.string(QStringLiteral("setat")).isEmpty()) {
        m_defaults.setValue(QStringLiteral("celsius"), false);
        m_defaults.setValue(QStringLiteral("man"), false);
        m_defaults.setValue(QStringLiteral("kilometri"), false);
    }
    m_celsius = m_defaults.value(QStringLiteral("celsius")).toBool();
    m_man = m_defaults.value(QStringLiteral("man")).toBool();
    m_kilometri = m_defaults.value(QStringLiteral("kilometri")).toBool();
    emit unitsChanged();
}

void WeatherViewController::setUnit(int tag, const char *key, bool &field)
{
    if (m_defaults.string(QStringLiteral("setat")).isEmpty())
        m_defaults.setValue(QStringLiteral("setat"), QStringLiteral("dadada"));
    if (tag != 1 && tag != 2)
        return;
    field = tag == 1;
    m_defaults.setValue(QLatin1String(key), field);
    emit unitsChanged();
}

void WeatherViewController::celsiusOrFarengheit(int tag)
{
    setUnit(tag, "celsius", m_celsius);
    // The labels follow the unit chosen.
    emit forecastChanged();
}

void WeatherViewController::manOrWoman(int tag)
{
    setUnit(tag, "man", m_man);
}

void WeatherViewController::kmOrMph(int tag)
{
    setUnit(tag, "kilometri", m_kilometri);
}

void WeatherViewController::loadCachedForecast()
{
    const plist::ReadResult read = plist::readFile(forecastListPath(), plist::Shape::Dictionary);
    if (read.ok())
        m_record = read.value.toMap();
    emit forecastChanged();
}

QStringList WeatherViewController::forecastDays() const
{
    QStringList out;
    for (int n = 1; n <= 4; ++n)
        out.append(m_record.value(QStringLiteral("day%1").arg(n)).toString());
    return out;
}

QStringList WeatherViewController::forecastTemps() const
{
    QStringList out;
    for (int n = 1; n <= 4; ++n)
        out.append(m_record.value(QStringLiteral("temp_%1%2").arg(n).arg(m_celsius ? 'C' : 'F'))
                       .toString());
    return out;
}

QStringList WeatherViewController::forecastTempsLow() const
{
    QStringList out;
    for (int n = 1; n <= 4; ++n)
        out.append(m_record.value(QStringLiteral("temp_%1%2L").arg(n).arg(m_celsius ? 'C' : 'F'))
                       .toString());
    return out;
}

void WeatherViewController::viewWillAppear()
{
    setConfig(WeatherConfig::fromDefaults(m_defaults));
}

void WeatherViewController::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged();
}

void WeatherViewController::showAlert(const QString &title, const QString &message)
{
    m_alertTitle = title;
    m_alertMessage = message;
    emit alertChanged();
}

void WeatherViewController::dismissAlert()
{
    showAlert({}, {});
}

void WeatherViewController::placeSearchDidSelectPlaceWithLatitude(double lat, double lng)
{
    m_lat = lat;
    m_long = lng;
    m_haveCoordinates = true;
    setBusy(true);
    m_selectTimer.start(m_selectDelayMs);
}

void WeatherViewController::FunctiaMeafloatLat(double lat, double lng)
{
    m_lat = lat;
    m_long = lng;
    m_haveCoordinates = true;
    SearchAndRead();
}

void WeatherViewController::SearchAndRead()
{
    m_selectTimer.stop();
    // Without a place there is nothing to ask for (and 0°, 0° is open sea).
    const QUrl url = m_haveCoordinates ? m_config.forecastUrl(m_lat, m_long) : QUrl();
    if (url.isEmpty()) {
        setBusy(false);
        if (m_haveCoordinates && places::validCoordinates(m_lat, m_long) &&
            (m_lat != 0 || m_long != 0)) {
            qCWarning(lcWeather, "no forecast request: the weather source is not configured");
            // A place was picked: the user is told why no forecast comes.
            if (m_config.source == WeatherConfig::Source::Feed)
                showAlert(tr(kNoKeyTitle), tr(kNoKeyMessage));
        }
        return;
    }
    const QString key = url.toString(QUrl::FullyEncoded);
    if (const std::optional<QByteArray> cached = m_cache.find(key)) {
        dropReply();
        handleBody(*cached, QString());
        return;
    }
    dropReply();
    // At most one request a second to a service from the whole application: the place search
    // may just have asked the same one. The interface thread never waits; a timer does.
    const std::chrono::milliseconds wait = m_pacer->reserve(url);
    if (wait.count() > 0) {
        setBusy(true);
        m_pacedUrl = url;
        m_paceTimer.start(wait);
        return;
    }
    startRequest(url);
}

void WeatherViewController::startRequest(const QUrl &url)
{
    // One request at a time: a new one replaces whatever was still under way.
    dropReply();
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, powerdeckUserAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_body.clear();
    m_replyKey = url.toString(QUrl::FullyEncoded);
    setBusy(true);
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::readyRead, this, &WeatherViewController::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
    m_deadline.start(m_deadlineMs);
}

void WeatherViewController::dropReply()
{
    m_deadline.stop();
    m_paceTimer.stop();
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();
}

void WeatherViewController::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > kMaxReplyBytes) {
        dropReply();
        finish(Outcome::Invalid);
    }
}

void WeatherViewController::onDeadline()
{
    if (!m_reply)
        return;
    dropReply();
    finish(Outcome::NoConnection);
}

void WeatherViewController::onFinished(QNetworkReply *reply)
{
    // A reply that was replaced or aborted says nothing any more.
    if (reply != m_reply)
        return;
    m_body += reply->readAll();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.isValid() ? status.toInt() : 0;
    // A reply counts only when its transfer completed: a 200 cut short is no forecast.
    const bool networkError = !transferCompleted(*reply, m_body.size());
    const QByteArray body = m_body;
    const QString key = m_replyKey;
    m_reply = nullptr;
    m_deadline.stop();
    reply->deleteLater();
    m_body.clear();
    if (networkError || code < 200 || code >= 300) {
        finish(Outcome::NoConnection);
        return;
    }
    if (body.size() > kMaxReplyBytes) {
        finish(Outcome::Invalid);
        return;
    }
    handleBody(body, key);
}

void WeatherViewController::handleBody(const QByteArray &body, const QString &cacheKey)
{
    if (body.trimmed() == "The service is unavailable.")
        qCInfo(lcWeather, "weather service unavailable");
    const forecast::ParseResult parsed = m_config.source == WeatherConfig::Source::Feed
                                             ? forecast::parseFeed(body)
                                             : forecast::parseOpenMeteo(body);
    if (parsed.status == forecast::ParseStatus::ServiceError) {
        finish(Outcome::ServiceError);
        return;
    }
    if (parsed.status != forecast::ParseStatus::Ok) {
        finish(Outcome::Invalid);
        return;
    }
    QString city = m_city;
    QString state = m_state;
    if (city.isEmpty()) {
        const plist::ReadResult places = plist::readFile(tempPlistPath(), plist::Shape::Array);
        const QVariantList list = places.ok() ? places.value.toList() : QVariantList{};
        if (list.size() == 2) {
            state = list[0].toString();
            city = list[1].toString();
        }
    }
    const QVariantMap record = forecast::forecastRecord(parsed.reply, city, state);
    if (!plist::writeFile(forecastListPath(), record)) {
        qCWarning(lcWeather, "could not write %s", qPrintable(forecastListPath()));
        finish(Outcome::Invalid);
        return;
    }
    if (!cacheKey.isEmpty())
        m_cache.insert(cacheKey, body);
    m_record = record;
    emit forecastChanged();
    finish(Outcome::Written);
    emit cacheWritten();
}

void WeatherViewController::finish(Outcome outcome)
{
    setBusy(false);
    switch (outcome) {
    case Outcome::Written:
        break;
    case Outcome::NoConnection:
        showAlert(QString(), tr(kConnectionMessage));
        break;
    case Outcome::ServiceError:
    case Outcome::Invalid:
        showAlert(tr(kNoResultsTitle), tr(kNoResultsMessage));
        break;
    }
}
