// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/appstate.h"

#include "core/batteryestimate.h"
#include "platform/kernelidentity.h"

#include <QUrl>

namespace {

BatteryMonitor::Options monitorOptions(const Platform &platform)
{
    BatteryMonitor::Options o;
    o.historyPath = AppState::drawHistoryPath(platform.folders);
    o.bootId = bootId(platform.roots).toStdString();
    return o;
}

} // namespace

AppState::AppState(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform),
      m_batteryMonitor(platform.battery, monitorOptions(platform)),
      m_motion(platform.defaults, platform.powerSaver, m_batteryMonitor)
{
    connect(&m_batteryMonitor, &BatteryMonitor::readingChanged, this, &AppState::takeReading);
}

QString AppState::drawHistoryPath(const Folders &folders)
{
    return folders.library + QStringLiteral("/batteryDraw.plist");
}

void AppState::takeReading(const BatteryReading &reading)
{
    // The charge-complete notification is timed from this, whichever screen is open.
    if (reading.state == BatteryState::Charging && reading.timeToFullHours &&
        *reading.timeToFullHours > 0)
        setTimeneedToCharge(
            QString::fromStdString(batteryestimate::decimalHours(*reading.timeToFullHours)));
    else
        setTimeneedToCharge(QString());
}

namespace {

QString providerUrl(const char *provider, const QString &name, int tintGeneration)
{
    QUrl url;
    url.setScheme(QStringLiteral("image"));
    url.setHost(QLatin1String(provider));
    url.setPath(QLatin1Char('/') + name, QUrl::DecodedMode);
    if (tintGeneration > 0)
        url.setQuery(QStringLiteral("tint=%1").arg(tintGeneration));
    return url.toString(QUrl::FullyEncoded);
}

} // namespace

QString AppState::libraryImage(const QString &name) const
{
    return providerUrl("library", name, m_tintGeneration);
}

QString AppState::libraryFile(const QString &name) const
{
    return QUrl::fromLocalFile(m_platform.folders.library + QLatin1Char('/') + name).toString();
}

QString AppState::resourceImage(const QString &name) const
{
    return providerUrl("resources", name, 0);
}

bool AppState::isIpad() const
{
    return m_platform.idiom && m_platform.idiom() == 1;
}

void AppState::setLevel(float level)
{
    if (level == m_level)
        return;
    m_level = level;
    emit LevelChanged();
}

void AppState::setTimeBeforeDie(const QString &text)
{
    if (text == m_timeBeforeDie)
        return;
    m_timeBeforeDie = text;
    emit timeBeforeDieChanged();
}

void AppState::setTimeneedToCharge(const QString &text)
{
    if (text == m_timeneedToCharge)
        return;
    m_timeneedToCharge = text;
    emit timeneedToChargeChanged();
}

void AppState::setCurrentBattery(int index)
{
    if (index == m_currentBattery)
        return;
    m_currentBattery = index;
    emit currentBatteryChanged();
}

void AppState::setPrivat(bool on)
{
    if (on == m_privat)
        return;
    m_privat = on;
    emit privatChanged();
}

void AppState::setTintRunning(bool running)
{
    if (running == m_tintRunning)
        return;
    m_tintRunning = running;
    emit tintRunningChanged();
}
