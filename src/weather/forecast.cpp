// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/forecast.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QXmlStreamReader>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace forecast {

namespace {

struct CodeCondition
{
    const char *codes[4];
    const char *condition;
};

const CodeCondition kConditions[] = {
    {{"395", "392", "389", "386"}, "Thunderstorm"},
    {{"377", "374"}, "Ice pellets"},
    {{"371"}, "Moderate snow showers"},
    {{"368"}, "Light snow showers"},
    {{"365"}, "Moderate sleet showers"},
    {{"362"}, "Light sleet showers"},
    {{"359"}, "Torrential rain"},
    {{"356"}, "Moderate rain shower"},
    {{"353"}, "Light rain shower"},
    {{"350"}, "Icy"},
    {{"338", "335"}, "Heavy snow"},
    {{"332", "329"}, "Moderate snow"},
    {{"326", "323"}, "Light snow"},
    {{"320"}, "Moderate sleet"},
    {{"317"}, "Light sleet"},
    {{"314", "302", "299"}, "Moderate rain"},
    {{"311", "296", "293"}, "Light rain"},
    {{"308", "305"}, "Heavy rain"},
    {{"284", "281"}, "Freezing drizzle"},
    {{"266", "263"}, "Light drizzle"},
    {{"260"}, "Freezing fog"},
    {{"248"}, "Fog"},
    {{"230"}, "Blizzard"},
    {{"227"}, "Blowing snow"},
    {{"200"}, "Chance of TStorm"},
    {{"185"}, "Chance of Drizzle"},
    {{"182"}, "Chance of Sleet"},
    {{"179"}, "Chance of Snow"},
    {{"176"}, "Chance of Rain"},
    {{"143"}, "Mist"},
    {{"122"}, "Overcast"},
    {{"119"}, "Cloudy"},
    {{"116"}, "Partly Cloudy"},
    {{"113"}, "Sunny"},
};

struct ConditionCategory
{
    const char *conditions[5];
    const char *category;
    const char *icon;
};

const ConditionCategory kCategories[] = {
    {{"Thunderstorm"}, "Thunderstorm", "Thunderstorm_icon.png"},
    {{"Chance of TStorm"}, "Thunderstorm", "Chance of Thunderstorm_icon.png"},
    {{"Ice pellets"}, "Hail", "Hail_icon.png"},
    {{"Moderate snow showers", "Heavy snow", "Moderate snow", "Blizzard", "Blowing snow"},
     "Snow",
     "Snow_icon.png"},
    {{"Moderate sleet showers", "Light sleet showers", "Moderate sleet", "Light sleet",
      "Chance of Sleet"},
     "Rain and Snow",
     "Sleet_icon.png"},
    {{"Torrential rain", "Moderate rain shower", "Moderate rain", "Heavy rain"},
     "Showers_Rain",
     "Rain_icon.png"},
    {{"Icy", "Freezing drizzle", "Light drizzle"}, "Icy", "Icy_icon.png"},
    {{"Light snow", "Light snow showers", "Chance of Snow"},
     "Chance of Snow",
     "Chance of Snow_icon.png"},
    {{"Light rain shower", "Light rain", "Chance of Rain"},
     "Scattered Showers",
     "Scattered Showers_icon.png"},
    {{"Fog", "Freezing fog"}, "Smoke_Fog_Dust", "Fog_icon.png"},
    {{"Mist"}, "Smoke_Fog_Dust", "Mist_icon.png"},
    {{"Overcast", "Cloudy"}, "Cloudy", "Cloudy_icon.png"},
    {{"Partly Cloudy"}, "Partly Sunny", "Partly Sunny_icon.png"},
    {{"Sunny"}, "Sunny", "Sunny_icon.png"},
};

const char *const kDayNightCategories[] = {"Chance of Snow", "Partly Sunny", "Icy",
                                           "Scattered Showers", "Sunny"};

// WMO code of the keyless service -> the feed code of the nearest condition.
struct WmoCode
{
    int wmo;
    const char *feed;
};
const WmoCode kWmoCodes[] = {
    {0, "113"},  // clear sky
    {1, "116"},  // mainly clear
    {2, "116"},  // partly cloudy
    {3, "122"},  // overcast
    {45, "248"}, // fog
    {48, "260"}, // depositing rime fog
    {51, "266"}, // drizzle: light
    {53, "263"}, //   moderate
    {55, "263"}, //   dense
    {56, "281"}, // freezing drizzle: light
    {57, "284"}, //   dense
    {61, "296"}, // rain: slight
    {63, "302"}, //   moderate
    {65, "308"}, //   heavy
    {66, "311"}, // freezing rain: light
    {67, "314"}, //   heavy
    {71, "326"}, // snow fall: slight
    {73, "332"}, //   moderate
    {75, "338"}, //   heavy
    {77, "326"}, // snow grains
    {80, "353"}, // rain showers: slight
    {81, "356"}, //   moderate
    {82, "359"}, //   violent
    {85, "368"}, // snow showers: slight
    {86, "371"}, //   heavy
    {95, "389"}, // thunderstorm
    {96, "392"}, // thunderstorm with slight hail
    {99, "395"}, //   with heavy hail
};

QString degreesText(int value)
{
    return QString::number(value) + QChar(0x00B0);
}

Day &dayAt(Reply &reply, int index)
{
    while (reply.days.size() <= index)
        reply.days.append(Day{});
    return reply.days[index];
}

void setOnce(QString &field, const QString &value)
{
    if (field.isEmpty())
        field = value;
}

} // namespace

