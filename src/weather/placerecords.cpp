// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/placerecords.h"

#include "platform/plist.h"
#include "weather/xmlreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <charconv>
#include <cmath>
#include <string>

QString PlaceRecord::value(const QString &key) const
{
    if (key == QLatin1String("name"))
        return name;
    if (key == QLatin1String("countryCode"))
        return countryCode;
    if (key == QLatin1String("countryName"))
        return countryName;
    if (key == QLatin1String("fcodeName"))
        return fcodeName;
    if (key == QLatin1String("lat"))
        return lat;
    if (key == QLatin1String("lng"))
        return lng;
    return {};
}

namespace places {

namespace {

std::optional<double> numberOf(const QString &text)
{
    const std::string s = text.trimmed().toStdString();
    if (s.empty())
        return std::nullopt;
    const char *begin = s.data() + (s[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString textOf(const XmlElement *element)
{
    const std::string_view t = XmlReader::textForElement(element);
    return decodeEntities(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
}

bool named(const XmlElement *element, std::string_view name)
{
    return XmlReader::elementName(element) == name;
}

// The record's fields from the children of one <geoname> or <code>; the last one of a name wins.
PlaceRecord recordFrom(const XmlElement *first, bool postal)
{
    PlaceRecord r;
    for (const XmlElement *e = first; e; e = e->nextSibling) {
        if (named(e, "name"))
            r.name = textOf(e);
        else if (named(e, "countryCode"))
            r.countryCode = textOf(e);
        else if (named(e, "lat"))
            r.lat = textOf(e);
        else if (named(e, "lng"))
            r.lng = textOf(e);
        else if (!postal && named(e, "countryName"))
            r.countryName = textOf(e);
        else if (!postal && named(e, "fcodeName"))
            r.fcodeName = textOf(e);
        else if (postal && named(e, "adminName1"))
            r.countryName = textOf(e);
        else if (postal && named(e, "postalcode"))
            r.fcodeName = QStringLiteral("Postal Code: ") + textOf(e);
    }
    return r;
}

// A service may send control characters (raw, as "&#1;" or as "\u0001"): none reaches the list,
// the cells or the place cache.
PlaceRecord cleaned(PlaceRecord r)
{
    for (QString *field : {&r.name, &r.countryCode, &r.countryName, &r.fcodeName, &r.lat, &r.lng})
        *field = plist::xmlText(*field);
    return r;
}

void collect(PlaceList &out, const XmlElement *from, std::string_view name, bool postal)
{
    for (const XmlElement *e = from; e; e = e->nextSibling) {
        if (named(e, name) && e->firstChild)
            out.append(cleaned(recordFrom(e->firstChild, postal)));
    }
}

const XmlElement *secondOrOnlyChild(const XmlElement *root)
{
    const XmlElement *first = root->firstChild;
    return first->nextSibling ? first->nextSibling : first;
}

QString numberText(const QJsonValue &v)
{
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 10);
    // Nominatim gives coordinates as strings.
    return numberOf(v.toString()) ? v.toString().trimmed() : QString();
}

QString firstOf(const QJsonObject &o, std::initializer_list<const char *> keys)
{
    for (const char *k : keys) {
        const QString v = o.value(QLatin1String(k)).toString();
        if (!v.isEmpty())
            return v;
    }
    return {};
}

std::optional<QJsonDocument> json(const QByteArray &body)
{
    QJsonParseError error{};
    QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return doc;
}

// The kinds of place the geocoder names by GeoNames feature code.
QString featureName(const QString &code)
{
    if (code == QLatin1String("PPLC"))
        return QStringLiteral("capital of a political entity");
    if (code.startsWith(QLatin1String("PPLA")))
        return QStringLiteral("seat of an administrative division");
    if (code.startsWith(QLatin1String("PPL")))
        return QStringLiteral("populated place");
    if (code.startsWith(QLatin1String("ADM")))
        return QStringLiteral("administrative division");
    return code;
}

QString capitalised(QString text)
{
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

bool isNumeric(const QString &text)
{
    return numberOf(text).has_value();
}

bool validCoordinates(double lat, double lng)
{
    return std::isfinite(lat) && std::isfinite(lng) && std::abs(lat) <= 90.0 &&
           std::abs(lng) <= 180.0;
}

std::optional<Coordinates> isGeographicalCoordinates(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<double> lat = numberOf(parts[0]);
    const std::optional<double> lng = numberOf(parts[1]);
    if (!lat || !lng || !validCoordinates(*lat, *lng))
        return std::nullopt;
    return Coordinates{*lat, *lng};
}

QByteArray urlEncode(const QString &text)
{
    return QUrl::toPercentEncoding(text);
}

QString coordinateText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString decodeEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (text[i] != QLatin1Char('&') || semi < 0 || semi - i > 10) {
            out.append(text[i]);
            continue;
        }
        const QStringView name = QStringView(text).mid(i + 1, semi - i - 1);
        char32_t decoded = 0;
        if (name == QLatin1String("amp"))
            decoded = '&';
        else if (name == QLatin1String("lt"))
            decoded = '<';
        else if (name == QLatin1String("gt"))
            decoded = '>';
        else if (name == QLatin1String("quot"))
            decoded = '"';
        else if (name == QLatin1String("apos"))
            decoded = '\'';
        else if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = name.startsWith(QLatin1String("#x")) ? name.mid(2).toUInt(&ok, 16)
                                                                   : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
                decoded = code;
        }
        if (!decoded) {
            out.append(text[i]);
            continue;
        }
        out.append(QString::fromUcs4(&decoded, 1));
        i = semi;
    }
    return out;
}

std::optional<PlaceList> fromNameReply(const XmlReader &reader)
{
    const XmlElement *root = reader.rootXMLElement();
    if (!root)
        return std::nullopt;
    PlaceList out;
    if (root->firstChild)
        collect(out, secondOrOnlyChild(root), "geoname", false);
    return out;
}

std::optional<PlaceList> fromNearbyReply(const XmlReader &reader)
{
    const XmlElement *root = reader.rootXMLElement();
    if (!root)
        return std::nullopt;
    PlaceList out;
    collect(out, root->firstChild, "geoname", false);
    return out;
}

std::optional<PlaceList> fromPostalReply(const XmlReader &reader)
{
    const XmlElement *root = reader.rootXMLElement();
    if (!root || !root->firstChild)
        return std::nullopt;
    const XmlElement *first = root->firstChild;
    if (named(first, "totalResultsCount")) {
        const std::optional<double> count = numberOf(textOf(first));
        if (!count || *count < 1)
            return PlaceList{};
    }
    PlaceList out;
    collect(out, secondOrOnlyChild(root), "code", true);
    return out;
}

std::optional<PlaceList> fromGeocodingReply(const QByteArray &body)
{
    const std::optional<QJsonDocument> doc = json(body);
    if (!doc || !doc->isObject())
        return std::nullopt;
    PlaceList out;
    const QJsonArray results = doc->object().value(QStringLiteral("results")).toArray();
    for (const QJsonValue &v : results) {
        const QJsonObject o = v.toObject();
        PlaceRecord r;
        r.name = o.value(QStringLiteral("name")).toString();
        r.countryCode = o.value(QStringLiteral("country_code")).toString();
        r.countryName = o.value(QStringLiteral("country")).toString();
        r.fcodeName = featureName(o.value(QStringLiteral("feature_code")).toString());
        r.lat = numberText(o.value(QStringLiteral("latitude")));
        r.lng = numberText(o.value(QStringLiteral("longitude")));
        out.append(cleaned(r));
    }
    return out;
}

std::optional<PlaceList> fromReverseReply(const QByteArray &body)
{
    const std::optional<QJsonDocument> doc = json(body);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->object();
    PlaceList out;
    // {"error": "Unable to geocode"} over the sea: a reply without places.
    if (o.contains(QStringLiteral("error")))
        return out;
    const QJsonObject address = o.value(QStringLiteral("address")).toObject();
    PlaceRecord r;
    r.name = firstOf(address, {"city", "town", "village", "municipality", "hamlet", "county"});
    if (r.name.isEmpty())
        r.name = o.value(QStringLiteral("name")).toString();
    r.countryCode = address.value(QStringLiteral("country_code")).toString().toUpper();
    r.countryName = address.value(QStringLiteral("country")).toString();
    r.fcodeName = capitalised(o.value(QStringLiteral("addresstype")).toString());
    r.lat = numberText(o.value(QStringLiteral("lat")));
    r.lng = numberText(o.value(QStringLiteral("lon")));
    r = cleaned(r);
    if (!r.name.isEmpty())
        out.append(r);
    return out;
}

std::optional<PlaceList> fromPostalSearchReply(const QByteArray &body)
{
    const std::optional<QJsonDocument> doc = json(body);
    if (!doc || !doc->isArray())
        return std::nullopt;
    PlaceList out;
    for (const QJsonValue &v : doc->array()) {
        const QJsonObject o = v.toObject();
        const QJsonObject address = o.value(QStringLiteral("address")).toObject();
        PlaceRecord r;
        r.name = firstOf(address, {"city", "town", "village", "municipality", "suburb", "county"});
        if (r.name.isEmpty())
            r.name = o.value(QStringLiteral("name")).toString();
        r.countryCode = address.value(QStringLiteral("country_code")).toString().toUpper();
        r.countryName = address.value(QStringLiteral("state")).toString();
        r.fcodeName =
            QStringLiteral("Postal Code: ") + address.value(QStringLiteral("postcode")).toString();
        r.lat = numberText(o.value(QStringLiteral("lat")));
        r.lng = numberText(o.value(QStringLiteral("lon")));
        out.append(cleaned(r));
    }
    return out;
}

} // namespace places
