// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"
#include "monitor/memorypurge.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>
#include <string>

// The memory figures of one refresh of the memory screen, all from one read of meminfo (and one
// of the zram devices).
struct RamFigures
{
    double usedMB = -1;      // MemTotal − MemAvailable; -1 when not greater than 0 or unread
    double usedPercent = -1; // of MemTotal
    double freeMB = -1;      // MemFree
    double freePercent = -1;
    float total = 0; // MemTotal in MB; 0 when it cannot be read
    // Whole MB (truncated); -1 when the page counts cannot be read.
    long long wire = -1;
    long long active = -1;
    long long free = -1;
    long long inactive = -1;
    long long purgeable = -1;
    // MB; -1 when unread. No swap has a swapTotal of 0.
    double cache = -1; // buff/cache
    double swapUsed = -1;
    double swapTotal = 0;
    std::optional<ZramSample> zram;
};

// Reads <procRoot>/meminfo and the zram devices under <sysRoot> once and forms every figure the
// memory screen shows from them.
RamFigures readRamFigures(const std::string &procRoot, const std::string &sysRoot);

// The memory screen: five concentric rings and their figures refreshed every 2 s, the cache,
// swap and zram figures, and the purge (see MemoryPurge) behind the accelerate button.
//
// The rings stack as one circle drawn across five radii: used from twelve o'clock, then active,
// free, inactive and purgeable, each starting where the one before ended (used memory and the
// page lists overlap, so the stack may go round more than once). Ring 1 and the first row show the
// same used memory. The rings of active, inactive and purgeable are their shares of MemTotal; a
// total of 0 (a failed read) leaves the rings empty and shows "-1.00 %", and a figure that could
// not be read shows "-1 MB" or "-1.00 %".
class ramViewController : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(RamViewController)
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(QString ramMBWired READ ramMBWired NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBActive READ ramMBActive NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBFree READ ramMBFree NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBInactive READ ramMBInactive NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBPurgeable READ ramMBPurgeable NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrWired READ ramPrWired NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrActive READ ramPrActive NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrFree READ ramPrFree NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrInactive READ ramPrInactive NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrPurgeabme READ ramPrPurgeabme NOTIFY figuresChanged)
    Q_PROPERTY(QString totalLBL READ totalLBL NOTIFY figuresChanged)
    // buff/cache in MB and as a share of MemTotal; swap used in MB and as a share of the swap;
    // zram: the data stored and, where the kernel tells it, the memory that takes, and the
    // stored share of the devices' size. Empty texts (and false) without swap or zram.
    Q_PROPERTY(QString ramMBCache READ ramMBCache NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrCache READ ramPrCache NOTIFY figuresChanged)
    Q_PROPERTY(bool hasSwap READ hasSwap NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBSwap READ ramMBSwap NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrSwap READ ramPrSwap NOTIFY figuresChanged)
    Q_PROPERTY(bool hasZram READ hasZram NOTIFY figuresChanged)
    Q_PROPERTY(QString ramMBZram READ ramMBZram NOTIFY figuresChanged)
    Q_PROPERTY(QString ramPrZram READ ramPrZram NOTIFY figuresChanged)
    // Ring 1 (outermost, used) to ring 5 (innermost, purgeable): whole percents and the degrees
    // clockwise from twelve o'clock at which each arc starts.
    Q_PROPERTY(QList<int> ringPercents READ ringPercents NOTIFY figuresChanged)
    Q_PROPERTY(QList<qreal> ringRotations READ ringRotations NOTIFY figuresChanged)
    // The first fill is animated, the refreshes are not.
    Q_PROPERTY(bool ringsAnimated READ ringsAnimated NOTIFY figuresChanged)
    Q_PROPERTY(bool killEnabled READ killEnabled NOTIFY purgeChanged)
    Q_PROPERTY(bool loadingVisible READ loadingVisible NOTIFY purgeChanged)
    Q_PROPERTY(QString purgeSummary READ purgeSummary NOTIFY purgeChanged)

public:
    static constexpr int kRefreshMs = 2000;
    static constexpr int kRingCount = 5;

    // `source` null: the figures of the running system under procRoot.
    ramViewController(std::string procRoot, std::string sysRoot, QString picturePath,
                      std::shared_ptr<PurgeMemorySource> source = {}, PurgeOptions options = {},
                      QObject *parent = nullptr);
    ~ramViewController() override;

    QString ramMBWired() const { return m_texts[0]; }
    QString ramMBActive() const { return m_texts[1]; }
    QString ramMBFree() const { return m_texts[2]; }
    QString ramMBInactive() const { return m_texts[3]; }
    QString ramMBPurgeable() const { return m_texts[4]; }
    QString ramPrWired() const { return m_texts[5]; }
    QString ramPrActive() const { return m_texts[6]; }
    QString ramPrFree() const { return m_texts[7]; }
    QString ramPrInactive() const { return m_texts[8]; }
    QString ramPrPurgeabme() const { return m_texts[9]; }
    QString totalLBL() const { return m_texts[10]; }
    QString ramMBCache() const { return m_texts[11]; }
    QString ramPrCache() const { return m_texts[12]; }
    QString ramMBSwap() const { return m_texts[13]; }
    QString ramPrSwap() const { return m_texts[14]; }
    QString ramMBZram() const { return m_texts[15]; }
    QString ramPrZram() const { return m_texts[16]; }
    bool hasSwap() const { return m_hasSwap; }
    bool hasZram() const { return m_hasZram; }
    QList<int> ringPercents() const { return m_percents; }
    QList<qreal> ringRotations() const { return m_rotations; }
    bool ringsAnimated() const { return m_animated; }
    bool killEnabled() const { return !m_purging; }
    bool loadingVisible() const { return m_purging; }
    QString purgeSummary() const { return m_summary; }
    const PurgeResult &lastPurge() const { return m_lastPurge; }
    int purgesFinished() const { return m_purgesFinished; }
    QTimer &refreshTimer() { return m_nt; }
    MemoryPurge &purge() { return m_purge; }

    // Every 2 s while shown: the rings, then the figures.
    Q_INVOKABLE void refresh();
    // The accelerate button: starts a purge unless one runs.
    Q_INVOKABLE void accelerateRam();
    // The stop button of a running purge.
    Q_INVOKABLE void tempAction();
    // The back button: the purge stops and the screen asks to be closed.
    Q_INVOKABLE void goBack();
    // The refresh timer runs only while the screen is shown and the window visible.
    Q_INVOKABLE void setShown(bool shown);

signals:
    void figuresChanged();
    void purgeChanged();
    void closeRequested();

private:
    void show(const RamFigures &figures);
    void purgeFinished(const PurgeResult &result);

    std::string m_procRoot;
    std::string m_sysRoot;
    QString m_picturePath;
    QTimer m_nt;
    QString m_texts[17];
    bool m_hasSwap = false;
    bool m_hasZram = false;
    QList<int> m_percents;
    QList<qreal> m_rotations;
    bool m_animated = true;
    bool m_purging = false;
    QString m_summary;
    PurgeResult m_lastPurge;
    int m_purgesFinished = 0;
    MemoryPurge m_purge; // last: stopped and let go before the rest goes
};
