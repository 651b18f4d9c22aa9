// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/ramviewcontroller.h"

#include "charts/chartgeometry.h"
#include "monitor/activitymonitor.h"
#include "platform/logging.h"
#include "platform/translation.h"

#include <QMetaObject>

#include <cmath>

RamFigures readRamFigures(const std::string &procRoot, const std::string &sysRoot)
{
    RamFigures figures;
    figures.zram = ActivityMonitor::readZram(sysRoot, procRoot);
    // Every figure of a refresh from one read of meminfo.
    const auto sample = ActivityMonitor::readMemorySample(procRoot);
    if (!sample)
        return figures;
    constexpr double kMB = 1024.0 * 1024.0;
    figures.cache = double(sample->cacheBytes) / kMB;
    figures.swapUsed = double(sample->swapUsedBytes()) / kMB;
    figures.swapTotal = double(sample->swapTotalBytes) / kMB;
    figures.usedMB = ActivityMonitor::usedMemoryy(sample, false);
    figures.usedPercent = ActivityMonitor::usedMemoryy(sample, true);
    figures.freeMB = ActivityMonitor::freeMemoryy(sample, false);
    figures.freePercent = ActivityMonitor::freeMemoryy(sample, true);
    figures.total = ActivityMonitor::totalMem(sample);
    const auto usage = ActivityMonitor::currentMemoryUsage(sample);
    if (usage.count("error"))
        return figures;
    auto whole = [&](const char *key) {
        const auto found = usage.find(key);
        return found == usage.end() ? -1 : static_cast<long long>(found->second);
    };
    figures.wire = whole("Wire");
    figures.active = whole("active");
    figures.free = whole("free");
    figures.inactive = whole("inactive");
    figures.purgeable = whole("Purgeable");
    return figures;
}

namespace {

const QString kFailedMB = QStringLiteral("-1 MB");
const QString kFailedPercent = QStringLiteral("-1.00 %");

QString megabytes(double mb)
{
    return mb < 0 ? kFailedMB : QString::asprintf("%.1f MB", mb);
}

QString wholeMegabytes(long long mb)
{
    return mb < 0 ? kFailedMB : QString::asprintf("%lld MB", mb);
}

QString percentText(double percent)
{
    return percent < 0 || !std::isfinite(percent) ? kFailedPercent
                                                  : QString::asprintf("%.2f %%", percent);
}

} // namespace

ramViewController::ramViewController(std::string procRoot, std::string sysRoot, QString picturePath,
                                     std::shared_ptr<PurgeMemorySource> source,
                                     PurgeOptions options, QObject *parent)
    : QObject(parent), m_procRoot(std::move(procRoot)), m_sysRoot(std::move(sysRoot)),
      m_picturePath(std::move(picturePath)),
      m_purge(source ? std::move(source) : std::make_shared<ProcMemorySource>(m_procRoot),
              m_picturePath.toStdString(), options)
{
    m_nt.setInterval(kRefreshMs);
    connect(&m_nt, &QTimer::timeout, this, &ramViewController::refresh);
    // The first fill, animated; the timer starts when the screen is shown.
    show(readRamFigures(m_procRoot, m_sysRoot));
}

ramViewController::~ramViewController()
{
    // The worker holds its own share of the flag and the source: it stops within one copy of
    // the picture and gives its memory back on its own thread, so closing the screen during a
    // purge does not wait for the unmapping. Its report to this screen is dropped.
    m_purge.abandon();
}

void ramViewController::refresh()
{
    m_animated = false;
    show(readRamFigures(m_procRoot, m_sysRoot));
}

