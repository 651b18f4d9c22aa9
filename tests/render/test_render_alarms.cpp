// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alarm/alarmcell.h"
#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmstore.h"
#include "alarm/alarmviewcontroller.h"
#include "alerts/alertsettings.h"
#include "platform/userdefaults.h"
#include "weather/localhttpserver.h"
#include "weather/placesearch.h"
#include "weather/weatherviewcontroller.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

namespace {

class AlarmsRender : public RenderTest
{
protected:
    static AlarmViewController *open(RenderHarness &h)
    {
        h.viewController().gotoView(4);
        h.viewController().showAlarms();
        auto *screen = qobject_cast<AlarmViewController *>(h.viewController().presentedScreen());
        // The texts as a British user reads them, whatever the machine that draws them.
        if (screen)
            screen->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        RenderHarness::settle();
        return screen;
    }
};

TEST_P(AlarmsRender, EmptyScreenWithTheTimePickerAndTheWeatherPanel)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    AlarmViewController *screen = open(h);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(h.viewController().presentedView(),
              GetParam().idiom == 1 ? "AlarmsTablet.qml" : "AlarmsPhone.qml");
    EXPECT_TRUE(h.viewController().wheelHidden());
    EXPECT_EQ(screen->numberOfRows(), 0);
    ASSERT_TRUE(h.shoot("alarms-empty"));

    AlertSettings *settings = screen->alertSettings();
    settings->turnOffAlertsBetwwen();
    settings->startOff();
    settings->selectTime(22, 30);
    RenderHarness::settle();
    EXPECT_TRUE(settings->timePickerVisible());
    EXPECT_EQ(settings->starLbl(), "22:30");
    ASSERT_TRUE(h.shoot("alarms-time-picker"));
    settings->startOff();
    EXPECT_FALSE(settings->timePickerVisible());

    settings->ChangeLocation();
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("alarms-weather-panel"));
    settings->hideWeatherview();
    RenderHarness::settle();

    // Back: the alert settings are written, the screen closes and the wheel returns.
    screen->goBack();
    RenderHarness::settle(300);
    EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    EXPECT_FALSE(h.viewController().wheelHidden());
}

TEST_P(AlarmsRender, TwoAlarmsOneBrokenAndTheEditor)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    AlarmStore store(h.app().platform().defaults);
    std::array<bool, 7> weekdays{false, true, true, true, true, true, false};
    ASSERT_TRUE(store.append(AlarmStore::makeRecord(QDateTime(QDate(2024, 3, 6), QTime(6, 45)),
                                                    false, QStringLiteral("Chime.caf"), weekdays)));
    // A record another version wrote badly: no "ora".
    ASSERT_TRUE(store.append(QVariantMap{{"OnOff", false}, {"repeat", QStringLiteral("daily")}}));

    AlarmViewController *screen = open(h);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->numberOfRows(), 2);
    EXPECT_NE(screen->cellForRow(0)->timeLbl(), AlarmCell::kTimeUnknown);
    EXPECT_EQ(screen->cellForRow(1)->timeLbl(), AlarmCell::kTimeUnknown);
    EXPECT_FALSE(screen->cellForRow(1)->switchSelected());
    ASSERT_TRUE(h.shoot("alarms-two"));

    AlarmNewViewController *editor = screen->alarm();
    screen->addNewAlarm();
    editor->pickDate(1, 7, 30);
    RenderHarness::settle();
    EXPECT_TRUE(editor->shown());
    EXPECT_EQ(editor->pickerHour(), 7);
    ASSERT_TRUE(h.shoot("alarm-editor"));

    // A tap on the row below the chosen minute picks that minute.
    auto *minutes = h.window().view().rootObject()->findChild<QQuickItem *>("minuteWheel");
    ASSERT_NE(minutes, nullptr);
    const double rowHeight = minutes->property("rowHeight").toDouble();
    const QPointF below =
        minutes->mapToScene(QPointF(minutes->width() / 2, minutes->height() / 2 + rowHeight));
    QTest::mouseClick(&h.window().view(), Qt::LeftButton, {}, below.toPoint());
    RenderHarness::settle();
    EXPECT_EQ(editor->pickerMinute(), 31);
    EXPECT_EQ(editor->pickerHour(), 7);

    editor->addDayView();
    editor->toggleDay(1);
    editor->toggleDay(3);
    editor->toggleDay(5);
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("alarm-editor-days"));
    editor->removeDAyView();

    editor->toggleVibrating();
    editor->selectMusic();
    RenderHarness::settle();
    EXPECT_EQ(editor->numberOfRows(), 3);
    ASSERT_TRUE(h.shoot("alarm-editor-sounds"));
    editor->didSelectRow(1);
    RenderHarness::settle();
    EXPECT_FALSE(editor->musicViewVisible());
    ASSERT_TRUE(h.shoot("alarm-editor-chosen"));

    editor->save();
    RenderHarness::settle();
    EXPECT_FALSE(editor->shown());
    ASSERT_EQ(screen->numberOfRows(), 3);
    EXPECT_EQ(store.record(2).value("repeat").toMap().value("3"), QVariant(true));
    screen->onOffAlarm(0);
    RenderHarness::settle();
    EXPECT_FALSE(screen->cellForRow(0)->switchSelected());
    ASSERT_TRUE(h.shoot("alarms-three"));
}

