// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "appearance/whellcontroller.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

class RenderWheel : public RenderTest
{
protected:
    static WhellController &wheelOf(RenderHarness &h)
    {
        auto *wheel = qobject_cast<WhellController *>(h.viewController().whell());
        EXPECT_NE(wheel, nullptr);
        return *wheel;
    }

    // A point on the wheel's ring at theta degrees from straight up, in the wheel view's points.
    static QPointF onRing(const WhellController &wheel, double theta)
    {
        const QRectF frame = wheel.wheelRect();
        const double r = frame.width() * 0.42;
        const double t = theta * std::numbers::pi / 180;
        return frame.center() + QPointF(r * std::sin(t), -r * std::cos(t));
    }
};

TEST_P(RenderWheel, EveryPage)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    WhellController &wheel = wheelOf(h);
    RenderHarness::settle(300);
    EXPECT_EQ(wheel.currentPage(), 2);
    EXPECT_EQ(h.viewController().currentPage(), 2);

    const struct
    {
        void (WhellController::*go)();
        int page;
        const char *name;
    } stops[] = {
        {&WhellController::gotoTips, 0, "wheel-tips"},
        {&WhellController::gotoCalendar, 1, "wheel-calendar"},
        {&WhellController::gotoBattery, 2, "wheel-battery"},
        {&WhellController::gotoCharging, 3, "wheel-charging"},
        {&WhellController::gotoSettings, 4, "wheel-settings"},
    };
    for (const auto &stop : stops) {
        (wheel.*stop.go)();
        RenderHarness::settle(500);
        EXPECT_EQ(wheel.currentPage(), stop.page) << stop.name;
        EXPECT_EQ(h.viewController().currentPage(), stop.page) << stop.name;
        EXPECT_TRUE(wheel.highlightVisible()) << stop.name;
        ASSERT_TRUE(h.shoot(stop.name)) << stop.name;
    }
    wheel.gotoActivityMonitor();
    RenderHarness::settle(500);
    EXPECT_EQ(h.viewController().currentPage(), 5);
    ASSERT_TRUE(h.shoot("wheel-monitor"));
}

TEST_P(RenderWheel, MidTurn)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    WhellController &wheel = wheelOf(h);
    RenderHarness::settle(300);
    // A finger on the ring, part way between the battery and the calendar.
    QPointF p = onRing(wheel, 0);
    wheel.touchBegan(p.x(), p.y(), 1);
    for (int theta = 2; theta <= 14; theta += 2) {
        p = onRing(wheel, theta);
        wheel.touchMoved(p.x(), p.y());
    }
    RenderHarness::settle(300);
    EXPECT_NEAR(wheel.imageAngle(), 14, 1e-3);
    EXPECT_FALSE(wheel.highlightVisible());
    ASSERT_TRUE(h.shoot("wheel-midturn"));
    wheel.touchEnded();
    RenderHarness::settle(500);
    EXPECT_EQ(wheel.currentPage(), 1);
}

TEST_P(RenderWheel, DeviceIsFullAlert)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    WhellController &wheel = wheelOf(h);
    RenderHarness::settle(300);
    h.battery().set(1.0, 3);
    h.battery().notifyChange();
    RenderHarness::settle(400);
    EXPECT_TRUE(wheel.alertVisible());
    ASSERT_TRUE(h.shoot("wheel-full-alert"));
    wheel.dismissAlert();
    RenderHarness::settle(400);
    EXPECT_FALSE(wheel.alertVisible());
}

TEST_P(RenderWheel, CircularMouseDragTurnsToThePage)
{
    // Through the real window: a press on the ring and a drag round to the right of the top
    // turns the wheel anticlockwise, towards the charging page.
    RenderHarness h(GetParam(), platformFor(GetParam()));
    WhellController &wheel = wheelOf(h);
    RenderHarness::settle(300);
    QQuickView &view = h.window().view();
    const double scale = view.width() / double(h.viewController().screenWidth());
    auto toWindow = [&](QPointF wheelPoint) {
        const QPointF design = wheelPoint + QPointF(0, h.viewController().wheelTop());
        return (design * scale).toPoint();
    };
    QTest::mousePress(&view, Qt::LeftButton, {}, toWindow(onRing(wheel, 0)));
    for (int theta = -3; theta >= -24; theta -= 3)
        QTest::mouseMove(&view, toWindow(onRing(wheel, theta)));
    RenderHarness::settle(100);
    EXPECT_LT(wheel.imageAngle(), -15);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, toWindow(onRing(wheel, -24)));
    RenderHarness::settle(500);
    EXPECT_EQ(wheel.currentPage(), 3);
    EXPECT_EQ(h.viewController().currentPage(), 3);

    // The monitor button.
    const QRectF button = wheel.monitorRect();
    QTest::mouseClick(&view, Qt::LeftButton, {}, toWindow(button.center()));
    RenderHarness::settle(300);
    EXPECT_EQ(h.viewController().currentPage(), 5);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RenderWheel, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
