// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batterymonitor.h"
#include "core/motionpolicy.h"
#include "core/platform.h"
#include "platform/recordwriter.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQmlIntegration/qqmlintegration.h>

// The state every screen shares, owned by the application object and handed to each controller:
// the battery monitor and the battery state (charge, estimates), the chosen skin, the
// higher-precision mode, whether motion is reduced, the device family with its interface images,
// and the platform services the screens reach the system through. It survives every rebuild of the
// interface.
class AppState : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the application object")
    Q_PROPERTY(float Level READ Level WRITE setLevel NOTIFY LevelChanged)
    Q_PROPERTY(
        QString timeBeforeDie READ timeBeforeDie WRITE setTimeBeforeDie NOTIFY timeBeforeDieChanged)
    Q_PROPERTY(QString timeneedToCharge READ timeneedToCharge WRITE setTimeneedToCharge NOTIFY
                   timeneedToChargeChanged)
    Q_PROPERTY(
        int currentBattery READ currentBattery WRITE setCurrentBattery NOTIFY currentBatteryChanged)
    Q_PROPERTY(bool privat READ privat WRITE setPrivat NOTIFY privatChanged)

public:
    static constexpr int kSkinCount = 5;

    explicit AppState(Platform &platform, QObject *parent = nullptr);

    // Where the battery monitor keeps its measurement between starts.
    static QString drawHistoryPath(const Folders &folders);

    Platform &platform() { return m_platform; }
    BatteryMonitor &batteryMonitor() { return m_batteryMonitor; }
    const BatteryMonitor &batteryMonitor() const { return m_batteryMonitor; }
    MotionPolicy &motion() { return m_motion; }
    const MotionPolicy &motion() const { return m_motion; }
    const Platform &platform() const { return m_platform; }
    const Folders &folders() const { return m_platform.folders; }
    // Where the screens' records go to disk, away from the interface thread; it outlives every
    // screen, and the end of the run finishes what is queued.
    RecordWriter &recordWriter() { return m_recordWriter; }

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

    // The family's shipped interface images and the copies made of them in the Library folder,
    // as {"path", "name"} entries.
    const QVariantList &imageArray() const { return m_imageArray; }
    void setImageArray(QVariantList images) { m_imageArray = std::move(images); }
    const QVariantList &transformIMG() const { return m_transformIMG; }
    void setTransformIMG(QVariantList copies) { m_transformIMG = std::move(copies); }

    // The device family: the tablet layout (idiom 1) or the phone layout (0).
    bool isIpad() const;
    // URLs of interface images: the (tinted) copies in the Library folder, or the shipped
    // resources for the few images that are never tinted. They are named for the views' image
    // providers of those folders ("image://library/<name>", "image://resources/<name>", see
    // LibraryPictures), a Library picture with the tint generation once a tint has run
    // ("?tint=2"); libraryFile() is the same copy's file URL, for code that reads the file
    // itself.
    Q_INVOKABLE QString libraryImage(const QString &name) const;
    Q_INVOKABLE QString libraryFile(const QString &name) const;
    Q_INVOKABLE QString resourceImage(const QString &name) const;

    // Counts the runs that rewrote the tinted copies in the Library folder during this process:
    // the interface loads the copies under URLs that carry it, so that a rebuilt interface
    // does not reuse the pictures Qt Quick cached from before.
    int tintGeneration() const { return m_tintGeneration; }
    void tintRewritten() { ++m_tintGeneration; }
    // A run of the tint is writing the copies (one at a time: a second waits for this one).
    bool tintRunning() const { return m_tintRunning; }
    void setTintRunning(bool running);

signals:
    void LevelChanged();
    void timeBeforeDieChanged();
    void timeneedToChargeChanged();
    void currentBatteryChanged();
    void privatChanged();
    void tintRunningChanged();

private:
    void takeReading(const BatteryReading &reading);

    Platform &m_platform;
    RecordWriter m_recordWriter;
    BatteryMonitor m_batteryMonitor;
    MotionPolicy m_motion;
    float m_level = 1000.0f;
    QString m_timeBeforeDie;
    QString m_timeneedToCharge;
    int m_currentBattery = 0;
    bool m_privat = false;
    QVariantList m_imageArray;
    QVariantList m_transformIMG;
    int m_tintGeneration = 0;
    bool m_tintRunning = false;
};