// The weather panel: places found by name from a local service, the pick, the forecast with
// the units chosen, and the alert of a failed request.
TEST_P(AlarmsRender, WeatherPanelSearchPickAndForecast)
{
    LocalHttpServer server;
    QFile forecast(fixturePath("weather/feed-day.xml"));
    ASSERT_TRUE(forecast.open(QIODevice::ReadOnly));
    server.route("/feed/weather.ashx", {200, forecast.readAll()});
    server.route("/search",
                 {200, "<geonames><totalResultsCount>3</totalResultsCount>"
                       "<geoname><name>Paris</name><countryName>France</countryName>"
                       "<fcodeName>capital of a political entity</fcodeName><lat>48.85</lat>"
                       "<lng>2.35</lng></geoname>"
                       "<geoname><name>Paris</name><countryName>United States</countryName>"
                       "<fcodeName>seat of a second-order administrative division</fcodeName>"
                       "<lat>33.66</lat><lng>-95.56</lng></geoname>"
                       "<geoname><name>Parisot</name><countryName>France</countryName>"
                       "<fcodeName>populated place</fcodeName><lat>44.26</lat><lng>1.85</lng>"
                       "</geoname></geonames>"});
    server.route("/postalCodeSearch", {200, "<geonames><totalResultsCount>0</totalResultsCount>"
                                            "</geonames>"});
    RenderHarness h(GetParam(), platformFor(GetParam()));
    UserDefaults &defaults = h.app().platform().defaults;
    defaults.setValue("weatherSource", "feed");
    defaults.setValue("weatherEndpoint", server.base());
    defaults.setValue("weatherKey", "k");
    defaults.setValue("placesEndpoint", server.base());
    defaults.setValue("placesUser", "powerdeck");
    AlarmViewController *screen = open(h);
    ASSERT_NE(screen, nullptr);
    WeatherViewController *weather = screen->WeatherController();
    weather->setSelectDelayMs(0);
    PlaceSearch *search = weather->placeSearch();
    search->setDebounceMs(0);

    screen->alertSettings()->ChangeLocation();
    RenderHarness::settle();
    search->extendView();
    search->textChanged("Paris");
    ASSERT_TRUE(waitUntil([&] { return search->numberOfRows() == 3; }));
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("alarms-weather-places"));

    search->didSelectRow(0);
    ASSERT_TRUE(waitUntil([&] { return !weather->busy(); }));
    RenderHarness::settle();
    EXPECT_FALSE(screen->alertSettings()->weatherViewVisible());
    EXPECT_EQ(screen->alertSettings()->CurLocation(), "Paris");
    ASSERT_TRUE(h.shoot("alarms-weather-city"));

    screen->alertSettings()->ChangeLocation();
    weather->celsiusOrFarengheit(1);
    weather->kmOrMph(1);
    RenderHarness::settle();
    EXPECT_EQ(weather->forecastTemps().value(0), QString::fromUtf8("6\u00b0"));
    ASSERT_TRUE(h.shoot("alarms-weather-forecast"));

    server.route("/feed/weather.ashx", {500, "busy"});
    weather->FunctiaMeafloatLat(-41.29, 174.78);
    ASSERT_TRUE(waitUntil([&] { return !weather->busy(); }));
    RenderHarness::settle();
    EXPECT_TRUE(weather->alertVisible());
    ASSERT_TRUE(h.shoot("alarms-weather-alert"));
    weather->dismissAlert();
    screen->alertSettings()->hideWeatherview();
    RenderHarness::settle();
}

INSTANTIATE_TEST_SUITE_P(Layouts, AlarmsRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
