// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/whellcontroller.h"

#include "core/appstate.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "appearance_tests";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

struct PageRecorder : WheelDelegate
{
    std::vector<int> pages;
    void gotoView(int page) override { pages.push_back(page); }
};

QVariantMap reading(double level, int state)
{
    return {{"batteryLevel", level}, {"batteryState", state}};
}

struct WheelFixture : ::testing::Test, TempPlatform
{
    std::unique_ptr<AppState> app;
    PageRecorder pages;

    void SetUp() override
    {
        ensureApp();
        QDir().mkpath(folders.documents);
        QDir().mkpath(folders.library);
        battery.set(0.5, 1);
        app = std::make_unique<AppState>(platform);
    }

    // A wheel past its opening turn, with a fixed day: 3 March, noon UTC.
    std::unique_ptr<WhellController> make(bool tablet = false)
    {
        auto wheel = std::make_unique<WhellController>(*app, tablet);
        wheel->setDelegate(&pages);
        wheel->completeTurn();
        pages.pages.clear();
        return wheel;
    }

    // Turns the wheel by degrees with a finger on the ring, in steps of at most 5 degrees.
    static void turnBy(WhellController &wheel, double degrees)
    {
        const QRectF frame = wheel.wheelRect();
        const QPointF mid = frame.center();
        const double r = frame.width() * 0.4;
        auto point = [&](double theta) {
            const double t = theta * std::numbers::pi / 180;
            return QPointF(mid.x() + r * std::sin(t), mid.y() - r * std::cos(t));
        };
        QPointF p = point(0);
        wheel.touchBegan(p.x(), p.y(), 1);
        const int steps = int(std::ceil(std::abs(degrees) / 5));
        for (int i = 1; i <= steps; ++i) {
            p = point(degrees * i / steps);
            wheel.touchMoved(p.x(), p.y());
        }
    }
};

TEST_F(WheelFixture, LoadsArmedOnTheBatteryPage)
{
    WhellController wheel(*app, false);
    wheel.setDelegate(&pages);
    EXPECT_TRUE(wheel.loaded());
    EXPECT_TRUE(wheel.verIfConnected());
    EXPECT_EQ(center.observerCount("restartAPP"), 2);
    ASSERT_NE(wheel.nrInfo(), nullptr);
    EXPECT_EQ(wheel.nrInfo()->delegate(), &wheel);
    ASSERT_NE(wheel.gestureRecognizer(), nullptr);
    EXPECT_EQ(wheel.gestureRecognizer()->target(), &wheel);

    // The opening turn runs for 0.2 s and then asks for the battery page.
    EXPECT_TRUE(wheel.turning());
    EXPECT_TRUE(wheel.turnTimer().isActive());
    EXPECT_TRUE(wheel.turnTimer().isSingleShot());
    EXPECT_EQ(wheel.turnTimer().interval(), 200);
    EXPECT_TRUE(pages.pages.empty());
    ASSERT_TRUE(QMetaObject::invokeMethod(&wheel.turnTimer(), "timeout"));
    EXPECT_EQ(pages.pages, std::vector<int>{2});
    EXPECT_FALSE(wheel.turning());
    EXPECT_EQ(wheel.currentPage(), 2);
    EXPECT_EQ(wheel.imageAngle(), 0);
    EXPECT_TRUE(wheel.highlightVisible());
    EXPECT_TRUE(wheel.highlightImage().endsWith("/1_battery-on_60x52.png"));
    EXPECT_TRUE(wheel.wheelImage().endsWith("library/1_wheel_320x320.png"));
    EXPECT_TRUE(wheel.knobImage().endsWith("/1_Knob-over_320x126.png"));
    EXPECT_TRUE(wheel.monitorImage().endsWith("/1_main-system-button_68x56.png"));
}

