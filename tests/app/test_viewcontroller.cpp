// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/carchingviewcontroller.h"
#include "alerts/settingsviewcontroller.h"
#include "app/appdelegate.h"
#include "app/navigation.h"
#include "app/viewcontroller.h"
#include "appearance/whellcontroller.h"
#include "monitor/monitorgauge.h"
#include "monitor/sysmonitorcontroller.h"

#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"
#include "shownrecorder.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

namespace {

using navigation::Drawer;
using navigation::pageOffset;

TEST(Navigation, PageOffsets)
{
    const struct
    {
        int page;
        bool tablet;
        double x, y;
    } cases[] = {
        {0, false, 0, 0},     {1, false, 320, 0},    {2, false, 640, 132}, {3, false, 960, 132},
        {4, false, 1280, 0},  {5, false, 1600, 166}, {0, true, 0, 0},      {1, true, 768, 0},
        {2, true, 1536, 316}, {3, true, 2304, 316},  {4, true, 3072, 0},   {5, true, 3840, 316},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << (c.tablet ? " tablet" : " phone"));
        EXPECT_DOUBLE_EQ(pageOffset(c.page, c.tablet).x, c.x);
        EXPECT_DOUBLE_EQ(pageOffset(c.page, c.tablet).y, c.y);
    }
}

TEST(Navigation, DrawerFollowsTheFingerInsideItsBand)
{
    const Drawer phone{480, false};
    EXPECT_DOUBLE_EQ(phone.follow(330, 400), 400);
    EXPECT_DOUBLE_EQ(phone.follow(330, 330), 330); // exactly H - 150 is outside the band
    EXPECT_DOUBLE_EQ(phone.follow(400, 454), 400); // exactly H - 26 as well
    EXPECT_DOUBLE_EQ(phone.follow(400, 200), 400);
    const Drawer tablet{1024, true};
    EXPECT_DOUBLE_EQ(tablet.follow(800, 900), 900);
    EXPECT_DOUBLE_EQ(tablet.follow(800, 984), 800);
    EXPECT_TRUE(phone.releaseGoesDown(400));
    EXPECT_FALSE(phone.releaseGoesDown(300));
    EXPECT_FALSE(phone.releaseGoesDown(360));
    EXPECT_TRUE(tablet.releaseGoesDown(875));
}

TEST(Navigation, DrawerSnapsOnePointPerTick)
{
    for (const Drawer d : {Drawer{480, false}, Drawer{568, false}, Drawer{1024, true}}) {
        double top = d.followTop() + 20;
        int ticks = 0;
        while (d.stepDown(top))
            ++ticks;
        EXPECT_DOUBLE_EQ(top, d.closedTop());
        EXPECT_EQ(ticks, int(d.closedTop() - (d.followTop() + 20)));
        ticks = 0;
        while (d.stepUp(top))
            ++ticks;
        EXPECT_DOUBLE_EQ(top, d.openTop());
        EXPECT_EQ(ticks, int(d.closedTop() - d.openTop()));
        EXPECT_FALSE(d.stepUp(top)); // arrived: nothing moves
    }
}

struct MainScreenFixture : ::testing::Test, TempPlatform
{
    std::unique_ptr<AppDelegate> app;
    QList<QPointer<ViewController>> screens;
    bool tablet = false;
    int height = 480;

    void SetUp() override
    {
        ensureCoreApplication(); // before the screen starts its timers
        app = std::make_unique<AppDelegate>(platform, [this](AppDelegate &a, int) {
            auto vc = std::make_unique<ViewController>(a.state(), tablet, height);
            screens << vc.get();
            return std::unique_ptr<QObject>(std::move(vc));
        });
        app->didFinishLaunching();
    }
    ViewController &vc() { return *screens.last(); }
    static void spin(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
    }
};

TEST_F(MainScreenFixture, OpensOnTheBatteryPageWithItsTimers)
{
    EXPECT_EQ(vc().currentPage(), 2);
    EXPECT_DOUBLE_EQ(vc().pageX(), 640);
    EXPECT_DOUBLE_EQ(vc().pageY(), 132);
    EXPECT_TRUE(vc().mainTimer().isActive());
    EXPECT_EQ(vc().mainTimer().interval(), 30000);
    EXPECT_FALSE(vc().snapTimer().isActive());
    EXPECT_EQ(vc().snapTimer().interval(), 3);
    vc().gotoView(5);
    EXPECT_DOUBLE_EQ(vc().pageX(), 1600);
    EXPECT_DOUBLE_EQ(vc().pageY(), 166);
    vc().gotoView(9); // no such page: nothing moves
    EXPECT_EQ(vc().currentPage(), 5);
    EXPECT_FALSE(vc().loading());
}

