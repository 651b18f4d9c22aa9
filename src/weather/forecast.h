// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>
#include <string_view>

// The forecast as it arrives from either weather source, before it becomes the weather cache
// "forecastList.plist". The keyed XML feed and the keyless JSON service both fill this, so the
// record written for the clock is the same whichever source answered.
namespace forecast {

// Temperatures outside this range (°F) are not a forecast but a broken reply.
inline constexpr int kMinimumF = -200;
inline constexpr int kMaximumF = 200;
// Five days: today and four more.
inline constexpr int kDays = 5;

// The feed's weather code ("116") to its condition text ("Partly Cloudy"); a code the table does
// not know comes back unchanged.
QString conditionForCode(const QString &code);

struct Category
{
    QString category; // "Partly Sunny"
    QString icon;     // "Partly Sunny_icon.png"
};
// The category and icon of a condition text; nothing for a condition without one.
std::optional<Category> categoryForCondition(const QString &condition);
// The categories that have a day and a night picture get "_day" or "_night".
QString categoryForTimeOfDay(const QString &category, bool night);
// The icon file as stored: every space replaced by "_".
QString storedIconName(const QString &icon);

// °F to whole °C, rounded half away from zero (48 °F gives 9).
int Convert2Celsius(int fahrenheit);
// A real number of °F (or anything else) to the nearest whole number, half away from zero.
int roundHalfAway(double value);

// Optional leading whitespace, an optional sign and at least one decimal digit, then optional
// whitespace; nothing else.
std::optional<int> integerValue(const QString &text);

// The WMO weather code of the keyless service to the feed's code with the same condition;
// nothing for a code the table does not know.
std::optional<QString> feedCodeForWmo(int wmo);
// Degrees to the sixteen compass points ("SW").
QString compassPoint(double degrees);

struct Day
{
    QDate date;
    std::optional<int> maxF;
    std::optional<int> minF;
    QString code; // the feed's weather code; empty when none came
};

struct Reply
{
    QString tempC, tempF;
    QString code; // current conditions
    std::optional<bool> night;
    QString humidity;
    QString windDirection, windSpeedMiles;
    QString visibility, pressure;
    QList<Day> days;

    // Current temperatures and five dated days with maximum and minimum, all in range.
    bool complete() const;
};

// The weather cache record for a complete reply. city and state come from the place the user
// picked; an empty one is left out.
QVariantMap forecastRecord(const Reply &reply, const QString &city, const QString &state);

enum class ParseStatus {
    Ok,           // a complete forecast
    ServiceError, // the service answered with <error>: no place or no forecast for it
    Invalid,      // not XML, not the feed's reply, or incomplete
};

struct ParseResult
{
    ParseStatus status = ParseStatus::Invalid;
    Reply reply;
};

// The feed's XML reply, read with an event parser. Each element's text is collected up to its
// end tag (so indented and compact replies read alike); the first <weatherCode> is the current
// conditions', the next five belong to the five days; days advance at each <tempMinF>.
ParseResult parseFeed(const QByteArray &body);
// The keyless service's JSON forecast (temperatures requested in °F, wind in mph).
ParseResult parseOpenMeteo(const QByteArray &body);

} // namespace forecast
