// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/batterycontroller.h"
#include "core/appstate.h"
#include "core/nrbatteryinfo.h"

#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

namespace {

struct RecordingScreen : BatteryControllerDelegate
{
    QList<float> levels;
    void currentLevel(float percent) override { levels << percent; }
};

// An application object on temporary folders: a two-model device table (a phone of 1420 mAh, a
// tablet of 11560 mAh) and the shipped point tables among its resources.
struct GaugeFixture : ::testing::Test, TempPlatform
{
    std::unique_ptr<AppState> app;
    RecordingScreen screen;

    void SetUp() override
    {
        ensureCoreApplication();
        QDir().mkpath(folders.resources);
        QDir().mkpath(folders.documents);
        QDir().mkpath(folders.library);
        writeTree(folders.resources, {{"devices.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>iPhone4,1</key><dict><key>Name</key><string>Phone</string>
  <key>Battery capacity</key><string>1420mAh</string></dict>
<key>iPad3,4</key><dict><key>Name</key><string>Tablet</string>
  <key>Battery capacity</key><string>11560 mAh (42.5 Wh)</string></dict>
</dict></plist>)"}});
        for (const char *t : {"sphere", "cerc", "hydro", "tub"}) {
            const QString name = QString::fromLatin1(t) + ".plist";
            QFile::copy(QStringLiteral(POWERDECK_FIXTURES "/../../resources/gauge/") + name,
                        folders.resources + "/" + name);
        }
        defaults.setValue("platform", "iPhone4,1");
        battery.set(0.5, 1);
        app = std::make_unique<AppState>(platform);
    }

    std::unique_ptr<BatteryController> gauge(int skin, bool tablet = false)
    {
        if (tablet)
            defaults.setValue("platform", "iPad3,4");
        app->setCurrentBattery(skin);
        auto g = std::make_unique<BatteryController>(*app, tablet);
        g->setDelegate(&screen);
        return g;
    }

    static QVariantMap reading(float percent, int state = 1)
    {
        return {{"batteryLevel", percent}, {"batteryState", state}};
    }
};

TEST_F(GaugeFixture, LoadTakesTheNominalCapacity)
{
    auto g = gauge(0);
    EXPECT_FLOAT_EQ(g->capasity(), 1420);
    EXPECT_FLOAT_EQ(app->Level(), 1420); // until the first reading
    EXPECT_EQ(g->skin(), 0);
    EXPECT_FALSE(g->isIpad());
    EXPECT_EQ(center.observerCount("restartAPP"), 1);
    ASSERT_NE(g->normInfo(), nullptr);
    EXPECT_EQ(g->normInfo()->delegate(), g.get());
    EXPECT_TRUE(battery.monitoring);
    EXPECT_TRUE(screen.levels.isEmpty()); // nothing is reported before a reading

    auto pad = gauge(3, true);
    EXPECT_FLOAT_EQ(pad->capasity(), 11560);
    EXPECT_TRUE(pad->isIpad());
    EXPECT_EQ(pad->bodyImage(), "2_skin3_flask_768x320.png");
}

TEST_F(GaugeFixture, UnknownModelHasNoCapacity)
{
    defaults.setValue("platform", "iPhone9,9");
    auto g = gauge(0);
    EXPECT_FLOAT_EQ(g->capasity(), 0);
    g->updateNormInfo(reading(80));
    EXPECT_FLOAT_EQ(app->Level(), 0);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 80); // the picture still shows the percent
}

TEST_F(GaugeFixture, HalfChargeOnTheClassicSkin)
{
    auto g = gauge(0);
    g->updateNormInfo(reading(50));
    EXPECT_FLOAT_EQ(app->Level(), 710);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 50);
    EXPECT_DOUBLE_EQ(g->fillFrame().x(), -90);
    EXPECT_DOUBLE_EQ(g->surfaceFrame().width(), 20);
    EXPECT_DOUBLE_EQ(g->surfaceFrame().x(), -90 + 250 - 10);
    ASSERT_EQ(screen.levels.size(), 1);
    EXPECT_FLOAT_EQ(screen.levels[0], 50);
}

TEST_F(GaugeFixture, ReadingsSetLevelAndSlider)
{
    const struct
    {
        float percent;
        float level;
        double slider;
        float reported; // what the main screen is told
    } cases[] = {
        {100, 1420, 100, 100},
        {42, 596, 42, 42},    // 596.4 -> 596
        {0.5f, 7, 0.5, 0.5f}, // 7.1 -> 7
        {0, 0, 0, 0},
        {-100, 0, 0, -100}, // unknown: no charge, an empty skin, and the pages told it is unknown
        {120, 1704, 100, 100},
    };
    auto g = gauge(0);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.percent);
        screen.levels.clear();
        g->updateNormInfo(reading(c.percent));
        EXPECT_FLOAT_EQ(app->Level(), c.level);
        EXPECT_DOUBLE_EQ(g->sliderValue(), c.slider);
        ASSERT_EQ(screen.levels.size(), 1);
        EXPECT_FLOAT_EQ(screen.levels[0], c.reported);
        // An unknown level veils the skin rather than showing an empty battery.
        EXPECT_EQ(g->levelUnknown(), c.reported < 0);
        EXPECT_GE(g->fillFrame().x(), -215); // never beyond the empty position
    }
}