TEST_F(WheelFixture, RecogniserRingFollowsTheWheelPicture)
{
    for (bool tablet : {false, true}) {
        SCOPED_TRACE(tablet);
        auto wheel = make(tablet);
        const QRectF frame = wheel->wheelRect();
        EXPECT_EQ(frame.width(), tablet ? 768 : 320);
        EXPECT_EQ(frame.height(), frame.width());
        EXPECT_EQ(frame.y(), tablet ? 40 : 26); // below the drawer's handle
        const auto *r = wheel->gestureRecognizer();
        EXPECT_DOUBLE_EQ(r->midPoint().x, frame.center().x());
        EXPECT_DOUBLE_EQ(r->midPoint().y, frame.center().y());
        EXPECT_DOUBLE_EQ(r->innerRadius(), frame.width() / 6);
        EXPECT_DOUBLE_EQ(r->outerRadius(), frame.width() / 2);
        // The highlight sits on the page symbol at the top of the wheel, inside the view.
        const QRectF h = wheel->highlightRect();
        EXPECT_DOUBLE_EQ(h.center().x(), frame.center().x());
        EXPECT_GT(h.top(), frame.top());
        EXPECT_LT(h.bottom(), tablet ? 240 : 150);
        EXPECT_TRUE(wheel->highlightImage().contains(tablet ? "2_battery_on_70x65.png"
                                                            : "1_battery-on_60x52.png"));
    }
}

TEST_F(WheelFixture, NoPageSymbolPassesUnderTheMonitorButton)
{
    for (bool tablet : {false, true}) {
        SCOPED_TRACE(tablet);
        auto wheel = make(tablet);
        const QRectF frame = wheel->wheelRect();
        const QRectF button = wheel->monitorRect();
        // The wheel picture puts the page symbols at four fifths of its radius, each a sixth of
        // the radius across.
        const double radius = frame.width() / 2;
        const double half = radius * 0.08;
        for (float pageAngle : {37.77f, 18.87f, 0.0f, -19.1f, -38.06f}) {
            for (float turn = -47.9f; turn <= 47.0f; turn += 0.5f) {
                const double t = double(turn - pageAngle) * std::numbers::pi / 180;
                const QPointF symbol = frame.center() + QPointF(0.8 * radius * std::sin(t),
                                                                -0.8 * radius * std::cos(t));
                const QRectF box(symbol - QPointF(half, half), QSizeF(2 * half, 2 * half));
                ASSERT_FALSE(box.intersects(button)) << pageAngle << " at " << turn;
            }
        }
    }
}

TEST_F(WheelFixture, TurningStopsAtTheLimits)
{
    auto wheel = make();
    turnBy(*wheel, 60);
    EXPECT_FLOAT_EQ(wheel->imageAngle(), 47);
    EXPECT_FLOAT_EQ(float(wheel->displayAngle()), 47);
    EXPECT_FALSE(wheel->highlightVisible());
    wheel->touchCancelled();

    auto other = make();
    turnBy(*other, -60);
    EXPECT_FLOAT_EQ(other->imageAngle(), -47.9f);
}

