// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "alarm/alarmnewviewcontroller.h"
#include "alarm/alarmviewcontroller.h"
#include "alerts/alertsettings.h"
#include "germantranslation.h"

#include <gtest/gtest.h>

#include <QQuickView>

namespace {

// The main pages and the screens with the most words, once in German with the translation
// installed as start-up installs it: the words must be German and fit their boxes. Drawn in the
// small phone and the tablet layout only (German needs the room of neither more than the other).
class GermanRender : public RenderTest
{
protected:
    // Shoots the window as de-<name> and fails on every text that does not fit.
    static void check(RenderHarness &h, const char *name)
    {
        RenderHarness::settle(300);
        ASSERT_TRUE(h.shoot(QStringLiteral("de-") + QLatin1String(name)));
        const QStringList overflows = overflowingTexts(h.window().view().rootObject());
        EXPECT_TRUE(overflows.isEmpty()) << name << ":\n" << overflows.join('\n').toStdString();
    }
};

TEST_P(GermanRender, MainPagesAndPresentedScreens)
{
    GermanTranslation german;
    ASSERT_TRUE(german.installed());
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ViewController &vc = h.viewController();
    ASSERT_TRUE(h.waitForAllPages());
    EXPECT_EQ(vc.pageTitles().value(2), QStringLiteral("Akku"));

    const char *pages[] = {"page0-tips",     "page1-calendar", "page2-battery",
                           "page3-charging", "page4-settings", "page5-monitor"};
    for (int page = 0; page < 6; ++page) {
        vc.gotoView(page);
        check(h, pages[page]);
    }

    vc.DetailsPresed();
    check(h, "details");
    vc.closePresented();
    ASSERT_TRUE(vc.showDeviceInfo());
    check(h, "device-info");
    vc.closePresented();
    ASSERT_TRUE(vc.showHealth());
    check(h, "health");
    vc.closePresented();
    ASSERT_TRUE(vc.showRam());
    check(h, "memory");
    vc.closePresented();
    ASSERT_TRUE(vc.showNet());
    check(h, "network");
    vc.closePresented();
    ASSERT_TRUE(vc.showChangeColor());
    check(h, "skins");
    vc.closePresented();

    vc.gotoView(4);
    ASSERT_TRUE(vc.showAlarms());
    auto *alarms = qobject_cast<AlarmViewController *>(vc.presentedScreen());
    ASSERT_NE(alarms, nullptr);
    check(h, "alarms");
    alarms->addNewAlarm();
    check(h, "alarm-editor");
    alarms->alarm()->cancel();
    alarms->alertSettings()->ChangeLocation();
    check(h, "weather-panel");
}

INSTANTIATE_TEST_SUITE_P(Layouts, GermanRender,
                         ::testing::Values(kRenderLayouts[0], kRenderLayouts[2]),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