TEST_F(GaugeFixture, DraggingAfterAnUnknownReadingReportsTheDraggedLevel)
{
    auto g = gauge(0);
    g->updateNormInfo(reading(-100, 0));
    screen.levels.clear();
    g->setSliderValue(30);
    g->testAnim();
    EXPECT_EQ(screen.levels, (QList<float>{30, 30}));
    EXPECT_FALSE(g->levelUnknown());
    g->updateNormInfo(reading(-100, 0));
    EXPECT_FLOAT_EQ(screen.levels.last(), -100);
}

TEST_F(GaugeFixture, DraggingReportsWithoutTouchingLevel)
{
    auto g = gauge(0);
    g->updateNormInfo(reading(50));
    screen.levels.clear();
    g->setSliderValue(30);
    ASSERT_EQ(screen.levels.size(), 1);
    EXPECT_FLOAT_EQ(screen.levels[0], 30);
    EXPECT_DOUBLE_EQ(g->fillFrame().x(), 30 * 2.5 - 215);
    EXPECT_FLOAT_EQ(app->Level(), 710); // the last reading's charge stays
    g->setSliderValue(250);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 100);
}

TEST_F(GaugeFixture, TouchesFollowTheSliderRules)
{
    auto g = gauge(0); // horizontal slider of 480: 2.5 points per percent
    g->updateNormInfo(reading(40));
    ASSERT_DOUBLE_EQ(g->sliderFrame().width(), 480);
    ASSERT_DOUBLE_EQ(g->thumbCenter(), 215);
    screen.levels.clear();
    EXPECT_FALSE(g->sliderPressed(400, 22)); // far from the thumb
    EXPECT_FALSE(g->sliderPressed(215, 70)); // below the widened bounds
    g->sliderMoved(300);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 40);
    EXPECT_TRUE(screen.levels.isEmpty());

    EXPECT_TRUE(g->sliderPressed(220, 50)); // inside the 8-point margin below
    EXPECT_TRUE(g->tracking());
    g->sliderMoved(245); // 25 points on
    EXPECT_DOUBLE_EQ(g->sliderValue(), 50);
    ASSERT_EQ(screen.levels.size(), 1);
    EXPECT_FLOAT_EQ(screen.levels[0], 50);
    EXPECT_DOUBLE_EQ(g->fillFrame().x(), -90);
    g->sliderReleased();
    EXPECT_FALSE(g->tracking());
    g->sliderMoved(400);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 50);
}

