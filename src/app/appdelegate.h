#pragma once

#include "app/platform.h"

#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

// The application object: starts the system, creates the stored files on first start, holds the
// battery state every screen shares, and builds (and rebuilds) the window with its main screen.
class AppDelegate : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Level READ Level WRITE setLevel NOTIFY LevelChanged)
    Q_PROPERTY(QString timeBeforeDie READ timeBeforeDie WRITE setTimeBeforeDie NOTIFY timeBeforeDieChanged)
    Q_PROPERTY(QString timeneedToCharge READ timeneedToCharge WRITE setTimeneedToCharge NOTIFY timeneedToChargeChanged)
    Q_PROPERTY(int currentBattery READ currentBattery WRITE setCurrentBattery NOTIFY currentBatteryChanged)
    Q_PROPERTY(bool privat READ privat WRITE setPrivat NOTIFY privatChanged)
    Q_PROPERTY(QObject *viewController READ viewController NOTIFY viewControllerChanged)

public:
    static constexpr int kSkinCount = 5;

    // Creates the window with the main screen for the idiom (1 tablet, 0 phone) and shows it.
    // The returned object owns both; destroying it closes them.
    using WindowFactory = std::function<std::unique_ptr<QObject>(AppDelegate &app, int idiom)>;

    AppDelegate(Platform &platform, WindowFactory windowFactory, QObject *parent = nullptr);
    ~AppDelegate() override;

    // The whole start-up; returns true.
    bool didFinishLaunching();

    // Creates Alert.plist with its defaults, or reads the precision flag from it.
    void initAlarmArray();
    // Every file of the given extension below the folder whose relative path begins with the
    // family prefix ("2_" tablet, "1_" phone), as {"path", "name"} entries sorted by name.
    QVariantList recursivePathsForResourcesOfType(const QString &type, const QString &directory) const;
    // Copies every image of imageArray that has no copy yet into the Library folder (an existing
    // copy may carry the user's tint and is kept) and lists the copies.
    void copyImgToCache();
    // Replaces the window and main screen with fresh ones; the shared state survives.
    void restart();

    float Level() const { return m_level; }
    void setLevel(float level);
    QString timeBeforeDie() const { return m_timeBeforeDie; }
    void setTimeBeforeDie(const QString &text);
    QString timeneedToCharge() const { return m_timeneedToCharge; }
    void setTimeneedToCharge(const QString &text);
    int currentBattery() const { return m_currentBattery; }
    void setCurrentBattery(int index);
    bool privat() const { return m_privat; }
    void setPrivat(bool on);
    const QVariantList &imageArray() const { return m_imageArray; }
    const QVariantList &transformIMG() const { return m_transformIMG; }
    QObject *viewController() const { return m_window.get(); }

    bool isIpad() const;
    // URLs of interface images: the (tinted) copies in the Library folder, or the shipped
    // resources for the few images that are never tinted.
    Q_INVOKABLE QString libraryImage(const QString &name) const;
    Q_INVOKABLE QString resourceImage(const QString &name) const;
    // The application leaves the foreground (its window is hidden or minimised, or it quits).
    void applicationDidEnterBackground();
    Platform &platform() { return m_platform; }
    QString alertPath() const;
    QString battPath() const;
    // The default battery-alert records, in their stored order.
    static QVariantList defaultAlerts();

signals:
    void LevelChanged();
    void timeBeforeDieChanged();
    void timeneedToChargeChanged();
    void currentBatteryChanged();
    void privatChanged();
    void viewControllerChanged();
    void didEnterBackground();

private:
    void readSkin();
    void createWindow();

    Platform &m_platform;
    WindowFactory m_windowFactory;
    std::unique_ptr<QObject> m_window;

    float m_level = 1000.0f;
    QString m_timeBeforeDie;
    QString m_timeneedToCharge;
    int m_currentBattery = 0;
    bool m_privat = false;
    QVariantList m_imageArray;
    QVariantList m_transformIMG;
};