TEST_F(MainScreenFixture, NeighbourPagesComeAfterTheFirstFrameOneAtATime)
{
    // The first frame has only the battery page with its summary panel.
    EXPECT_EQ(vc().createdPages(), 1 << 2);
    EXPECT_NE(vc().bottomController(), nullptr);
    // A page asked for before its turn is there at once.
    vc().gotoView(4);
    EXPECT_EQ(vc().createdPages(), 1 << 2 | 1 << 4);

    QSignalSpy created(&vc(), &ViewController::createdPagesChanged);
    vc().createDeferredPages();
    EXPECT_EQ(created.count(), 0); // nothing on the caller's turn
    const auto settled = [this] { return (vc().wantedPages() & ~vc().createdPages()) == 0; };
    for (int i = 0; i < 100 && !settled(); ++i)
        spin(5);
    // The shown page's neighbours, one by one; the tips page waits until it is near.
    EXPECT_EQ(vc().createdPages(), 1 << 2 | 1 << 3 | 1 << 4 | 1 << 5);
    EXPECT_EQ(created.count(), 2);
    // A move to the calendar brings the pages it passes and the tips beside it.
    vc().gotoView(1);
    for (int i = 0; i < 100 && !settled(); ++i)
        spin(5);
    EXPECT_TRUE(vc().allPagesCreated());

    // A screen torn down before its pages came creates no more.
    center.post("restartAPP1.5");
    spin(60);
    ASSERT_EQ(screens.size(), 2);
    QSignalSpy fresh(&vc(), &ViewController::createdPagesChanged);
    vc().createDeferredPages();
    center.post("restartAPP1.5");
    spin(60);
    EXPECT_EQ(fresh.count(), 0);
}

TEST_F(MainScreenFixture, SnappingPausesWhileTheWindowIsHidden)
{
    vc().touchesBegan(400);
    vc().touchesEnded(400);
    vc().setWindowVisible(false);
    EXPECT_FALSE(vc().snapTimer().isActive());
    vc().setWindowVisible(true);
    EXPECT_TRUE(vc().snapTimer().isActive());
}

TEST_F(MainScreenFixture, LoadingOverlayFromAnotherThread)
{
    QThread *worker = QThread::create([this] { vc().runLoading(); });
    worker->start();
    worker->wait();
    delete worker;
    spin(20);
    EXPECT_TRUE(vc().loading());
    vc().stopLoading();
    spin(20);
    EXPECT_FALSE(vc().loading());
}

TEST_F(MainScreenFixture, PresentedScreensCloseAndTheWheelReturns)
{
    const struct
    {
        std::function<void()> open;
        const char *view;
        const char *back;
    } screens[] = {
        {[this] { vc().showDeviceInfo(); }, "DeviceInfoPhone.qml", "back"},
        {[this] { EXPECT_TRUE(vc().showHealth()); }, "HealthPhone.qml", "goBack"},
    };
    for (const auto &s : screens) {
        SCOPED_TRACE(s.view);
        s.open();
        ASSERT_NE(vc().presentedScreen(), nullptr);
        EXPECT_EQ(vc().presentedView(), s.view);
        EXPECT_TRUE(vc().wheelHidden());
        QMetaObject::invokeMethod(vc().presentedScreen(), s.back);
        spin(20);
        EXPECT_EQ(vc().presentedScreen(), nullptr);
        EXPECT_FALSE(vc().wheelHidden());
    }
}

TEST_F(MainScreenFixture, APresentedScreenIsShownOnlyWhileOnTopAndTheWindowIsVisible)
{
    auto owned = std::make_unique<ShownRecorder>();
    QPointer<ShownRecorder> screen = owned.get();
    vc().present(std::move(owned), QStringLiteral("TestPhone.qml"));
    vc().setWindowVisible(false);
    vc().setWindowVisible(true);
    vc().gotoView(3); // a page change under a presented screen does not touch it
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->log, "+-+");
    // Replacing it hides it before it goes; closing the next one and tearing down hide that too.
    auto next = std::make_unique<ShownRecorder>();
    QPointer<ShownRecorder> second = next.get();
    vc().present(std::move(next), QStringLiteral("TestPhone.qml"));
    ASSERT_TRUE(screen); // deleted later, not at once
    EXPECT_EQ(screen->log, "+-+-");
    vc().closePresented();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->log, "+-");
    auto third = std::make_unique<ShownRecorder>();
    QPointer<ShownRecorder> last = third.get();
    vc().present(std::move(third), QStringLiteral("TestPhone.qml"));
    app->platform().notifications.post(QStringLiteral("restartAPP1.5"));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->log, "+-");
}

