// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "battery/batterycontroller.h"

#include <gtest/gtest.h>

#include <QQuickView>
#include <QTest>

namespace {

class GaugeRender : public RenderTest
{
protected:
    static BatteryController *gauge(RenderHarness &h)
    {
        return qobject_cast<BatteryController *>(h.viewController().batteryController());
    }
    // Chooses a skin the way the skin chooser does: the interface is rebuilt around it.
    static void chooseSkin(RenderHarness &h, int skin)
    {
        h.app().setCurrentBattery(skin);
        h.notifications().post(QStringLiteral("restartAPP"));
        h.notifications().post(QStringLiteral("restartAPP1.5"));
        RenderHarness::settle(300);
    }
    static void setLevel(RenderHarness &h, int percent)
    {
        h.battery().set(percent / 100.0, 1);
        h.battery().notifyChange();
        RenderHarness::settle(400);
    }
    // Where the slider's thumb is, in window coordinates (the harness's window is the design
    // size, so points and pixels agree).
    static QPoint thumbInWindow(BatteryController &g)
    {
        const QRectF s = g.sliderFrame();
        const double along = g.thumbCenter() - s.width() / 2;
        const QPointF inCanvas = g.sliderRotation() == 0
                                     ? QPointF(s.center().x() + along, s.center().y())
                                     : QPointF(s.center().x(), s.center().y() - along);
        return QPointF(g.canvasX() + inCanvas.x() * g.canvasScale(),
                       g.canvasY() + inCanvas.y() * g.canvasScale())
            .toPoint();
    }
};

TEST_P(GaugeRender, EverySkinAtEmptyHalfAndFull)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    for (int skin = 0; skin < 5; ++skin) {
        chooseSkin(h, skin);
        BatteryController *g = gauge(h);
        ASSERT_NE(g, nullptr) << "skin " << skin;
        EXPECT_EQ(g->skin(), skin);
        EXPECT_EQ(g->isIpad(), layout.idiom == 1);
        h.viewController().gotoView(2);
        for (int percent : {0, 50, 100}) {
            setLevel(h, percent);
            EXPECT_DOUBLE_EQ(g->sliderValue(), percent);
            EXPECT_FLOAT_EQ(h.app().Level(), float(int(percent / 100.0f * g->capasity())));
            const QString name = QStringLiteral("skin%1-%2").arg(skin).arg(percent);
            ASSERT_TRUE(h.shoot(name)) << name.toStdString();
        }
    }
}

TEST_P(GaugeRender, BehindTheChargingPage)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    chooseSkin(h, 4);
    h.viewController().gotoView(3);
    setLevel(h, 70);
    ASSERT_TRUE(h.shoot("skin4-70-charging-page"));
}

TEST_P(GaugeRender, DraggingTheThumb)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    for (int skin : {0, 2}) {
        chooseSkin(h, skin);
        h.viewController().gotoView(2);
        setLevel(h, 40);
        BatteryController *g = gauge(h);
        ASSERT_NE(g, nullptr);
        const float level = h.app().Level();
        QWindow *window = &h.window().view();
        const QPoint from = thumbInWindow(*g);
        // Along the level: right for the classic cell, up for the upright sliders.
        const QPoint step = g->sliderRotation() == 0 ? QPoint(12, 0) : QPoint(0, -12);
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        RenderHarness::settle(50);
        EXPECT_TRUE(g->tracking()) << "skin " << skin;
        for (int i = 1; i <= 3; ++i) {
            QTest::mouseMove(window, from + step * i);
            RenderHarness::settle(30);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, from + step * 3);
        RenderHarness::settle(100);
        EXPECT_FALSE(g->tracking());
        EXPECT_GT(g->sliderValue(), 45) << "skin " << skin;
        EXPECT_FLOAT_EQ(h.app().Level(), level); // a drag is no reading
        ASSERT_TRUE(h.shoot(QStringLiteral("skin%1-dragged").arg(skin)));

        // A press well away from the thumb does not move it.
        const double before = g->sliderValue();
        const QPoint away = g->sliderRotation() == 0
                                ? from - QPoint(int(150 * g->canvasScale()), 0)
                                : from + QPoint(0, int(150 * g->canvasScale()));
        QTest::mouseClick(window, Qt::LeftButton, {}, away);
        RenderHarness::settle(50);
        EXPECT_DOUBLE_EQ(g->sliderValue(), before);
    }
}

TEST_P(GaugeRender, AnimationsPauseWhileHidden)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    for (int skin : {1, 4}) {
        chooseSkin(h, skin);
        BatteryController *g = gauge(h);
        ASSERT_NE(g, nullptr);
        QTimer &timer = skin == 1 ? g->electronTimer() : g->rotorTimer();
        EXPECT_TRUE(timer.isActive());
        h.window().view().hide();
        RenderHarness::settle(100);
        EXPECT_FALSE(timer.isActive()) << "skin " << skin;
        h.window().view().show();
        RenderHarness::settle(100);
        EXPECT_TRUE(timer.isActive()) << "skin " << skin;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, GaugeRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
