// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class XmlReader;

// One result of the place search. Every field is present; "" when the reply lacked it.
struct PlaceRecord
{
    QString name;
    QString countryCode;
    QString countryName; // for a postal code: the first-level division (state, region)
    QString fcodeName;   // the kind of place, or "Postal Code: <code>"
    QString lat, lng;

    // The field named as the place service names it ("name", "countryName", ...); "" otherwise.
    QString value(const QString &key) const;
    bool operator==(const PlaceRecord &) const = default;
};
using PlaceList = QList<PlaceRecord>;

namespace places {

// Longest search text sent anywhere; longer text is cut.
inline constexpr int kMaxTextLength = 100;
// Longest postal code sent.
inline constexpr int kMaxPostalLength = 20;

struct Coordinates
{
    double lat = 0;
    double lng = 0;
};

// A number and nothing else but whitespace around it ("45.5", " -73.6"); locale-free.
bool isNumeric(const QString &text);
// "lat,lng" with exactly one comma, both parts numeric, finite and in range.
std::optional<Coordinates> isGeographicalCoordinates(const QString &text);
// Finite, within ±90 / ±180.
bool validCoordinates(double lat, double lng);
// Every character but the ASCII letters, digits and -._~ as upper-case %XX of its UTF-8 bytes.
QByteArray urlEncode(const QString &text);
// "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and numeric references decoded; others kept.
QString decodeEntities(const QString &text);
// Coordinates as text for a request: a point, never the locale's comma.
QString coordinateText(double value, int decimals);

// Replies of the keyed XML place service.
// Name search: every <geoname> with children, from the root's second child on (the first when
// it is the only one). Nothing when the reply has no root.
std::optional<PlaceList> fromNameReply(const XmlReader &reader);
// Nearby search: every <geoname> with children among the root's children.
std::optional<PlaceList> fromNearbyReply(const XmlReader &reader);
// Postal-code search: every <code> with children; nothing when totalResultsCount is below 1.
std::optional<PlaceList> fromPostalReply(const XmlReader &reader);

// Replies of the keyless services (JSON).
std::optional<PlaceList> fromGeocodingReply(const QByteArray &body);
std::optional<PlaceList> fromReverseReply(const QByteArray &body);
std::optional<PlaceList> fromPostalSearchReply(const QByteArray &body);

} // namespace places
