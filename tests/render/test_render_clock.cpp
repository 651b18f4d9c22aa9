// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alarm/alarmviewcontroller.h"
#include "alarm/budilinikcontroller.h"
#include "platform/plist.h"

#include <gtest/gtest.h>

#include <QQuickView>
#include <QWheelEvent>

namespace {

class ClockRender : public RenderTest
{
};

QVariantMap forecast(const char *city, const char *currentIcon, const char *night)
{
    return {{"city", city},
            {"state", "Somewhere"},
            {"tempC", "-3"},
            {"tempF", "27"},
            {"tempMaximumC", "2\u00b0"},
            {"tempMinimumC", "-6\u00b0"},
            {"tempMaximumF", "36\u00b0"},
            {"tempMinimumF", "21\u00b0"},
            {"icon1", "Snow_icon.png"},
            {"icon0", currentIcon},
            {"night", night}};
}

TEST_P(ClockRender, WithAndWithoutWeatherInBothUnitsDayAndNight)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    const QString cache = h.app().folders().documents + "/forecastList.plist";
    ASSERT_TRUE(h.viewController().showClock());
    auto *clock = qobject_cast<BudilinikController *>(h.viewController().presentedScreen());
    ASSERT_NE(clock, nullptr);
    clock->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(h.viewController().presentedView(),
              GetParam().idiom == 1 ? "ClockTablet.qml" : "ClockPhone.qml");
    EXPECT_TRUE(h.viewController().wheelHidden());
    RenderHarness::settle();
    EXPECT_TRUE(clock->secTimer().isActive());
    EXPECT_FALSE(clock->weatherVisible());
    ASSERT_TRUE(h.shoot("clock-no-weather"));

    ASSERT_TRUE(plist::writeFile(cache, forecast("Reykjavik", "Partly_Sunny_day_icon.png", "day")));
    clock->update();
    RenderHarness::settle(100);
    EXPECT_EQ(clock->currentTemp(), "-3C");
    EXPECT_FALSE(clock->weatherImg().isEmpty());
    ASSERT_TRUE(h.shoot("clock-celsius-day"));

    ASSERT_TRUE(plist::writeFile(cache, forecast("Wellington", "Sunny_night_icon.png", "night")));
    EXPECT_FALSE(clock->changeTempformat());
    // Charging in the higher-precision mode, and dimmed by the two-finger drag.
    clock->updateInfo({{"Device Charging", true},
                       {"Design Capacity", 3000},
                       {"Current Capacity", 1800},
                       {"Charger Current", 800},
                       {"Time To Full", 1.5}});
    clock->touchesBegan(150, 300, 2);
    for (int y = 320; y <= 400; y += 20)
        clock->touchesMoved(150, y, 2);
    clock->touchesEnded();
    RenderHarness::settle(100);
    EXPECT_EQ(clock->currentTemp(), "27F");
    EXPECT_TRUE(clock->needTimeVisible());
    // No backlight in this tree: the veil dims by five steps of 0.04.
    EXPECT_NEAR(clock->dimOpacity(), 0.2, 1e-9);
    ASSERT_TRUE(h.shoot("clock-fahrenheit-night-charging"));

    // Without a touchscreen: a wheel notch up over the clock face, then the keys.
    QQuickView &view = h.window().view();
    const QPointF middle(view.width() / 2.0, view.height() / 2.0);
    QWheelEvent notch(middle, view.mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &notch);
    EXPECT_NEAR(clock->dimOpacity(), 0.16, 1e-9);
    EXPECT_TRUE(h.viewController().keyPressed(Qt::Key_Up, Qt::NoModifier));
    EXPECT_NEAR(clock->dimOpacity(), 0.12, 1e-9);
    EXPECT_TRUE(h.viewController().keyPressed(Qt::Key_Down, Qt::NoModifier));
    EXPECT_NEAR(clock->dimOpacity(), 0.16, 1e-9);
    RenderHarness::settle(100);
    ASSERT_TRUE(h.shoot("clock-dimmed-by-wheel-and-keys"));

    // The settings screen over the clock, whose seconds stop meanwhile.
    clock->goToAlarmView();
    RenderHarness::settle();
    EXPECT_FALSE(clock->secTimer().isActive());
    ASSERT_TRUE(h.shoot("clock-settings"));
    clock->alarm()->goBack();
    RenderHarness::settle(100);
    EXPECT_TRUE(clock->firstTimer().isActive() || clock->secTimer().isActive());

    clock->goBAck();
    // The screen gets its brightness back as the clock closes.
    EXPECT_NEAR(clock->dimOpacity(), 0.0, 1e-9);
    RenderHarness::settle(300);
    EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    EXPECT_FALSE(h.viewController().wheelHidden());
}

INSTANTIATE_TEST_SUITE_P(Layouts, ClockRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
