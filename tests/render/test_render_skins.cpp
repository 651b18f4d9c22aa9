// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"
#include "ringtouch.h"

#include "appearance/changecolorcontroller.h"
#include "appearance/tipsviewcontroller.h"

#include <gtest/gtest.h>

namespace {

class RenderSkins : public RenderTest
{
};

TEST_P(RenderSkins, ChooserAndTips)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    RenderHarness::settle(300);

    ASSERT_TRUE(vc.showChangeColor());
    EXPECT_TRUE(vc.wheelHidden());
    auto *chooser = qobject_cast<ChangeColorController *>(vc.presentedScreen());
    ASSERT_NE(chooser, nullptr);
    RenderHarness::settle(500);
    for (int skin = 0; skin < ChangeColorController::kItemCount; ++skin) {
        chooser->carouselCurrentItemIndexDidChange(skin);
        RenderHarness::settle(200);
        EXPECT_EQ(h.app().currentBattery(), skin);
        ASSERT_TRUE(h.shoot(QStringLiteral("skins-front%1").arg(skin)));
    }
    for (const int angle : {90, 180}) {
        turnOnRing(*chooser, chooser->knobRect().center(), chooser->knobRect().width() * 0.4, 90);
        RenderHarness::settle(300);
        EXPECT_NEAR(chooser->imageAngle(), angle, 1);
        ASSERT_TRUE(h.shoot(QStringLiteral("skins-knob%1").arg(angle)));
    }
    chooser->actionBack();
    RenderHarness::settle(300);
    EXPECT_EQ(vc.presentedScreen(), nullptr);
    EXPECT_FALSE(vc.wheelHidden());

    vc.gotoView(0);
    RenderHarness::settle(600);
    auto *tips = qobject_cast<TipsViewController *>(vc.pageController(0));
    ASSERT_NE(tips, nullptr);
    ASSERT_TRUE(h.shoot("tips-page0"));
    tips->plusOne();
    RenderHarness::settle(700);
    EXPECT_EQ(tips->currentPage(), 1);
    ASSERT_TRUE(h.shoot("tips-page1"));
    tips->scrollViewDidEndDecelerating(11 * tips->pageWidth());
    RenderHarness::settle(700);
    EXPECT_EQ(tips->currentPage(), 11);
    ASSERT_TRUE(h.shoot("tips-page11"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, RenderSkins, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