QString conditionForCode(const QString &code)
{
    for (const CodeCondition &row : kConditions) {
        for (const char *c : row.codes) {
            if (c && code == QLatin1String(c))
                return QString::fromLatin1(row.condition);
        }
    }
    return code;
}

std::optional<Category> categoryForCondition(const QString &condition)
{
    for (const ConditionCategory &row : kCategories) {
        for (const char *c : row.conditions) {
            if (c && condition == QLatin1String(c))
                return Category{QString::fromLatin1(row.category), QString::fromLatin1(row.icon)};
        }
    }
    return std::nullopt;
}

QString categoryForTimeOfDay(const QString &category, bool night)
{
    for (const char *c : kDayNightCategories) {
        if (category == QLatin1String(c))
            return category + (night ? QStringLiteral("_night") : QStringLiteral("_day"));
    }
    return category;
}

QString storedIconName(const QString &icon)
{
    QString out = icon;
    return out.replace(QLatin1Char(' '), QLatin1Char('_'));
}

int roundHalfAway(double value)
{
    // Far out of any range the callers accept, so a wild value is rejected, never wrapped.
    if (!std::isfinite(value) || std::abs(value) > 1e6)
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::lround(value));
}

int Convert2Celsius(int fahrenheit)
{
    // (F - 32) * 5 / 9 rounded half away from zero, in integers.
    const int n = (fahrenheit - 32) * 5;
    const int q = (std::abs(n) * 2 + 9) / 18;
    return n < 0 ? -q : q;
}

std::optional<int> integerValue(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    if (i == t.size() || t.size() - i > 9)
        return std::nullopt;
    int value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (t[i].unicode() - '0');
    }
    return negative ? -value : value;
}

std::optional<QString> feedCodeForWmo(int wmo)
{
    for (const WmoCode &row : kWmoCodes) {
        if (row.wmo == wmo)
            return QString::fromLatin1(row.feed);
    }
    return std::nullopt;
}

QString compassPoint(double degrees)
{
    static const char *const kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                          "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    double d = std::fmod(degrees, 360.0);
    if (d < 0)
        d += 360.0;
    const int index = static_cast<int>(std::floor(d / 22.5 + 0.5)) % 16;
    return QString::fromLatin1(kPoints[index]);
}

bool Reply::complete() const
{
    const std::optional<int> c = integerValue(tempC);
    const std::optional<int> f = integerValue(tempF);
    if (!c || !f || *f < kMinimumF || *f > kMaximumF || *c < kMinimumF || *c > kMaximumF)
        return false;
    if (days.size() < kDays)
        return false;
    for (int i = 0; i < kDays; ++i) {
        const Day &d = days[i];
        if (!d.date.isValid() || !d.maxF || !d.minF)
            return false;
        if (*d.maxF < kMinimumF || *d.maxF > kMaximumF || *d.minF < kMinimumF ||
            *d.minF > kMaximumF)
            return false;
    }
    return true;
}

