// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/backlight.h"
#include "platform/screen.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <vector>

namespace {

TEST(Backlight, FloorIsOneRawStepOrFivePercent)
{
    struct Case
    {
        int max;
        double fraction;
        double floor;
        int raw;
    };
    const Case cases[] = {
        {255, 0.0, 0.05, 13}, {255, 1.0, 0.05, 255}, {1000, 0.01, 0.05, 50}, {7, 0.0, 1.0 / 7, 1},
        {7, 0.5, 1.0 / 7, 4}, {10, 0.98, 0.1, 10},   {1, 0.0, 1.0, 1},       {100, 1.5, 0.05, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.max << " " << c.fraction);
        EXPECT_DOUBLE_EQ(backlight::floorFraction(c.max), c.floor);
        EXPECT_EQ(backlight::rawFor(c.fraction, c.max), c.raw);
    }
}

TEST(Backlight, RouteFallsBackFromLogindToSysfsToOverlay)
{
    using backlight::Route;
    struct Case
    {
        bool device;
        bool logindRefused;
        bool sysfsRefused;
        Route route;
    };
    const Case cases[] = {
        {true, false, false, Route::Logind}, {true, true, false, Route::Sysfs},
        {true, true, true, Route::Overlay},  {false, false, false, Route::Overlay},
        {true, false, true, Route::Logind},
    };
    for (const Case &c : cases)
        EXPECT_EQ(backlight::chooseRoute(c.device, c.logindRefused, c.sysfsRefused), c.route)
            << c.device << c.logindRefused << c.sysfsRefused;
}

// Setting 0.6 on a fixture tree: where it lands, as logind answers.
TEST(Backlight, SetsTheDeviceScreenBrightnessReads)
{
    struct Case
    {
        const char *name;
        bool device;
        bool logindAnswers;
        std::vector<quint32> logindCalls;
        const char *sysfs; // the brightness file afterwards
        double overlay;
    };
    const Case cases[] = {
        {"logind sets it", true, true, {60}, "20", 1.0},
        {"logind refuses: sysfs", true, false, {60}, "60", 1.0},
        {"no backlight: overlay", false, true, {}, nullptr, 0.6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const SystemRoots roots{dir.path() + "/sys", dir.path() + "/proc"};
        // A device whose name sorts after one without a usable maximum: both readers skip it.
        writeTree(roots.sysfs, {{"class/backlight/acpi_video0/brightness", "3"},
                                {"class/backlight/acpi_video0/max_brightness", "0"}});
        if (c.device)
            writeTree(roots.sysfs, {{"class/backlight/intel_backlight/brightness", "20"},
                                    {"class/backlight/intel_backlight/max_brightness", "100"}});
        std::vector<quint32> calls;
        Backlight light(roots, [&](const QString &device, quint32 raw, QObject *,
                                   std::function<void(bool)> done) {
            EXPECT_EQ(device, "intel_backlight");
            calls.push_back(raw);
            done(c.logindAnswers);
        });
        QSignalSpy overlay(&light, &Backlight::overlayChanged);
        light.setBrightness(0.6);
        EXPECT_EQ(calls, c.logindCalls);
        EXPECT_DOUBLE_EQ(light.overlayLevel(), c.overlay);
        EXPECT_EQ(overlay.count(), c.overlay < 1.0 ? 1 : 0);
        if (c.sysfs) {
            QFile f(roots.sysfs + "/class/backlight/intel_backlight/brightness");
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll().trimmed(), c.sysfs);
            EXPECT_DOUBLE_EQ(screenBrightness(roots), QByteArray(c.sysfs).toDouble() / 100);
        }
    }
}

// The device by the kernel's type order, whatever the names' order: firmware, platform, raw,
// then any other type; the first name among devices of one type.
TEST(Backlight, PicksTheDeviceByTypeOrder)
{
    struct Case
    {
        std::vector<std::pair<const char *, const char *>> devices; // name, type ("" none)
        const char *chosen;
    };
    const Case cases[] = {
        {{{"amdgpu_bl0", "raw"}, {"thinkpad_screen", "platform"}}, "thinkpad_screen"},
        {{{"intel_backlight", "raw"}, {"nv_backlight", "platform"}, {"video0", "firmware"}},
         "video0"},
        {{{"a_panel", ""}, {"b_panel", "raw"}}, "b_panel"},
        {{{"b_panel", "raw"}, {"a_panel", "raw"}}, "a_panel"},
        {{{"odd", "other"}}, "odd"},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const SystemRoots roots{dir.path() + "/sys", dir.path() + "/proc"};
        for (const auto &[name, type] : c.devices) {
            const std::string base = std::string("class/backlight/") + name;
            const std::string brightness = base + "/brightness", max = base + "/max_brightness",
                              typeFile = base + "/type";
            writeTree(roots.sysfs, {{brightness.c_str(), "7"}, {max.c_str(), "10"}});
            if (*type)
                writeTree(roots.sysfs, {{typeFile.c_str(), type}});
        }
        const auto device = preferredBacklight(roots);
        ASSERT_TRUE(device) << c.chosen;
        EXPECT_EQ(device->name, c.chosen);
    }
}

} // namespace