TEST_F(WheelFixture, ReleasingSettlesOnThePageOfTheSector)
{
    const struct
    {
        double releasedAt;
        int page;
        float angle;
        const char *highlight;
    } cases[] = {
        {25, 1, 18.87f, "1_calendar-on_60x52.png"},    {-5, 2, 0.0f, "1_battery-on_60x52.png"},
        {-25, 3, -19.1f, "1_recharge--on_60x52.png"},  {40, 0, 37.77f, "1_tips-on_60x52.png"},
        {-40, 4, -38.06f, "1_settigns--on_60x52.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.releasedAt);
        auto wheel = make();
        turnBy(*wheel, c.releasedAt);
        EXPECT_NEAR(wheel->imageAngle(), c.releasedAt, 1e-3);
        wheel->touchEnded();
        // The view turns to the page's angle; the page is asked for when the turn completes.
        EXPECT_TRUE(wheel->turning());
        EXPECT_FLOAT_EQ(float(wheel->displayAngle()), c.angle);
        EXPECT_FALSE(wheel->highlightVisible());
        EXPECT_TRUE(pages.pages.empty());
        wheel->completeTurn();
        EXPECT_EQ(pages.pages, std::vector<int>{c.page});
        EXPECT_FLOAT_EQ(wheel->imageAngle(), c.angle);
        EXPECT_TRUE(wheel->highlightVisible());
        EXPECT_TRUE(wheel->highlightImage().endsWith(c.highlight));
        pages.pages.clear();
    }
}

TEST_F(WheelFixture, ReleaseInAGapStaysWhereItIs)
{
    auto wheel = make();
    wheel->rotation(8.89f); // sine 0.1545: between the battery and the calendar sectors
    wheel->finalAngle(8.89f);
    EXPECT_FALSE(wheel->turning());
    EXPECT_FALSE(wheel->highlightVisible());
    EXPECT_FLOAT_EQ(wheel->imageAngle(), 8.89f);
    EXPECT_TRUE(pages.pages.empty());
}

TEST_F(WheelFixture, TwoFingersDoNotTurnTheWheel)
{
    auto wheel = make();
    const QPointF top = wheel->wheelRect().center() - QPointF(0, 100);
    wheel->touchBegan(top.x(), top.y(), 2);
    wheel->touchMoved(top.x() + 80, top.y() + 20);
    wheel->touchEnded();
    EXPECT_EQ(wheel->imageAngle(), 0);
    EXPECT_FALSE(wheel->turning());
    EXPECT_TRUE(pages.pages.empty());
}

TEST_F(WheelFixture, CatchingTheWheelWhileItSettlesContinuesFromThePage)
{
    auto wheel = make();
    wheel->rotation(25);
    wheel->finalAngle(25);
    ASSERT_TRUE(wheel->turning());
    wheel->rotation(-2);
    EXPECT_FALSE(wheel->turning());
    EXPECT_EQ(pages.pages, std::vector<int>{1});
    EXPECT_FLOAT_EQ(wheel->imageAngle(), 16.87f);
    EXPECT_FALSE(wheel->turnTimer().isActive());
}

TEST_F(WheelFixture, ButtonsGoToTheirPages)
{
    auto wheel = make();
    wheel->gotoActivityMonitor();
    EXPECT_EQ(pages.pages, std::vector<int>{5});
    EXPECT_FALSE(wheel->turning()); // the wheel does not turn for the monitor
    wheel->gotoTips();
    wheel->gotoSettings(); // the later turn replaces the one still running
    wheel->completeTurn();
    EXPECT_EQ(pages.pages, (std::vector<int>{5, 4}));
    EXPECT_FLOAT_EQ(wheel->imageAngle(), -38.06f);
}

TEST_F(WheelFixture, ChargingTurnsToTheChargingPageOnceUntilReArmed)
{
    auto wheel = make();
    wheel->updateNormInfo(reading(40, 2));
    EXPECT_FALSE(wheel->verIfConnected());
    // The angle is set before the turn starts.
    EXPECT_FLOAT_EQ(wheel->imageAngle(), -19.1f);
    wheel->completeTurn();
    EXPECT_EQ(pages.pages, std::vector<int>{3});

    wheel->gotoBattery();
    wheel->completeTurn();
    pages.pages.clear();
    wheel->updateNormInfo(reading(45, 2));
    wheel->updateNormInfo(reading(46, 1));
    EXPECT_FALSE(wheel->turning());
    EXPECT_FALSE(wheel->verIfConnected());
    wheel->updateNormInfo(reading(46, 0));
    EXPECT_TRUE(wheel->verIfConnected());
    wheel->updateNormInfo(reading(47, 2));
    wheel->completeTurn();
    EXPECT_EQ(pages.pages, std::vector<int>{3});
}

TEST_F(WheelFixture, FullIsSaidOnceUntilAnUnknownStateComes)
{
    auto wheel = make();
    QSignalSpy alerts(wheel.get(), &WhellController::alertChanged);
    battery.set(1.0, 3);
    battery.notifyChange();
    EXPECT_TRUE(wheel->alertVisible());
    EXPECT_EQ(wheel->alertTitle(), "Device is full");
    EXPECT_EQ(wheel->alertMessage(), "deconect please ");
    EXPECT_EQ(wheel->alertButton(), "ok");
    EXPECT_FALSE(wheel->verIfConnected());
    wheel->dismissAlert();
    EXPECT_FALSE(wheel->alertVisible());

    battery.notifyChange();
    EXPECT_FALSE(wheel->alertVisible());
    EXPECT_EQ(alerts.count(), 2);

    battery.set(-1, 0);
    battery.notifyChange();
    battery.set(1.0, 3);
    battery.notifyChange();
    EXPECT_TRUE(wheel->alertVisible());
    EXPECT_TRUE(pages.pages.empty());
}

TEST_F(WheelFixture, UnpluggedWhileArmedChangesNothing)
{
    auto wheel = make();
    wheel->updateNormInfo(reading(50, 1));
    EXPECT_TRUE(wheel->verIfConnected());
    EXPECT_FALSE(wheel->alertVisible());
    EXPECT_FALSE(wheel->turning());
    EXPECT_TRUE(pages.pages.empty());
}

TEST_F(WheelFixture, DetailedReadingsSayFullOnlyForAFullBatteryOncePerPlugIn)
{
    // Readings of the higher-precision mode as the wheel's reader takes them (the normal reading,
    // then the detailed one): level as a fraction, the state the kernel's status gives, mains.
    struct Step
    {
        double level;
        int state;
        bool mains;
    };
    const struct
    {
        const char *what;
        std::vector<Step> steps;
        int alerts;
    } cases[] = {
        {"on mains, status unknown, 80 %", {{0.8, 0, true}, {0.8, 0, true}, {0.8, 0, true}}, 0},
        {"plugged in, not charging, 80 %", {{0.8, 1, true}, {0.8, 1, true}}, 0},
        {"on mains, status unknown, 100 %", {{1.0, 0, true}, {1.0, 0, true}, {1.0, 0, true}}, 1},
        {"status full", {{0.97, 3, true}, {0.97, 3, true}}, 1},
        {"full, unplugged, plugged in again",
         {{1.0, 0, true}, {0.99, 1, false}, {1.0, 0, true}, {1.0, 0, true}},
         2},
    };
    app->setPrivat(true);
    battery.figures.remainingMah = 1500;
    battery.figures.designMah = 3000;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto wheel = make();
        int alerts = 0;
        for (const Step &step : c.steps) {
            battery.set(step.level, step.state);
            battery.figures.externalPower = step.mains;
            battery.notifyChange();
            if (wheel->alertVisible()) {
                ++alerts;
                wheel->dismissAlert();
            }
        }
        EXPECT_EQ(alerts, c.alerts);
    }
}