void ramViewController::show(const RamFigures &f)
{
    // share(x) = x × 100 / total of a whole number of MB; -1 when either is missing.
    auto share = [&](long long mb) {
        return mb < 0 || !(f.total > 0) ? -1.0 : static_cast<double>(mb * 100) / f.total;
    };
    // Ring 1 is the first row's used memory, ring 3 the third row's free memory.
    const double parts[kRingCount] = {f.usedPercent, share(f.active), f.freePercent,
                                      share(f.inactive), share(f.purgeable)};
    m_percents.clear();
    m_rotations.clear();
    double rotation = 0;
    for (double part : parts) {
        const double drawn = f.total > 0 ? std::max(part, 0.0) : 0.0;
        m_percents.append(charts::ringPercent(drawn));
        m_rotations.append(rotation);
        // Used memory and the page lists overlap, so the stack may go round more than once.
        rotation += std::min(drawn, 100.0) * 360.0 / 100.0;
    }

    m_texts[0] = megabytes(f.usedMB);
    m_texts[1] = wholeMegabytes(f.active);
    m_texts[2] = megabytes(f.freeMB);
    m_texts[3] = wholeMegabytes(f.inactive);
    m_texts[4] = wholeMegabytes(f.purgeable);
    m_texts[5] = percentText(f.usedPercent);
    m_texts[6] = percentText(parts[1]);
    m_texts[7] = percentText(f.freePercent);
    m_texts[8] = percentText(parts[3]);
    m_texts[9] = percentText(parts[4]);
    m_texts[10] = f.total > 0 ? QString::asprintf("%.1fMB", double(f.total)) : kFailedMB;

    m_texts[11] = megabytes(f.cache);
    m_texts[12] =
        f.cache < 0 || !(f.total > 0) ? kFailedPercent : percentText(f.cache * 100 / f.total);
    m_hasSwap = f.swapTotal > 0;
    m_texts[13] = m_hasSwap ? megabytes(f.swapUsed) : QString();
    m_texts[14] = m_hasSwap ? percentText(f.swapUsed * 100 / f.swapTotal) : QString();
    m_hasZram = f.zram.has_value();
    if (m_hasZram) {
        constexpr double kMB = 1024.0 * 1024.0;
        const double stored = double(f.zram->storedBytes) / kMB;
        // Stored data, then the memory it takes once compressed: "812.0 → 203.5 MB".
        m_texts[15] = f.zram->hasInRam
                          ? QStringLiteral("%1 \u2192 %2 MB")
                                .arg(QString::number(stored, 'f', 1),
                                     QString::number(double(f.zram->inRamBytes) / kMB, 'f', 1))
                          : megabytes(stored);
        m_texts[16] =
            f.zram->sizeBytes > 0
                ? percentText(double(f.zram->storedBytes) * 100 / double(f.zram->sizeBytes))
                : kFailedPercent;
    } else {
        m_texts[15].clear();
        m_texts[16].clear();
    }
    emit figuresChanged();
}

void ramViewController::accelerateRam()
{
    if (m_purging)
        return;
    // The button is off and the flag cleared here, before the worker exists: a second tap finds
    // the purge running.
    m_purging = true;
    emit purgeChanged();
    qCDebug(lcMonitor, "run");
    qCDebug(lcMonitor) << "path:" << m_picturePath;
    const bool started = m_purge.start([this](const PurgeResult &result) {
        // On the worker: hand the result to the interface thread. Posted to this object, the call
        // is dropped if the screen goes first (its destructor takes this report away first, or
        // waits for this post to be made; a posted call dies with the screen).
        QMetaObject::invokeMethod(
            this, [this, result] { purgeFinished(result); }, Qt::QueuedConnection);
    });
    if (!started) {
        // An earlier worker that has not reported yet: wait for it to do so.
        m_purging = false;
        emit purgeChanged();
    }
}

void ramViewController::purgeFinished(const PurgeResult &result)
{
    // The worker's last act was to post this: the join returns at once.
    m_purge.join();
    qCDebug(lcMonitor, "start purge");
    qCDebug(lcMonitor, "fin purge: %s, %.0f MB taken in %.1f s", purgeStopName(result.reason),
            double(result.bytesTaken) / (1024.0 * 1024.0), result.seconds);
    m_lastPurge = result;
    ++m_purgesFinished;
    m_summary = tr("%1 MB freed (%2)")
                    .arg(QString::number(double(result.bytesTaken) / (1024.0 * 1024.0), 'f', 0),
                         uiText(purgeStopName(result.reason)));
    m_purging = false;
    qCDebug(lcMonitor, "stop");
    emit purgeChanged();
    refresh();
}

void ramViewController::tempAction()
{
    m_purge.stop();
}

void ramViewController::goBack()
{
    m_nt.stop();
    m_purge.stop();
    emit closeRequested();
}

void ramViewController::setShown(bool shown)
{
    if (shown)
        m_nt.start();
    else
        m_nt.stop();
}