QVariantMap forecastRecord(const Reply &reply, const QString &city, const QString &state)
{
    QVariantMap record;
    if (!city.isEmpty())
        record.insert(QStringLiteral("city"), city);
    if (!state.isEmpty())
        record.insert(QStringLiteral("state"), state);
    record.insert(QStringLiteral("tempC"), reply.tempC);
    record.insert(QStringLiteral("tempF"), reply.tempF);

    const bool night = reply.night.value_or(false);
    record.insert(QStringLiteral("night"), night ? QStringLiteral("night") : QStringLiteral("day"));
    QString condition = conditionForCode(reply.code);
    const std::optional<Category> current = categoryForCondition(condition);
    if (night && condition == QLatin1String("Sunny"))
        condition = QStringLiteral("Clear");
    if (!condition.isEmpty())
        record.insert(QStringLiteral("condition"), condition);
    if (current) {
        record.insert(QStringLiteral("image"), categoryForTimeOfDay(current->category, night));
        // The current conditions' own icon, shown beside the current temperature.
        record.insert(QStringLiteral("icon0"), storedIconName(current->icon));
    }

    if (!reply.humidity.isEmpty())
        record.insert(QStringLiteral("humidity"), reply.humidity + QStringLiteral(" %"));
    if (!reply.windSpeedMiles.isEmpty())
        record.insert(QStringLiteral("windSpeed"),
                      reply.windDirection + QStringLiteral(" at ") + reply.windSpeedMiles);
    if (!reply.visibility.isEmpty())
        record.insert(QStringLiteral("visibility"), reply.visibility);
    if (!reply.pressure.isEmpty())
        record.insert(QStringLiteral("pressure"), reply.pressure);

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int i = 0; i < reply.days.size() && i < kDays; ++i) {
        const Day &d = reply.days[i];
        const int maxF = d.maxF.value_or(0);
        const int minF = d.minF.value_or(0);
        if (i == 0) {
            record.insert(QStringLiteral("tempMaximumF"), degreesText(maxF));
            record.insert(QStringLiteral("tempMinimumF"), degreesText(minF));
            record.insert(QStringLiteral("tempMaximumC"), degreesText(Convert2Celsius(maxF)));
            record.insert(QStringLiteral("tempMinimumC"), degreesText(Convert2Celsius(minF)));
            continue;
        }
        const QString n = QString::number(i);
        QString name = english.toString(d.date, QStringLiteral("ddd"));
        if (!name.isEmpty())
            name[0] = name[0].toUpper();
        record.insert(QStringLiteral("day") + n, name);
        if (const std::optional<Category> c = categoryForCondition(conditionForCode(d.code)))
            record.insert(QStringLiteral("icon") + n, storedIconName(c->icon));
        record.insert(QStringLiteral("temp_%1F").arg(n), degreesText(maxF));
        record.insert(QStringLiteral("temp_%1FL").arg(n), degreesText(minF));
        record.insert(QStringLiteral("temp_%1C").arg(n), degreesText(Convert2Celsius(maxF)));
        record.insert(QStringLiteral("temp_%1CL").arg(n), degreesText(Convert2Celsius(minF)));
    }
    return record;
}

ParseResult parseFeed(const QByteArray &body)
{
    ParseResult result;
    Reply &r = result.reply;
    QXmlStreamReader xml(body);
    QString text;
    int conditionCount = 0;
    int day = 0;
    bool sawElement = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            sawElement = true;
            if (xml.name() == QLatin1String("error")) {
                result.status = ParseStatus::ServiceError;
                return result;
            }
            text.clear();
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            const QStringView name = xml.name();
            const QString t = text.trimmed();
            text.clear();
            // The current conditions come first: where a day repeats a field, the first wins.
            if (name == QLatin1String("temp_C"))
                setOnce(r.tempC, t);
            else if (name == QLatin1String("temp_F"))
                setOnce(r.tempF, t);
            else if (name == QLatin1String("humidity"))
                setOnce(r.humidity, t);
            else if (name == QLatin1String("winddir16Point"))
                setOnce(r.windDirection, t);
            else if (name == QLatin1String("windspeedMiles"))
                setOnce(r.windSpeedMiles, t);
            else if (name == QLatin1String("visibility"))
                setOnce(r.visibility, t);
            else if (name == QLatin1String("pressure"))
                setOnce(r.pressure, t);
            else if (name == QLatin1String("date") && day < kDays)
                dayAt(r, day).date = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
            else if (name == QLatin1String("tempMaxF") && day < kDays)
                dayAt(r, day).maxF = integerValue(t);
            else if (name == QLatin1String("tempMinF")) {
                if (day < kDays)
                    dayAt(r, day).minF = integerValue(t);
                ++day;
            } else if (name == QLatin1String("weatherCode")) {
                if (conditionCount == 0)
                    r.code = t;
                else if (conditionCount <= kDays)
                    dayAt(r, conditionCount - 1).code = t;
                ++conditionCount;
            } else if (name == QLatin1String("weatherIconUrl") && !r.night) {
                r.night = t.endsWith(QLatin1String("night.png"));
            }
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError() || !sawElement || !r.complete())
        return ParseResult{};
    result.status = ParseStatus::Ok;
    return result;
}

