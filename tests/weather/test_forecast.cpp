// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/forecast.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "testsupport.h"

using namespace forecast;

namespace {

QByteArray fixture(const char *name)
{
    QFile f(fixturePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray compact(QByteArray xml)
{
    return QString::fromUtf8(xml)
        .replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"))
        .toUtf8();
}

QVariantMap recordOf(const QByteArray &body)
{
    const ParseResult r = parseFeed(body);
    EXPECT_EQ(r.status, ParseStatus::Ok);
    return forecastRecord(r.reply, QStringLiteral("Paris"), QStringLiteral("France"));
}

} // namespace

// Celsius is rounded half away from zero; the worked examples still hold, 48 °F is 9 °C as the
// feed's own temp_C says (truncation gave 8).
TEST(Forecast, CelsiusRoundsHalfAwayFromZero)
{
    const struct
    {
        int f, c;
    } rows[] = {{32, 0}, {30, -1}, {212, 100}, {-40, -40}, {43, 6},
                {48, 9}, {33, 1},  {31, -1},   {0, -18},   {-200, -129}};
    for (const auto &row : rows)
        EXPECT_EQ(Convert2Celsius(row.f), row.c) << row.f;
}

// The record's condition and picture by code and time of day.
TEST(Forecast, ConditionImageAndNight)
{
    const struct
    {
        const char *code;
        bool night;
        const char *condition, *image, *icon0;
    } rows[] = {
        {"116", true, "Partly Cloudy", "Partly Sunny_night", "Partly_Sunny_icon.png"},
        {"113", true, "Clear", "Sunny_night", "Sunny_icon.png"},
        {"113", false, "Sunny", "Sunny_day", "Sunny_icon.png"},
        {"389", true, "Thunderstorm", "Thunderstorm", "Thunderstorm_icon.png"},
        {"200", false, "Chance of TStorm", "Thunderstorm", "Chance_of_Thunderstorm_icon.png"},
        {"143", false, "Mist", "Smoke_Fog_Dust", "Mist_icon.png"},
        // No category: no picture at all rather than a made-up one.
        {"185", false, "Chance of Drizzle", nullptr, nullptr},
        {"999", false, "999", nullptr, nullptr},
    };
    Reply base = parseFeed(fixture("weather/feed-day.xml")).reply;
    for (const auto &row : rows) {
        Reply r = base;
        r.code = QString::fromLatin1(row.code);
        r.night = row.night;
        const QVariantMap m = forecastRecord(r, {}, {});
        EXPECT_EQ(m.value("condition").toString(), row.condition) << row.code;
        EXPECT_EQ(m.value("night").toString(), row.night ? "night" : "day");
        EXPECT_EQ(m.value("image"), row.image ? QVariant(QString(row.image)) : QVariant())
            << row.code;
        EXPECT_EQ(m.value("icon0"), row.icon0 ? QVariant(QString(row.icon0)) : QVariant())
            << row.code;
    }
}

// The feed's replies: indented and compact read alike, day and night; the first weatherCode is
// the current one, the third is day 1's icon; the current conditions' wind, humidity.
TEST(Forecast, FeedRepliesIndentedAndCompact)
{
    const struct
    {
        const char *file;
        const char *night, *condition, *image, *icon1, *tempMaximumC, *temp4CL, *windSpeed;
    } rows[] = {
        {"weather/feed-day.xml", "day", "Partly Cloudy", "Partly Sunny_day",
         "Scattered_Showers_icon.png", "9\u00b0", "-18\u00b0", "SW at 7"},
        {"weather/feed-night.xml", "night", "Clear", "Sunny_night", "Scattered_Showers_icon.png",
         "25\u00b0", "12\u00b0", "NNW at 15"},
    };
    for (const auto &row : rows) {
        const QByteArray indented = fixture(row.file);
        ASSERT_FALSE(indented.isEmpty()) << row.file;
        const QVariantMap m = recordOf(indented);
        EXPECT_EQ(m, recordOf(compact(indented))) << row.file;
        EXPECT_EQ(m.value("night").toString(), row.night);
        EXPECT_EQ(m.value("condition").toString(), row.condition);
        EXPECT_EQ(m.value("image").toString(), row.image);
        EXPECT_EQ(m.value("icon1").toString(), row.icon1);
        EXPECT_EQ(m.value("tempMaximumC").toString(), QString::fromUtf8(row.tempMaximumC));
        EXPECT_EQ(m.value("temp_4CL").toString(), QString::fromUtf8(row.temp4CL));
        EXPECT_EQ(m.value("windSpeed").toString(), row.windSpeed);
        EXPECT_EQ(m.value("day1").toString(), "Tue");
        EXPECT_EQ(m.value("day4").toString(), "Fri");
        EXPECT_FALSE(m.contains("day5"));
    }
    const QVariantMap day = recordOf(fixture("weather/feed-day.xml"));
    EXPECT_EQ(day.value("humidity").toString(), "70 %");
    EXPECT_EQ(day.value("tempC").toString(), "9");
    EXPECT_EQ(day.value("tempF").toString(), "48");
    EXPECT_EQ(day.value("temp_4F").toString(), QString::fromUtf8("95\u00b0"));
    EXPECT_EQ(day.value("temp_3FL").toString(), QString::fromUtf8("-40\u00b0"));
    EXPECT_EQ(day.value("temp_3CL").toString(), QString::fromUtf8("-40\u00b0"));
}

// Only a whole forecast is one: anything short of current temperatures and five dated days
// with maximum and minimum in range is refused; a sixth day changes nothing.
TEST(Forecast, FeedReplyMustBeWhole)
{
    const QByteArray good = fixture("weather/feed-day.xml");
    const QString text = QString::fromUtf8(good);
    const qsizetype lastDay = text.lastIndexOf(QStringLiteral("<weather>"));
    const QString sixth =
        text.mid(lastDay, text.indexOf(QStringLiteral("</weather>"), lastDay) + 10 - lastDay);
    const struct
    {
        const char *name;
        QString body;
        ParseStatus status;
    } rows[] = {
        {"whole", text, ParseStatus::Ok},
        {"sixth day", QString(text).replace(QStringLiteral("</data>"), sixth + "</data>"),
         ParseStatus::Ok},
        {"empty data", QStringLiteral("<data/>"), ParseStatus::Invalid},
        {"four days", QString(text).remove(lastDay, sixth.size()), ParseStatus::Invalid},
        {"truncated", text.left(text.size() / 2), ParseStatus::Invalid},
        {"no current temperature", QString(text).remove(QStringLiteral("<temp_F>48</temp_F>")),
         ParseStatus::Invalid},
        {"out of range", QString(text).replace(QStringLiteral("<tempMaxF>95<"), "<tempMaxF>201<"),
         ParseStatus::Invalid},
        {"not a number", QString(text).replace(QStringLiteral("<tempMinF>30<"), "<tempMinF>n/a<"),
         ParseStatus::Invalid},
        {"bad date", QString(text).replace(QStringLiteral("2026-12-09"), "9 Dec"),
         ParseStatus::Invalid},
        {"html", QStringLiteral("<html><body>Bad gateway</body></html>"), ParseStatus::Invalid},
        {"unavailable", QStringLiteral("The service is unavailable."), ParseStatus::Invalid},
        {"error",
         QStringLiteral("<data><error><msg>Unable to find any matching weather "
                        "location to the query submitted!</msg></error></data>"),
         ParseStatus::ServiceError},
    };
    const QVariantMap whole = recordOf(good);
    for (const auto &row : rows) {
        const ParseResult r = parseFeed(row.body.toUtf8());
        EXPECT_EQ(r.status, row.status) << row.name;
        if (r.status == ParseStatus::Ok) {
            EXPECT_EQ(forecastRecord(r.reply, "Paris", "France"), whole) << row.name;
        }
    }
}

// Every WMO code the keyless service sends maps onto a condition of the feed's table with a
// picture, so the clock shows an icon for each.
TEST(Forecast, EveryWmoCodeHasAConditionWithAPicture)
{
    const int documented[] = {0,  1,  2,  3,  45, 48, 51, 53, 55, 56, 57, 61, 63, 65,
                              66, 67, 71, 73, 75, 77, 80, 81, 82, 85, 86, 95, 96, 99};
    for (int wmo : documented) {
        const std::optional<QString> code = feedCodeForWmo(wmo);
        ASSERT_TRUE(code) << wmo;
        EXPECT_TRUE(categoryForCondition(conditionForCode(*code))) << wmo;
    }
    EXPECT_FALSE(feedCodeForWmo(4));
    // A few by meaning: clear sky is sunny, fog is fog, heavy hail is a thunderstorm.
    EXPECT_EQ(conditionForCode(*feedCodeForWmo(0)), "Sunny");
    EXPECT_EQ(conditionForCode(*feedCodeForWmo(45)), "Fog");
    EXPECT_EQ(conditionForCode(*feedCodeForWmo(99)), "Thunderstorm");
    EXPECT_EQ(conditionForCode(*feedCodeForWmo(75)), "Heavy snow");
}

// The keyless replies of two places in different hemispheres fill the same record.
TEST(Forecast, KeylessRepliesFillTheSameRecord)
{
    const struct
    {
        const char *file;
        const char *tempF, *tempC, *night, *condition, *image, *tempMaximumF, *tempMaximumC, *icon1,
            *windSpeed, *humidity, *visibility, *pressure, *day1;
    } rows[] = {
        {"weather/open-forecast-paris.json", "42", "5", "night", "Clear", "Sunny_night", "48\u00b0",
         "9\u00b0", "Scattered_Showers_icon.png", "SW at 7", "87 %", "24", "1019", "Wed"},
        {"weather/open-forecast-wellington.json", "61", "16", "day", "Partly Cloudy",
         "Partly Sunny_day", "65\u00b0", "18\u00b0", "Thunderstorm_icon.png", "NNW at 19", "68 %",
         "25", "1009", "Wed"},
    };
    for (const auto &row : rows) {
        const ParseResult r = parseOpenMeteo(fixture(row.file));
        ASSERT_EQ(r.status, ParseStatus::Ok) << row.file;
        const QVariantMap m = forecastRecord(r.reply, "X", "Y");
        EXPECT_EQ(m.value("tempF").toString(), row.tempF) << row.file;
        EXPECT_EQ(m.value("tempC").toString(), row.tempC) << row.file;
        EXPECT_EQ(m.value("night").toString(), row.night) << row.file;
        EXPECT_EQ(m.value("condition").toString(), row.condition) << row.file;
        EXPECT_EQ(m.value("image").toString(), row.image) << row.file;
        EXPECT_EQ(m.value("tempMaximumF").toString(), QString::fromUtf8(row.tempMaximumF));
        EXPECT_EQ(m.value("tempMaximumC").toString(), QString::fromUtf8(row.tempMaximumC));
        EXPECT_EQ(m.value("icon1").toString(), row.icon1) << row.file;
        EXPECT_EQ(m.value("windSpeed").toString(), row.windSpeed) << row.file;
        EXPECT_EQ(m.value("humidity").toString(), row.humidity) << row.file;
        EXPECT_EQ(m.value("visibility").toString(), row.visibility) << row.file;
        EXPECT_EQ(m.value("pressure").toString(), row.pressure) << row.file;
        EXPECT_EQ(m.value("day1").toString(), row.day1) << row.file;
        EXPECT_EQ(m.value("city").toString(), "X");
        EXPECT_EQ(m.value("state").toString(), "Y");
    }
    EXPECT_EQ(parseOpenMeteo(R"({"error":true,"reason":"Latitude must be in range"})").status,
              ParseStatus::ServiceError);
    EXPECT_EQ(parseOpenMeteo("<html/>").status, ParseStatus::Invalid);
}
