// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class UserDefaults;

// Where forecasts and places come from. The keyed XML services ("feed") need an endpoint and an
// account the user enters in the user defaults; the keyless ones ("open", the default) work
// without. Nothing here ever holds a key of its own.
struct WeatherConfig
{
    enum class Source { Open, Feed };
    Source source = Source::Open;
    QString weatherEndpoint; // "weatherEndpoint"
    QString weatherKey;      // "weatherKey"
    QString placesEndpoint;  // "placesEndpoint"
    QString placesUser;      // "placesUser"
    // The keyless services; overridable so the tests can answer them locally.
    QString forecastEndpoint = QStringLiteral("https://api.open-meteo.com");
    QString geocodingEndpoint = QStringLiteral("https://geocoding-api.open-meteo.com");
    QString nominatimEndpoint = QStringLiteral("https://nominatim.openstreetmap.org");

    // "weatherSource": "feed" chooses the keyed services; anything else the keyless ones.
    static WeatherConfig fromDefaults(const UserDefaults &defaults);

    // Nothing when the source is not configured or the coordinates are not a place.
    QUrl forecastUrl(double lat, double lng) const;
    QUrl nameSearchUrl(const QString &text) const;
    QUrl nearbyUrl(double lat, double lng) const;
    // Nothing when the keyless source would search a text without digits as a postal code.
    QUrl postalUrl(const QString &text) const;
};

// "Powerdeck/<version> (+<homepage>)": the services ask every client to name itself with a way
// to reach its makers.
QByteArray powerdeckUserAgent();