TEST_F(GaugeFixture, DetailedReading)
{
    auto g = gauge(0);
    g->updateInfo({{"Battery Level", 64.0}, {"Current Capacity", -830}, {"Design Capacity", 1420}});
    EXPECT_FLOAT_EQ(app->Level(), 830);
    EXPECT_DOUBLE_EQ(g->sliderValue(), 64);
    ASSERT_EQ(screen.levels.size(), 1);
    EXPECT_FLOAT_EQ(screen.levels[0], 64);
}

TEST_F(GaugeFixture, TheReaderDrivesTheGauge)
{
    auto g = gauge(0);
    battery.set(0.42, 1);
    battery.notifyChange();
    ASSERT_EQ(screen.levels.size(), 1);
    EXPECT_NEAR(screen.levels[0], 42, 1e-4);
    EXPECT_FLOAT_EQ(app->Level(), 596);

    // In the higher-precision mode the detailed figures follow and set the charge.
    app->setPrivat(true);
    battery.figures.remainingMah = 612.4;
    battery.figures.designMah = 1420;
    battery.notifyChange();
    EXPECT_FLOAT_EQ(app->Level(), 612);
    EXPECT_EQ(screen.levels.size(), 3);
}

TEST_F(GaugeFixture, SphereSkin)
{
    auto g = gauge(1);
    EXPECT_EQ(g->pointTable().size(), 101u);
    EXPECT_EQ(g->spherePointsArray().size(), 101u);
    EXPECT_TRUE(g->hydraulicPointsArray().empty());
    g->updateNormInfo(reading(50));
    EXPECT_EQ(g->fillFrame(), QRectF(89, 77, 122, 61));
    EXPECT_NEAR(g->surfaceFrame().width(), 122, 0.02); // the sphere's full width at its middle
    EXPECT_NEAR(g->surfaceFrame().height(), (77 - 15) * 0.28, 1e-9);
    EXPECT_NEAR(g->surfaceFrame().center().y(), 77, 1e-9);
    g->setSliderValue(100);
    EXPECT_DOUBLE_EQ(g->fillFrame().y(), 16);
    EXPECT_NEAR(g->surfaceFrame().width(), 0, 0.02);
    EXPECT_EQ(g->electronImage(), "1_Battery_5_Electron_18x18.png");
    EXPECT_EQ(g->surfaceImage(), "1_Battery_2_elipse_142x9.png");

    auto pad = gauge(1, true);
    pad->updateNormInfo(reading(50));
    EXPECT_EQ(pad->fillFrame(), QRectF(252, 151, 230, 115));
    EXPECT_NEAR(pad->surfaceFrame().height(), (151 - 15) * 0.1, 1e-9);
}

TEST_F(GaugeFixture, SphereWithoutItsTableStillShowsTheLiquid)
{
    QFile::remove(folders.resources + "/sphere.plist");
    auto g = gauge(1);
    EXPECT_TRUE(g->pointTable().empty());
    g->updateNormInfo(reading(30)); // logged, and the surface stays where it was
    EXPECT_DOUBLE_EQ(g->fillFrame().y(), 138 - 1.22 * 30);
    EXPECT_EQ(g->surfaceFrame(), QRectF());
    EXPECT_EQ(screen.levels.size(), 1);
}

TEST_F(GaugeFixture, ElectronOrbitsWhileVisible)
{
    auto g = gauge(1);
    EXPECT_TRUE(g->electronTimer().isActive());
    EXPECT_EQ(g->electronTimer().interval(), 80);
    EXPECT_FALSE(g->rotorTimer().isActive());
    const QPointF start = g->electronCenter();
    EXPECT_EQ(start, QPointF(284, 77));
    emit g->electronTimer().timeout({});
    EXPECT_DOUBLE_EQ(g->orbitAngle(), 0.2);
    EXPECT_NEAR(g->electronCenter().x(), std::cos(0.2) * 134 + 150, 1e-9);
    // Each step is drawn where it ends, with no frames between steps.
    EXPECT_EQ(g->electronPosition(), g->electronCenter());
    EXPECT_FALSE(g->glideTimer().isActive());

    g->setAnimationsActive(false);
    EXPECT_FALSE(g->electronTimer().isActive());
    g->setAnimationsActive(true);
    EXPECT_TRUE(g->electronTimer().isActive());
}