TEST_F(MainScreenFixture, RestartChainBuildsANewScreenAndSilencesTheOld)
{
    QPointer<ViewController> old = &vc();
    QSignalSpy pages(old.data(), &ViewController::pageChanged);
    center.post("restartAPP1.5");
    EXPECT_FALSE(old->mainTimer().isActive());
    EXPECT_FALSE(old->snapTimer().isActive());
    EXPECT_EQ(screens.size(), 1); // the new screen comes 0.02 s later
    spin(60);
    ASSERT_EQ(screens.size(), 2);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(vc().currentPage(), 2);
    // A second restart notification reaches only the new screen.
    EXPECT_EQ(center.observerCount("restartAPP1.5"), 1);
}

TEST_F(MainScreenFixture, AReadingReachesTheSummaryPanelInTheSameCall)
{
    QObject *panel = vc().bottomController();
    ASSERT_NE(panel, nullptr);
    vc().createAllPages();
    auto *charging = qobject_cast<CarchingViewController *>(vc().pageController(3));
    ASSERT_NE(charging, nullptr);
    EXPECT_EQ(vc().pageViewName(3), "Charging");
    vc().currentLevel(42.0f);
    EXPECT_EQ(panel->property("procentsLabel").toString(), "42%");
    EXPECT_EQ(charging->procentsLbl(), "42%");
    EXPECT_DOUBLE_EQ(charging->padlojkaX(), 42 * 0.53 - 260);
    battery.figures.hasBattery = true;
    vc().app().batteryMonitor().sample();
    vc().currentLevel(-100.0f);
    EXPECT_EQ(panel->property("procentsLabel").toString(), "--%");
}

TEST_F(MainScreenFixture, APageMadeAfterAReadingStartsFromIt)
{
    ASSERT_FALSE(vc().isPageCreated(3));
    vc().currentLevel(42.0f);
    vc().createAllPages();
    auto *charging = qobject_cast<CarchingViewController *>(vc().pageController(3));
    ASSERT_NE(charging, nullptr);
    EXPECT_EQ(charging->procentsLbl(), "42%");
    EXPECT_DOUBLE_EQ(charging->padlojkaX(), 42 * 0.53 - 260);
}

TEST_F(MainScreenFixture, SettingsMenuHidesTheWheelOnlyForAScreenThatOpens)
{
    vc().gotoView(4);
    auto *menu = qobject_cast<SettingsViewController *>(vc().pageController(4));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(vc().pageViewName(4), "Settings");
    const struct
    {
        const char *what;
        bool (SettingsViewController::*action)();
    } cases[] = {
        {"device info", &SettingsViewController::gotoDeviceInfo},
        {"battery health", &SettingsViewController::batthealth},
        {"alerts", &SettingsViewController::gotoAlerts},
        {"appearance", &SettingsViewController::gotoAppearance},
    };
    int opened = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const bool presented = (menu->*c.action)();
        opened += presented;
        EXPECT_EQ(vc().presentedScreen() != nullptr, presented);
        EXPECT_EQ(vc().wheelHidden(), presented);
        vc().closePresented();
        spin(10);
        EXPECT_FALSE(vc().wheelHidden());
    }
    EXPECT_GE(opened, 2); // device info and the alerts open in any build
}

TEST_F(MainScreenFixture, TheChargingPagesSleepButtonOpensTheClock)
{
    vc().gotoView(3);
    auto *charging = qobject_cast<CarchingViewController *>(vc().pageController(3));
    ASSERT_NE(charging, nullptr);
    charging->gotoBudilinik();
    EXPECT_EQ(vc().presentedView(), "ClockPhone.qml");
    EXPECT_TRUE(vc().wheelHidden());
}

TEST_F(MainScreenFixture, LeavingTheAlertSettingsShowsTheWheelBeforeTheScreenCloses)
{
    ASSERT_TRUE(vc().showAlarms());
    EXPECT_TRUE(vc().wheelHidden());
    ASSERT_TRUE(QMetaObject::invokeMethod(vc().presentedScreen(), "goBack"));
    EXPECT_FALSE(vc().wheelHidden());
    EXPECT_NE(vc().presentedScreen(), nullptr); // closed on the next turn
    spin(20);
    EXPECT_EQ(vc().presentedScreen(), nullptr);
}

TEST_F(MainScreenFixture, TheMenusReduceMotionSlowsTheMonitorGauges)
{
    vc().gotoView(4);
    vc().gotoView(5);
    auto *menu = qobject_cast<SettingsViewController *>(vc().pageController(4));
    auto *monitor = qobject_cast<sysMonitorController *>(vc().pageController(5));
    ASSERT_TRUE(menu && monitor);
    std::vector<int> own;
    for (QObject *g : {monitor->cpuG(), monitor->ramG(), monitor->hddG(), monitor->netG()})
        own.push_back(qobject_cast<MonitorGauge *>(g)->timer().interval());
    const auto intervals = [&] {
        std::vector<int> now;
        for (QObject *g : {monitor->cpuG(), monitor->ramG(), monitor->hddG(), monitor->netG()})
            now.push_back(qobject_cast<MonitorGauge *>(g)->timer().interval());
        return now;
    };
    EXPECT_EQ(menu->motionText(), "Automatic");
    menu->reduceMotion();
    EXPECT_EQ(menu->motionText(), "Always");
    std::vector<int> slow = own;
    for (int &ms : slow)
        ms *= motion::kRefreshSlowdown;
    EXPECT_EQ(intervals(), slow);
    menu->reduceMotion();
    EXPECT_EQ(menu->motionText(), "Never");
    EXPECT_EQ(intervals(), own);
    EXPECT_EQ(defaults.string(motion::kDefaultsKey), "never");
}

