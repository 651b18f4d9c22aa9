// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "app/appdelegate.h"
#include "platform/plist.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

namespace {

using Render = RenderTest;

bool imagePluginsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

TEST_P(Render, EveryPage)
{
    const bool pluginsBefore = imagePluginsLoaded(); // by an earlier test of this process
    RenderHarness h(GetParam(), platformFor(GetParam()));
    // The pages beside the battery page come by themselves once the window has drawn a frame;
    // the others when they are shown.
    ASSERT_TRUE(h.waitForWantedPages());
    EXPECT_EQ(h.viewController().createdPages(), 1 << 1 | 1 << 2 | 1 << 3);
    // The first start's files, written once the window has drawn.
    EXPECT_EQ(plist::readFile(h.app().folders().documents + "/Alert.plist").value.toList(),
              AppDelegate::defaultAlerts());
    EXPECT_EQ(plist::readFile(h.app().folders().library + "/batt.txt").value.toList(),
              QVariantList{1});
    // Their pictures are all PNG: none of them brings Qt's image plugins.
    ASSERT_TRUE(h.waitForPictures());
    if (!pluginsBefore) {
        EXPECT_FALSE(imagePluginsLoaded());
    }
    const char *names[] = {"page0-tips",     "page1-calendar", "page2-battery",
                           "page3-charging", "page4-settings", "page5-monitor"};
    for (int page = 0; page < 6; ++page) {
        h.viewController().gotoView(page);
        RenderHarness::settle();
        EXPECT_EQ(h.viewController().currentPage(), page);
        ASSERT_TRUE(h.shoot(names[page])) << names[page];
    }
}

TEST_P(Render, DeviceInformation)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    h.viewController().gotoView(4);
    h.viewController().showDeviceInfo();
    RenderHarness::settle();
    ASSERT_NE(h.viewController().presentedScreen(), nullptr);
    EXPECT_TRUE(h.viewController().wheelHidden());
    ASSERT_TRUE(h.shoot("device-info"));
    QMetaObject::invokeMethod(h.viewController().presentedScreen(), "back");
    RenderHarness::settle(200);
    EXPECT_EQ(h.viewController().presentedScreen(), nullptr);
    EXPECT_FALSE(h.viewController().wheelHidden());
}

INSTANTIATE_TEST_SUITE_P(Layouts, Render, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