TEST_F(GaugeFixture, RotorsTurnEachStepInThreeSubsteps)
{
    auto g = gauge(4);
    ASSERT_TRUE(g->rotorTimer().isActive());
    ASSERT_TRUE(g->glideTimer().isActive());
    EXPECT_EQ(g->glideTimer().interval(), 200);
    QSignalSpy drawn(g.get(), &BatteryController::glideChanged);
    emit g->rotorTimer().timeout({});
    EXPECT_EQ(g->degrees(), 90);
    // A step starts where the last one ended and turns 30 degrees clockwise per sub-step; more
    // sub-steps than three are not drawn.
    std::vector<double> shown{g->rotorRotation()};
    for (int i = 0; i < 5; ++i) {
        emit g->glideTimer().timeout({});
        shown.push_back(g->rotorRotation());
    }
    EXPECT_EQ(shown, (std::vector<double>{0, 30, 60, 90, 90, 90}));
    EXPECT_EQ(drawn.size(), 4);
    // Hidden, the rotors rest at their latest step.
    emit g->rotorTimer().timeout({});
    g->setAnimationsActive(false);
    EXPECT_FALSE(g->glideTimer().isActive());
    EXPECT_DOUBLE_EQ(g->rotorRotation(), 180);
}

TEST_F(GaugeFixture, ReducedMotionShowsEveryStepWithoutTheGlide)
{
    auto atomic = gauge(1);
    auto nuclear = gauge(4);
    ASSERT_TRUE(nuclear->rotorTimer().isActive());
    QSignalSpy electronDrawn(atomic.get(), &BatteryController::electronChanged);
    QSignalSpy rotorDrawn(nuclear.get(), &BatteryController::glideChanged);
    app->motion().setSetting(MotionSetting::Always);
    for (BatteryController *g : {atomic.get(), nuclear.get()}) {
        EXPECT_FALSE(g->glideTimer().isActive());
        // The steps and their timers stay as they are.
        EXPECT_EQ(g->electronTimer().isActive(), g == atomic.get());
        EXPECT_EQ(g->rotorTimer().isActive(), g == nuclear.get());
    }
    electronDrawn.clear();
    rotorDrawn.clear();
    emit atomic->electronTimer().timeout({});
    emit nuclear->rotorTimer().timeout({});
    // Each step is drawn at once, where it ends.
    EXPECT_EQ(electronDrawn.size(), 1);
    EXPECT_EQ(rotorDrawn.size(), 1);
    EXPECT_EQ(atomic->electronPosition(), atomic->electronCenter());
    EXPECT_DOUBLE_EQ(nuclear->rotorRotation(), nuclear->degrees());

    app->motion().setSetting(MotionSetting::Never);
    EXPECT_TRUE(nuclear->glideTimer().isActive());
}

TEST_F(GaugeFixture, HydraulicSkin)
{
    auto g = gauge(2);
    EXPECT_EQ(g->hydraulicPointsArray().size(), 101u);
    EXPECT_TRUE(g->spherePointsArray().empty());
    g->updateNormInfo(reading(0));
    EXPECT_EQ(g->fillFrame(), QRectF(0, 141, 320, 36));
    const QRectF left = g->surfaceFrame(), right = g->surface2Frame();
    EXPECT_NEAR(left.center().y(), 141, 1e-9);
    EXPECT_NEAR(right.center().y(), 141, 1e-9);
    EXPECT_NEAR(left.height(), (right.right() - left.left()) * 0.063, 1e-9);
    EXPECT_NEAR(left.left(), 20, 1e-9);
    EXPECT_NEAR(right.right(), 300, 1e-9);
    EXPECT_FALSE(g->electronTimer().isActive());
    EXPECT_FALSE(g->rotorTimer().isActive());
}

