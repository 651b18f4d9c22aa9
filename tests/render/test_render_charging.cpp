// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alerts/carchingviewcontroller.h"
#include "alerts/settingsviewcontroller.h"
#include "appearance/whellcontroller.h"

#include <gtest/gtest.h>

namespace {

class ChargingRender : public RenderTest
{
};

TEST_P(ChargingRender, StagesAtEachLevelAndAtTheChargeLimit)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    vc.gotoView(3);
    auto *page = qobject_cast<CarchingViewController *>(vc.pageController(3));
    ASSERT_NE(page, nullptr);
    const struct
    {
        float level;
        int state;
        const char *name;
    } levels[] = {
        {0, 2, "charging-0"},
        {50, 2, "charging-50"},
        {80, 2, "charging-80"},
        {100, 3, "charging-100"},
    };
    for (const auto &l : levels) {
        h.battery().set(l.level / 100.0, l.state);
        h.battery().figures.externalPower = true;
        vc.currentLevel(l.level);
        RenderHarness::settle(800);
        EXPECT_EQ(page->procentsLbl(), QString::number(l.level) + "%");
        ASSERT_TRUE(h.shoot(l.name)) << l.name;
    }
    EXPECT_TRUE(page->stages().iconChecked[2] || GetParam().idiom == 1);

    // A laptop held at its charge limit: full stages, the real percent, the limit and the mode.
    h.battery().set(0.78, 3);
    h.battery().figures.externalPower = true;
    h.battery().figures.heldAtLimit = true;
    h.battery().figures.chargeEndThreshold = 80;
    h.battery().figures.chargeType = QStringLiteral("Long Life");
    vc.currentLevel(50);
    h.battery().notifyChange();
    page->ChargeAlert();
    RenderHarness::settle(800);
    // Held is full everywhere: the wheel says so once, as for a full battery.
    auto *wheel = qobject_cast<WhellController *>(vc.whell());
    ASSERT_NE(wheel, nullptr);
    EXPECT_TRUE(wheel->alertVisible());
    wheel->dismissAlert();
    RenderHarness::settle(300);
    EXPECT_EQ(page->procentsLbl(), "78%");
    EXPECT_EQ(page->thresholdLbl(), "Held at 80 %");
    EXPECT_FALSE(page->swithBTN());
    ASSERT_TRUE(h.shoot("charging-limit80"));
}

TEST_P(ChargingRender, SettingsMenuAndTheScreensItOpens)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    vc.gotoView(4);
    auto *menu = qobject_cast<SettingsViewController *>(vc.pageController(4));
    ASSERT_NE(menu, nullptr);
    RenderHarness::settle();
    ASSERT_TRUE(h.shoot("settings"));
    ASSERT_TRUE(menu->gotoDeviceInfo());
    RenderHarness::settle(200);
    EXPECT_TRUE(vc.wheelHidden());
    vc.closePresented();
    RenderHarness::settle(200);
    EXPECT_FALSE(vc.wheelHidden());
}

INSTANTIATE_TEST_SUITE_P(Layouts, ChargingRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
