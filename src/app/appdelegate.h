// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "appearance/huetint.h"
#include "core/appstate.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QVariantList>

#include <functional>
#include <memory>

// The application object: starts the system, creates the stored files on first start, owns the
// state every screen shares, and builds (and rebuilds) the window with its main screen.
class AppDelegate : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *viewController READ viewController NOTIFY viewControllerChanged)

public:
    // Creates the window with the main screen for the idiom (1 tablet, 0 phone) and shows it.
    // The returned object owns both; destroying it closes them.
    using WindowFactory = std::function<std::unique_ptr<QObject>(AppDelegate &app, int idiom)>;

    AppDelegate(Platform &platform, WindowFactory windowFactory, QObject *parent = nullptr);
    ~AppDelegate() override;

    // The whole start-up; returns true.
    bool didFinishLaunching();

    // Reads the precision flag from Alert.plist, or marks the file to be created with its
    // defaults (see writeFirstStartFiles()).
    void initAlarmArray();
    // Every file of the given extension below the folder whose relative path begins with the
    // family prefix ("2_" tablet, "1_" phone), as {"path", "name"} entries sorted by name.
    QVariantList recursivePathsForResourcesOfType(const QString &type,
                                                  const QString &directory) const;
    // Copies every image of imageArray that has no copy yet into the Library folder (an existing
    // copy may carry the user's tint and is kept) and lists the copies.
    void copyImgToCache();
    // Replaces the window and main screen with fresh ones; the shared state survives.
    void restart();
    // A tint that a crash or power cut interrupted (its marker in the Library folder says
    // unfinished) is run again from the shipped pictures on a worker thread, so the window
    // opens at once (each copy is old or new meanwhile, never half written); when it is done
    // the interface is rebuilt with the finished pictures.
    void finishTint();

    // The shared state; it survives every rebuild of the window.
    AppState &state() { return m_state; }
    const AppState &state() const { return m_state; }
    QObject *viewController() const { return m_window.get(); }

    // The application leaves the foreground (its window is hidden or minimised, or it quits).
    void applicationDidEnterBackground();
    Platform &platform() { return m_platform; }
    QString alertPath() const;
    QString battPath() const;
    // The default battery-alert records, in their stored order.
    static QVariantList defaultAlerts();

signals:
    void viewControllerChanged();
    // The interrupted tint has been finished (before the interface is rebuilt for it).
    void tintFinished();
    void didEnterBackground();

private:
    void readSkin();
    // Writes the first start's default Alert.plist and batt.txt where they are still missing;
    // runs once the window has drawn its first frame, or when the window is replaced or the
    // delegate goes before that.
    void writeFirstStartFiles();
    void createWindow();
    void tintDone(const FinishedTint &finished, int count);

    Platform &m_platform;
    WindowFactory m_windowFactory;
    AppState m_state;
    std::unique_ptr<QObject> m_window;
    QThreadPool m_tintWorker;
    bool m_alertsToWrite = false;
    bool m_skinToWrite = false;
};