TEST_F(GaugeFixture, LabSkin)
{
    auto g = gauge(3);
    g->updateNormInfo(reading(100));
    EXPECT_EQ(g->fillFrame(), QRectF(36, 36, 246, 112));
    EXPECT_DOUBLE_EQ(g->surfaceFrame().height(), 0);
    g->updateNormInfo(reading(20));
    EXPECT_NEAR(g->surfaceFrame().height(), 25 * 0.8, 1e-9);
    EXPECT_NEAR(g->surfaceFrame().center().y(), 123 - 20 * 0.87, 1e-9);
}

TEST_F(GaugeFixture, NuclearSkinAndItsRotor)
{
    auto g = gauge(4, true);
    g->updateNormInfo(reading(0));
    EXPECT_EQ(g->coreFrame().center(), QPointF(381, 388));
    g->updateNormInfo(reading(100));
    EXPECT_EQ(g->coreFrame().center(), QPointF(381, 153));
    EXPECT_EQ(g->coreFrame().size(), QSizeF(100, 100));
    EXPECT_TRUE(g->animationEnabled());
    EXPECT_TRUE(g->rotorTimer().isActive());
    EXPECT_EQ(g->rotorTimer().interval(), 600);
    EXPECT_FALSE(g->electronTimer().isActive());
    emit g->rotorTimer().timeout({});
    EXPECT_EQ(g->degrees(), 90);
    emit g->rotorTimer().timeout({});
    EXPECT_EQ(g->degrees(), 180);

    g->setAnimationsActive(false);
    EXPECT_FALSE(g->rotorTimer().isActive());
    g->setAnimationsActive(true);
    EXPECT_TRUE(g->rotorTimer().isActive());
}

TEST_F(GaugeFixture, SettersActOnlyOnTheirOwnSkin)
{
    auto g = gauge(3);
    g->updateNormInfo(reading(60));
    const QRectF lab = g->fillFrame();
    g->setNuclearLevel(10);
    g->setSphereLevel(10);
    g->setHydraulicLevel(10);
    EXPECT_EQ(g->fillFrame(), lab);
    EXPECT_EQ(g->coreFrame(), QRectF());
}

TEST_F(GaugeFixture, UnknownSkinIndexFallsBackToClassic)
{
    auto g = gauge(0);
    app->setCurrentBattery(7);
    BatteryController odd(*app, false);
    EXPECT_EQ(odd.skin(), 0);
}

TEST_F(GaugeFixture, RestartTearsDown)
{
    auto g = gauge(4);
    QPointer<NRBatteryInfo> reader = g->normInfo();
    center.post("restartAPP");
    EXPECT_TRUE(g->removed());
    EXPECT_FALSE(g->rotorTimer().isActive());
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(reader.isNull());
    // Nothing the old gauge still receives moves or reports anything.
    screen.levels.clear();
    const float level = app->Level();
    battery.notifyChange();
    g->updateNormInfo(reading(10));
    g->setSliderValue(20);
    EXPECT_FALSE(g->sliderPressed(115, 22));
    g->setAnimationsActive(false);
    g->setAnimationsActive(true);
    EXPECT_FALSE(g->rotorTimer().isActive());
    EXPECT_TRUE(screen.levels.isEmpty());
    EXPECT_FLOAT_EQ(app->Level(), level);
}

TEST_F(GaugeFixture, ReaderTeardownDuringItsOwnReading)
{
    // A restart posted while a reading is being handed on must not delete the reader under it.
    struct Restarter : BatteryControllerDelegate
    {
        NotificationCenter *center = nullptr;
        int calls = 0;
        void currentLevel(float) override
        {
            ++calls;
            center->post("restartAPP");
        }
    } restarter;
    restarter.center = &center;
    app->setPrivat(true);
    battery.figures.remainingMah = 500;
    battery.figures.designMah = 1420;
    auto g = gauge(0);
    g->setDelegate(&restarter);
    battery.notifyChange();
    EXPECT_EQ(restarter.calls, 1); // the detailed form is not handed to the torn-down gauge
    EXPECT_TRUE(g->removed());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(g->normInfo(), nullptr);
}

} // namespace
