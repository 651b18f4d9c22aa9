#pragma once

#include "app/appdelegate.h"
#include "app/mainwindow.h"
#include "app/viewcontroller.h"
#include "fakebattery.h"
#include "platform/notificationcenter.h"
#include "platform/userdefaults.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// One layout of the interface on scripted platform data: temporary Documents and Library
// folders, the real shipped resources, a battery the test sets, and the real window.
struct RenderLayout
{
    const char *name; // "phone480", "phone568", "tablet"
    int idiom;
    int designHeight;
};

class RenderHarness
{
public:
    explicit RenderHarness(const RenderLayout &layout, const QString &platformId);
    ~RenderHarness();

    ViewController &viewController();
    MainWindow &window() { return *m_window; }
    AppDelegate &app() { return *m_app; }
    ScriptedBatterySource &battery() { return m_battery; }
    NotificationCenter &notifications() { return m_center; }

    // Lets timers, animations and the scene graph run for a while.
    static void settle(int ms = 600);
    // Writes build/screenshots/<layout>-<name>.png; returns false when the window cannot be grabbed.
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
