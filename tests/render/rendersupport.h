// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/appdelegate.h"
#include "app/mainwindow.h"
#include "app/viewcontroller.h"
#include "fakebattery.h"
#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <ostream>

// One layout of the interface on scripted platform data: temporary Documents and Library
// folders, the real shipped resources, a battery the test sets, and the real window.
struct RenderLayout
{
    const char *name; // "phone480", "phone568", "tablet"
    int idiom;
    int designHeight;
};

inline void PrintTo(const RenderLayout &layout, std::ostream *os)
{
    *os << layout.name;
}

class RenderHarness
{
public:
    explicit RenderHarness(const RenderLayout &layout, const QString &platformId);
    ~RenderHarness();

    ViewController &viewController();
    MainWindow &window() { return *m_window; }
    AppState &app() { return m_app->state(); }
    ScriptedBatterySource &battery() { return m_battery; }
    NotificationCenter &notifications() { return m_center; }

    // Lets timers, animations and the scene graph run for a while.
    static void settle(int ms = 600);
    // Runs the event loop until the main screen has created the pages it creates by itself
    // after the first frame, the shown page's neighbours (at most timeoutMs); returns whether
    // it has.
    bool waitForWantedPages(int timeoutMs = 5000);
    // The same, and then every other page at once.
    bool waitForAllPages(int timeoutMs = 5000);
    // Runs the event loop while a picture of the window is still loading on Qt Quick's image
    // thread (at most timeoutMs); returns whether all have loaded.
    bool waitForPictures(int timeoutMs = 5000);
    // Writes build/screenshots/<layout>-<name>.png once the pictures have loaded; returns false
    // when the window cannot be grabbed.
    bool shoot(const QString &name);

    // Every warning any part of Qt or QML printed since the harness was made.
    static QStringList &warnings();

private:
    RenderLayout m_layout;
    QTemporaryDir m_dir;
    Folders m_folders;
    UserDefaults m_defaults;
    NotificationCenter m_center;
    ScriptedBatterySource m_battery;
    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<AppDelegate> m_app;
    MainWindow *m_window = nullptr;
};

// Creates the one QGuiApplication of the test process (offscreen, software rendering).
void ensureGuiApplication();

// Every shown Text below root whose words do not fit, where the text neither elides nor
// shrinks to fit: a line wider than its box (with wrapping, a word too long to break), lines
// taller than a box whose height the layout set, or words running out of the window at one
// side. Each as "text": why. Texts that cross a neighbour are not found: look at the PNGs.
QStringList overflowingTexts(QQuickItem *root);

// The item named name below item, through the visual tree (a Repeater's items included).
QQuickItem *findItem(QQuickItem *item, const QString &name);

// The three layouts every screen is drawn in.
inline const RenderLayout kRenderLayouts[] = {
    {"phone480", 0, 480},
    {"phone568", 0, 568},
    {"tablet", 1, 1024},
};

// A test drawn once per layout; it fails when anything printed a warning meanwhile.
class RenderTest : public ::testing::TestWithParam<RenderLayout>
{
protected:
    void SetUp() override
    {
        ensureGuiApplication();
        RenderHarness::warnings().clear();
    }
    void TearDown() override
    {
        EXPECT_TRUE(RenderHarness::warnings().isEmpty())
            << RenderHarness::warnings().join('\n').toStdString();
    }
    // A phone of profile E and a tablet of profile C, both in the device table.
    static QString platformFor(const RenderLayout &layout)
    {
        return layout.idiom == 1 ? QStringLiteral("iPad3,4") : QStringLiteral("iPhone4,1");
    }
};
