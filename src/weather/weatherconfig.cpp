// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/weatherconfig.h"

#include "platform/userdefaults.h"
#include "weather/placerecords.h"

#include <cmath>

namespace {

QString endpoint(const UserDefaults &defaults, const char *key, const QString &fallback)
{
    QString value = defaults.string(QLatin1String(key)).trimmed();
    if (value.isEmpty())
        value = fallback;
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    return value;
}

QUrl urlOf(const QString &endpoint, const QByteArray &rest)
{
    if (endpoint.isEmpty())
        return {};
    const QUrl url = QUrl::fromEncoded(endpoint.toUtf8() + rest, QUrl::StrictMode);
    return url.isValid() ? url : QUrl();
}

QByteArray coordinate(double value, int decimals)
{
    return places::coordinateText(value, decimals).toLatin1();
}

// A position goes out no more precisely than a forecast or a town needs: to 0.01° (about a
// kilometre), whatever the number of decimals a service's request is written with.
QByteArray position(double value, int decimals)
{
    return coordinate(std::round(value * 100.0) / 100.0, decimals);
}

} // namespace

WeatherConfig WeatherConfig::fromDefaults(const UserDefaults &defaults)
{
    WeatherConfig c;
    c.source = defaults.string(QStringLiteral("weatherSource")) == QLatin1String("feed")
                   ? Source::Feed
                   : Source::Open;
    c.weatherEndpoint = endpoint(defaults, "weatherEndpoint", {});
    c.weatherKey = defaults.string(QStringLiteral("weatherKey")).trimmed();
    c.placesEndpoint = endpoint(defaults, "placesEndpoint", {});
    c.placesUser = defaults.string(QStringLiteral("placesUser")).trimmed();
    c.forecastEndpoint = endpoint(defaults, "openForecastEndpoint", c.forecastEndpoint);
    c.geocodingEndpoint = endpoint(defaults, "openGeocodingEndpoint", c.geocodingEndpoint);
    c.nominatimEndpoint = endpoint(defaults, "openPlacesEndpoint", c.nominatimEndpoint);
    return c;
}

QUrl WeatherConfig::forecastUrl(double lat, double lng) const
{
    if (!places::validCoordinates(lat, lng) || (lat == 0 && lng == 0))
        return {};
    if (source == Source::Feed) {
        if (weatherKey.isEmpty())
            return {};
        return urlOf(weatherEndpoint,
                     "/feed/weather.ashx?q=" + coordinate(lat, 2) + ',' + coordinate(lng, 2) +
                         "&format=xml&num_of_days=5&key=" + places::urlEncode(weatherKey));
    }
    return urlOf(forecastEndpoint,
                 "/v1/forecast?latitude=" + position(lat, 2) + "&longitude=" + position(lng, 2) +
                     "&current=temperature_2m,relative_humidity_2m,is_day,weather_code,"
                     "wind_speed_10m,wind_direction_10m,visibility,pressure_msl"
                     "&daily=weather_code,temperature_2m_max,temperature_2m_min"
                     "&temperature_unit=fahrenheit&wind_speed_unit=mph&timezone=auto"
                     "&forecast_days=5");
}

QUrl WeatherConfig::nameSearchUrl(const QString &text) const
{
    const QByteArray q = places::urlEncode(text.left(places::kMaxTextLength));
    if (source == Source::Feed)
        return urlOf(placesEndpoint, "/search?q=" + q + "&maxRows=5&fuzzy=0.7&style=long" +
                                         "&username=" + places::urlEncode(placesUser));
    return urlOf(geocodingEndpoint, "/v1/search?name=" + q + "&count=5&language=en&format=json");
}

QUrl WeatherConfig::nearbyUrl(double lat, double lng) const
{
    if (!places::validCoordinates(lat, lng))
        return {};
    if (source == Source::Feed)
        return urlOf(
            placesEndpoint,
            "/findNearby?lat=" + position(lat, 6) + "&lng=" + position(lng, 6) +
                "&maxRows=5&radius=3.0&style=full&username=" + places::urlEncode(placesUser));
    return urlOf(nominatimEndpoint, "/reverse?format=jsonv2&lat=" + position(lat, 2) +
                                        "&lon=" + position(lng, 2) +
                                        "&zoom=10&addressdetails=1&accept-language=en");
}

QUrl WeatherConfig::postalUrl(const QString &text) const
{
    const QString code = text.trimmed().left(places::kMaxPostalLength);
    if (code.isEmpty())
        return {};
    const QByteArray q = places::urlEncode(code);
    if (source == Source::Feed)
        return urlOf(placesEndpoint, "/postalCodeSearch?postalcode_startsWith=" + q +
                                         "&maxRows=5&username=" + places::urlEncode(placesUser));
    // Every postal code has a digit somewhere (or is not worth a Nominatim request).
    bool digit = false;
    for (const QChar c : code)
        digit = digit || c.isDigit();
    if (!digit)
        return {};
    return urlOf(nominatimEndpoint, "/search?postalcode=" + q +
                                        "&format=jsonv2&addressdetails=1&limit=5"
                                        "&accept-language=en");
}

QByteArray powerdeckUserAgent()
{
    return QByteArrayLiteral("Powerdeck/" POWERDECK_VERSION " (+" POWERDECK_HOMEPAGE ")");
}
