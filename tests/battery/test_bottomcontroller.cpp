// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/bottomcontroller.h"

#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "core/nrbatteryinfo.h"
#include "monitor/reachability.h"
#include "monitor/reachabilitywatch.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct RecordingDelegate : BottomControllerDelegate
{
    int detailsRequests = 0;
    void DetailsPresed() override { ++detailsRequests; }
};

// An application object on temporary folders, with a device table of our own so the
// capacities are the ones the worked examples use.
struct Panel : ::testing::Test, TempPlatform
{
    std::unique_ptr<AppState> app;

    void SetUp() override
    {
        brightness = 0.5;
        ensureCoreApplication();
        QDir().mkpath(folders.resources);
        const auto device = [](const char *capacity) {
            return QVariantMap{{"Name", "Test device"}, {"Battery capacity", capacity}};
        };
        ASSERT_TRUE(plist::writeFile(folders.resources + "/devices.plist",
                                     QVariantMap{{"iPhone4,1", device("710 mAh (2.7 Wh)")},
                                                 {"iPhone1,2", device("1150 mAh")},
                                                 {"iPod2,1", device("700 mAh")}}));
        defaults.setValue("platform", "iPhone4,1");
        app = std::make_unique<AppState>(platform);
    }

    std::unique_ptr<BottomController> make(bool tablet = false, int height = 480,
                                           std::function<bool()> location = {})
    {
        return std::make_unique<BottomController>(*app, tablet, height, std::move(location));
    }
    QString image(const char *name) const { return app->libraryImage(QString::fromLatin1(name)); }
};

TEST_F(Panel, ReadingsGiveTheTextsAndTheStandbyEstimate)
{
    const struct
    {
        const char *model;
        float percent;
        int charge;
        const char *percentText, *timeText, *timeBeforeDie;
        bool battery = true; // the battery source finds a system battery
    } cases[] = {
        {"iPhone4,1", 50, 355, "50%", "5h:22min", "5.378788"},
        {"iPhone4,1", 0, 0, "0%", "0h:0min", "0.000000"},
        {"iPhone4,1", 100, 710, "100%", "10h:45min", "10.757576"},
        // Profile D: 6 mA standby + 60 mA radios + 0.5 x 50 mA backlight.
        {"iPhone1,2", 42, 483, "42%", "5h:18min", "5.307693"},
        // A model without a profile has no estimate at all.
        {"iPod2,1", 50, 350, "50%", "0h:0min", "0.000000"},
        // A battery that briefly reports no level is still a battery.
        {"iPhone4,1", -100, 0, "--%", "0h:0min", "0.000000"},
        // No battery at all: said so, and no time; the estimate keeps its value.
        {"iPhone4,1", -100, 0, "No battery", "--", "0.000000", false},
        // The user drags the gauge's slider on a machine without a battery.
        {"iPhone4,1", 50, 355, "50%", "5h:22min", "5.378788", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.percent << " battery " << c.battery);
        battery.figures.hasBattery = c.battery;
        app->batteryMonitor().sample();
        defaults.setValue("platform", c.model);
        app->setTimeBeforeDie("stale");
        auto panel = make();
        QSignalSpy changed(panel.get(), &BottomController::infoChanged);
        panel->updateInfoFromBAttery(c.percent);
        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(panel->charge(), c.charge);
        EXPECT_EQ(panel->procentsLabel(), c.percentText);
        EXPECT_EQ(panel->timeLabel(), c.timeText);
        EXPECT_EQ(app->timeBeforeDie(), c.timeBeforeDie);
    }
}

TEST_F(Panel, ChargeIsTheNominalCapacityScaledOnce)
{
    auto panel = make();
    EXPECT_FLOAT_EQ(panel->nominalCapacity(), 710);
    // The gauge keeps the remaining charge in Level; the panel must not take the percent of it.
    app->setLevel(355);
    panel->updateInfoFromBAttery(50);
    EXPECT_EQ(panel->charge(), 355);
    panel->updateInfoFromBAttery(50);
    EXPECT_EQ(panel->charge(), 355);
    // A drag of the gauge's slider arrives as another percent and is followed at once.
    panel->updateInfoFromBAttery(20);
    EXPECT_EQ(panel->charge(), 142);
    EXPECT_EQ(panel->procentsLabel(), "20%");
}

TEST_F(Panel, TheMainScreenReachesItByName)
{
    auto panel = make();
    ASSERT_TRUE(
        QMetaObject::invokeMethod(panel.get(), "updateInfoFromBAttery", Q_ARG(float, 42.0f)));
    EXPECT_EQ(panel->procentsLabel(), "42%");
    EXPECT_EQ(panel->timeLabel(), "4h:30min"); // 298 mAh / 66 mA
    ASSERT_TRUE(QMetaObject::invokeMethod(panel.get(), "updateButtons", Q_ARG(int, 1)));
    EXPECT_TRUE(panel->isSelected(summary::Wifi));
}

