// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "battery/bottomcontroller.h"
#include "battery/detailsviewcontroller.h"

#include <gtest/gtest.h>

namespace {

class SummaryRender : public RenderTest
{
protected:
    static BottomController *panel(RenderHarness &h)
    {
        return qobject_cast<BottomController *>(h.viewController().bottomController());
    }
};

TEST_P(SummaryRender, BatteryPageWithTheTips)
{
    const RenderLayout layout = GetParam();
    RenderHarness h(layout, platformFor(layout));
    BottomController *bottom = panel(h);
    ASSERT_NE(bottom, nullptr);
    h.viewController().gotoView(2);
    h.viewController().currentLevel(42);
    h.viewController().monitor();
    RenderHarness::settle();
    EXPECT_EQ(bottom->procentsLabel(), QStringLiteral("42%"));
    EXPECT_TRUE(bottom->isSelected(summary::Brightness));
    EXPECT_FALSE(h.app().timeBeforeDie().isEmpty());
    ASSERT_TRUE(h.shoot("summary-42"));

    const char *names[] = {"",
                           "summary-tip1-gps",
                           "summary-tip2-wifi",
                           "summary-tip3-cell",
                           "summary-tip4-brightness",
                           "summary-tip5-bluetooth"};
    for (int tag = summary::kFirstTag; tag <= summary::kLastTag; ++tag) {
        bottom->setTips(tag);
        RenderHarness::settle();
        EXPECT_DOUBLE_EQ(bottom->miniTipsOpacity(), 1);
        ASSERT_TRUE(h.shoot(names[tag])) << names[tag];
    }
    if (layout.designHeight == 480) {
        EXPECT_FALSE(bottom->detailsEnabled());
        bottom->hideMiniTips();
        RenderHarness::settle();
        EXPECT_TRUE(bottom->detailsEnabled());
        ASSERT_TRUE(h.shoot("summary-tip-hidden"));
    }
}

TEST_P(SummaryRender, ActivityLists)
{
    const RenderLayout layout = GetParam();
    const struct
    {
        const char *model;
        const char *name;
        const char *standby;
    } models[] = {
        // 600 mAh: 42 % of the phone's 1430 mAh.
        {"iPhone4,1", "details-profileE", "9h:5min"},
        {"iPhone1,2", "details-profileD", "5h:39min"}, // 6 + 60 + 0.8 x 50 mA
        {"iPod2,1", "details-unknown", "0h:0min"},
    };
    for (const auto &m : models) {
        SCOPED_TRACE(m.model);
        RenderHarness h(layout, QString::fromLatin1(m.model));
        h.viewController().gotoView(2);
        h.app().setLevel(600);
        BottomController *bottom = panel(h);
        ASSERT_NE(bottom, nullptr);
        bottom->gotoDetails();
        RenderHarness::settle();
        auto *list = qobject_cast<DetailsViewController *>(h.viewController().presentedScreen());
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->rowCount(), 18);
        EXPECT_EQ(list->cells()[0].timeLabel, m.standby);
        ASSERT_TRUE(h.shoot(m.name));
        list->goBack();
        RenderHarness::settle(200);
        EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SummaryRender, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