TEST_F(WheelFixture, RestartTearsDownAndKeepsTheHistory)
{
    auto wheel = make();
    QSignalSpy loaded(wheel.get(), &WhellController::loadedChanged);
    QSignalSpy readings(wheel.get(), &WhellController::batteryReading);
    wheel->updateNormInfo(reading(4, 1));
    wheel->gotoTips(); // a turn still running when the restart comes
    center.post("restartAPP");
    EXPECT_FALSE(wheel->loaded());
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
    EXPECT_EQ(wheel->gestureRecognizer(), nullptr);
    EXPECT_EQ(wheel->nrInfo(), nullptr);
    EXPECT_EQ(wheel->delegate(), nullptr);
    EXPECT_FALSE(wheel->turnTimer().isActive());
    EXPECT_EQ(readings.count(), 1);

    // Touches and readings that still arrive do nothing.
    wheel->touchBegan(160, 100, 1);
    wheel->touchMoved(200, 100);
    wheel->touchEnded();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 450) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    EXPECT_TRUE(pages.pages.empty());
    EXPECT_EQ(wheel->imageAngle(), 0);
    battery.set(0.03, 2);
    battery.notifyChange();
    EXPECT_EQ(readings.count(), 1);
}

TEST_F(WheelFixture, TheReaderFeedsTheWheel)
{
    auto wheel = make();
    QSignalSpy readings(wheel.get(), &WhellController::batteryReading);
    battery.set(0.03, 2);
    battery.notifyChange();
    ASSERT_EQ(readings.count(), 1);
    EXPECT_EQ(readings[0][0].toMap().value("batteryState").toInt(), 2);
    EXPECT_FALSE(wheel->verIfConnected());
    EXPECT_TRUE(wheel->turning());
}

} // namespace