TEST_F(Panel, NetworkStatusSelectsTheRadioButtons)
{
    const struct
    {
        int first, second;
        bool wifi, cellular;
    } cases[] = {
        {1, 7, true, false}, {2, 7, false, true},  {1, 2, false, true},
        {2, 1, true, false}, {1, 0, false, false}, {0, 99, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " then " << c.second);
        auto panel = make();
        panel->updateButtons(c.first);
        panel->updateButtons(c.second);
        EXPECT_EQ(panel->isSelected(summary::Wifi), c.wifi);
        EXPECT_EQ(panel->isSelected(summary::Cellular), c.cellular);
        EXPECT_TRUE(panel->isSelected(summary::Brightness));
        EXPECT_FALSE(panel->isSelected(summary::Bluetooth));
    }
}

TEST_F(Panel, NetworkChangesReachTheButtonsAtOnce)
{
    // The kernel (here a scripted source) reports a change; the panel shows it without waiting
    // for the main screen's 30-second poll.
    std::uint32_t flags = 0;
    NetworkChangeSource kernel;
    auto reachability = Reachability::withFlagSource([&flags](bool) { return flags; }, false);
    reachability->watch(&kernel);
    ASSERT_TRUE(reachability->startNotifier(&center));
    auto panel = make();
    const struct
    {
        std::uint32_t flags;
        bool wifi, cellular;
    } steps[] = {
        {reachability::Reachable, true, false},
        {reachability::Reachable | reachability::IsWWAN, false, true},
        {0, false, false},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(testing::Message() << "flags " << step.flags);
        flags = step.flags;
        emit kernel.changed();
        EXPECT_EQ(panel->isSelected(summary::Wifi), step.wifi);
        EXPECT_EQ(panel->isSelected(summary::Cellular), step.cellular);
    }
}

TEST_F(Panel, PositioningButtonFollowsTheLocationServices)
{
    bool on = true;
    auto panel = make(false, 480, [&on] { return on; });
    EXPECT_FALSE(panel->isSelected(summary::Gps)); // nothing is known before the first poll
    panel->updateButtons(0);
    EXPECT_TRUE(panel->isSelected(summary::Gps));
    on = false;
    panel->updateButtons(0);
    EXPECT_FALSE(panel->isSelected(summary::Gps));

    auto unknown = make();
    unknown->updateButtons(1);
    EXPECT_FALSE(unknown->isSelected(summary::Gps));
}