namespace {

QString wholeNumber(const QJsonValue &v)
{
    return v.isDouble() ? QString::number(roundHalfAway(v.toDouble())) : QString();
}

} // namespace

ParseResult parseOpenMeteo(const QByteArray &body)
{
    ParseResult result;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return result;
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("error")).toBool()) {
        result.status = ParseStatus::ServiceError;
        return result;
    }
    Reply &r = result.reply;
    const QJsonObject current = root.value(QStringLiteral("current")).toObject();
    const QJsonValue t = current.value(QStringLiteral("temperature_2m"));
    if (t.isDouble()) {
        r.tempF = QString::number(roundHalfAway(t.toDouble()));
        r.tempC = QString::number(roundHalfAway((t.toDouble() - 32.0) * 5.0 / 9.0));
    }
    if (const QJsonValue code = current.value(QStringLiteral("weather_code")); code.isDouble())
        r.code = feedCodeForWmo(code.toInt()).value_or(QString());
    if (const QJsonValue isDay = current.value(QStringLiteral("is_day")); isDay.isDouble())
        r.night = isDay.toInt() == 0;
    r.humidity = wholeNumber(current.value(QStringLiteral("relative_humidity_2m")));
    if (const QJsonValue dir = current.value(QStringLiteral("wind_direction_10m")); dir.isDouble())
        r.windDirection = compassPoint(dir.toDouble());
    r.windSpeedMiles = wholeNumber(current.value(QStringLiteral("wind_speed_10m")));
    // The feed gives visibility in kilometres and pressure in millibars (hPa).
    const QJsonValue visibility = current.value(QStringLiteral("visibility"));
    if (visibility.isDouble()) {
        const QString unit = root.value(QStringLiteral("current_units"))
                                 .toObject()
                                 .value(QStringLiteral("visibility"))
                                 .toString();
        const double metres =
            unit == QLatin1String("ft") ? visibility.toDouble() * 0.3048 : visibility.toDouble();
        r.visibility = QString::number(roundHalfAway(metres / 1000.0));
    }
    r.pressure = wholeNumber(current.value(QStringLiteral("pressure_msl")));

    const QJsonObject daily = root.value(QStringLiteral("daily")).toObject();
    const QJsonArray dates = daily.value(QStringLiteral("time")).toArray();
    const QJsonArray maxima = daily.value(QStringLiteral("temperature_2m_max")).toArray();
    const QJsonArray minima = daily.value(QStringLiteral("temperature_2m_min")).toArray();
    const QJsonArray codes = daily.value(QStringLiteral("weather_code")).toArray();
    for (int i = 0; i < dates.size() && i < kDays; ++i) {
        Day d;
        d.date = QDate::fromString(dates[i].toString(), QStringLiteral("yyyy-MM-dd"));
        if (i < maxima.size() && maxima[i].isDouble())
            d.maxF = roundHalfAway(maxima[i].toDouble());
        if (i < minima.size() && minima[i].isDouble())
            d.minF = roundHalfAway(minima[i].toDouble());
        if (i < codes.size() && codes[i].isDouble())
            d.code = feedCodeForWmo(codes[i].toInt()).value_or(QString());
        r.days.append(d);
    }
    if (!r.complete())
        return ParseResult{};
    result.status = ParseStatus::Ok;
    return result;
}

} // namespace forecast