TEST_F(MainScreenFixture, TabletScreen)
{
    tablet = true;
    height = 1024;
    center.post("restartAPP1.5");
    spin(60);
    ASSERT_EQ(screens.size(), 2);
    EXPECT_DOUBLE_EQ(vc().pageX(), 1536);
    EXPECT_DOUBLE_EQ(vc().pageY(), 316);
    EXPECT_DOUBLE_EQ(vc().contentWidth(), 4608);
    EXPECT_DOUBLE_EQ(vc().wheelTop(), 789);
}

// The wheel settles at once (what its turn timer does 0.2 s later).
void settleWheel(ViewController &vc)
{
    if (auto *wheel = qobject_cast<WhellController *>(vc.whell()))
        wheel->completeTurn();
}

TEST_F(MainScreenFixture, KeysMoveAlongThePagesAsTheWheelDoes)
{
    const struct
    {
        int key, modifiers, from, to;
        bool used;
    } cases[] = {
        {Qt::Key_Right, 0, 2, 3, true},
        {Qt::Key_PageDown, 0, 3, 4, true},
        {Qt::Key_Right, 0, 4, 5, true},
        {Qt::Key_Right, 0, 5, 5, false},
        {Qt::Key_Left, 0, 5, 4, true},
        {Qt::Key_PageUp, 0, 1, 0, true},
        {Qt::Key_Left, 0, 0, 0, false},
        {Qt::Key_Right, Qt::ShiftModifier, 2, 2, false},
        {Qt::Key_Right, Qt::KeypadModifier, 2, 3, true},
        {Qt::Key_A, 0, 2, 2, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " from page " << c.from);
        vc().gotoView(c.from);
        EXPECT_EQ(vc().keyPressed(c.key, c.modifiers), c.used);
        settleWheel(vc());
        EXPECT_EQ(vc().currentPage(), c.to);
    }
    // The wheel itself turned to the page, not only the page strip.
    vc().gotoView(1);
    vc().keyPressed(Qt::Key_Right, 0);
    settleWheel(vc());
    EXPECT_EQ(qobject_cast<WhellController *>(vc().whell())->currentPage(), 2);
}

TEST_F(MainScreenFixture, MouseWheelTurnsOnePagePerNotch)
{
    const struct
    {
        std::vector<int> deltas;
        int to;
    } cases[] = {
        {{-120}, 3},          {{120}, 1},          {{-120, -120}, 4}, {{-40, -40}, 2},
        {{-40, -40, -40}, 3}, {{-60, 60, -60}, 2}, {{-240}, 4},       {{360}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case ending on " << c.to);
        vc().gotoView(2);
        vc().mouseWheel(1); // a fresh start: nothing left over from the case before
        vc().mouseWheel(-1);
        for (int d : c.deltas) {
            vc().mouseWheel(d);
            settleWheel(vc());
        }
        EXPECT_EQ(vc().currentPage(), c.to);
    }
}

TEST_F(MainScreenFixture, EscapeAndBackspaceCloseThePresentedScreen)
{
    for (int key : {Qt::Key_Escape, Qt::Key_Backspace}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(vc().keyPressed(key, 0)); // nothing presented
        vc().gotoView(4);
        vc().showDeviceInfo();
        ASSERT_NE(vc().presentedScreen(), nullptr);
        // Page keys belong to the presented screen's owner no more.
        EXPECT_FALSE(vc().keyPressed(Qt::Key_Right, 0));
        EXPECT_TRUE(vc().keyPressed(key, 0));
        spin(20);
        EXPECT_EQ(vc().presentedScreen(), nullptr);
        EXPECT_FALSE(vc().wheelHidden());
        EXPECT_EQ(vc().currentPage(), 4);
    }
}

TEST_F(MainScreenFixture, CtrlQQuitsThroughTheApplication)
{
    bool quit = false;
    QMetaObject::Connection c = QObject::connect(
        QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [&quit] { quit = true; });
    QTimer::singleShot(0, [this] { EXPECT_TRUE(vc().keyPressed(Qt::Key_Q, Qt::ControlModifier)); });
    QTimer::singleShot(2000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    QObject::disconnect(c);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(vc().keyPressed(Qt::Key_Q, 0));
}

} // namespace