TEST_F(Panel, ButtonListCarriesStatesAndImages)
{
    auto panel = make(true, 1024, [] { return true; });
    QSignalSpy changed(panel.get(), &BottomController::buttonsChanged);
    panel->updateButtons(2);
    EXPECT_GE(changed.count(), 1);
    const QVariantList buttons = panel->buttons();
    ASSERT_EQ(buttons.size(), 5);
    const struct
    {
        const char *name;
        bool selected;
        const char *image;
    } expected[] = {
        {"gpsBtn", true, "2_GPSon_140x130.png"},
        {"wifiBTN", false, "2_WiFIoff_140x130.png"},
        {"g3Btn", true, "2_3Gon_140x130.png"},
        {"lightBtn", true, "2_Brighton_140x130.png"},
        {"bluetoothBTN", false, "2_Bluetoothoff_140x130.png"},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i].name);
        const QVariantMap b = buttons[i].toMap();
        EXPECT_EQ(b.value("name").toString(), expected[i].name);
        EXPECT_EQ(b.value("tag").toInt(), i + 1);
        EXPECT_EQ(b.value("selected").toBool(), expected[i].selected);
        EXPECT_EQ(b.value("image").toString(), image(expected[i].image));
    }
    // A poll that changes nothing says nothing.
    changed.clear();
    panel->updateButtons(2);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(Panel, TipsFadeInWithTheButtonsPicture)
{
    const struct
    {
        bool tablet;
        int height;
        int tag;
        const char *tip;
    } cases[] = {
        {false, 480, 1, "1_GPS.png"},
        {false, 480, 2, "1_WiFi.png"},
        {false, 568, 3, "1_3G.png"},
        {false, 568, 4, "1_brightness.png"},
        {false, 480, 5, "1_Bluetooth.png"},
        {true, 1024, 1, "2_GPS_576x98.png"},
        {true, 1024, 2, "2_WiFi_576x98.png"},
        {true, 1024, 3, "2_3G_576x98.png"},
        {true, 1024, 4, "2_Brightness_576x98.png"},
        {true, 1024, 5, "2_Bluetooth_576x98.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tip);
        auto panel = make(c.tablet, c.height);
        QSignalSpy fadeIn(panel.get(), &BottomController::miniTipsFadeIn);
        panel->setTips(c.tag);
        EXPECT_EQ(fadeIn.count(), 1);
        EXPECT_EQ(panel->miniTipsImage(), image(c.tip));
        EXPECT_DOUBLE_EQ(panel->miniTipsOpacity(), 1);
        // Only the short phone screen gives the details button over to the tip.
        EXPECT_EQ(panel->detailsEnabled(), c.height != 480);
    }
}

TEST_F(Panel, AnotherTagKeepsThePictureButFadesAgain)
{
    auto panel = make(false, 480);
    panel->setTips(3);
    QSignalSpy fadeIn(panel.get(), &BottomController::miniTipsFadeIn);
    panel->setTips(9);
    EXPECT_EQ(panel->miniTipsImage(), image("1_3G.png"));
    EXPECT_EQ(fadeIn.count(), 1);
}

TEST_F(Panel, ShortPhoneTipGivesWayToTheDetailsButton)
{
    auto panel = make(false, 480);
    RecordingDelegate delegate;
    panel->setDelegate(&delegate);
    EXPECT_TRUE(panel->miniTipsImage().isEmpty());
    EXPECT_DOUBLE_EQ(panel->miniTipsOpacity(), 0);
    panel->setTips(2);
    EXPECT_FALSE(panel->detailsEnabled());
    panel->gotoDetails(); // covered by the tip: nothing opens
    EXPECT_EQ(delegate.detailsRequests, 0);

    QSignalSpy fadeOut(panel.get(), &BottomController::miniTipsFadeOut);
    panel->hideMiniTips();
    EXPECT_EQ(fadeOut.count(), 1);
    EXPECT_DOUBLE_EQ(panel->miniTipsOpacity(), 0);
    EXPECT_TRUE(panel->detailsEnabled());
    panel->gotoDetails();
    EXPECT_EQ(delegate.detailsRequests, 1);
}

TEST_F(Panel, TallPhoneShowsTheBrightnessTipOnItsCard)
{
    auto panel = make(false, 568);
    EXPECT_EQ(panel->miniTipsImage(), image("1_brightness.png"));
    EXPECT_DOUBLE_EQ(panel->miniTipsOpacity(), 1);
    EXPECT_EQ(panel->pernaImage(), app->resourceImage("Battery-tips-back-5_320x122.png"));
    EXPECT_TRUE(panel->detailsEnabled());
    QSignalSpy fadeOut(panel.get(), &BottomController::miniTipsFadeOut);
    panel->hideMiniTips(); // only the short screen hides its tip
    EXPECT_EQ(fadeOut.count(), 0);
    EXPECT_DOUBLE_EQ(panel->miniTipsOpacity(), 1);

    EXPECT_TRUE(make(false, 480)->pernaImage().isEmpty());
    EXPECT_TRUE(make(true, 1024)->pernaImage().isEmpty());
}

TEST_F(Panel, DetailsButtonAsksTheDelegate)
{
    auto phone = make(false, 568);
    auto tablet = make(true, 1024);
    EXPECT_EQ(phone->detailsImage(), image("1_Group31.png"));
    EXPECT_EQ(tablet->detailsImage(), image("2_details_bbutton_197x64.png"));
    phone->gotoDetails(); // no delegate yet: nothing happens
    RecordingDelegate delegate;
    phone->setDelegate(&delegate);
    tablet->setDelegate(&delegate);
    phone->gotoDetails();
    tablet->setTips(1); // the tablet's tip has a place of its own
    tablet->gotoDetails();
    EXPECT_EQ(delegate.detailsRequests, 2);
}

TEST_F(Panel, RestartDropsWhatThePanelOwns)
{
    auto panel = make();
    panel->updateInfoFromBAttery(50);
    EXPECT_EQ(center.observerCount("restartAPP"), 1);
    center.post("restartAPP");
    EXPECT_EQ(panel->estimator(), nullptr);
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
    // A late reading changes nothing, neither on the panel nor in the shared estimate.
    panel->updateInfoFromBAttery(10);
    EXPECT_EQ(panel->procentsLabel(), "50%");
    EXPECT_EQ(app->timeBeforeDie(), "5.378788");
}

TEST_F(Panel, DestroyedPanelStopsObserving)
{
    make().reset();
    EXPECT_EQ(center.observerCount("restartAPP"), 0);
    center.post("restartAPP");
}

TEST_F(Panel, FloatToTime)
{
    EXPECT_EQ(BottomController::floatToTime(5.75f), "5h:45min");
    EXPECT_EQ(BottomController::floatToTime(0.999f), "0h:59min");
    EXPECT_EQ(BottomController::floatToTime(0), "0h:0min");
}

} // namespace
