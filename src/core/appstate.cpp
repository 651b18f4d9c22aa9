#include "core/appstate.h"

#include <QUrl>

AppState::AppState(Platform &platform, QObject *parent) : QObject(parent), m_platform(platform) {}

QString AppState::libraryImage(const QString &name) const
{
    return QUrl::fromLocalFile(m_platform.folders.library + QLatin1Char('/') + name).toString();
}

QString AppState::resourceImage(const QString &name) const
{
    return QUrl::fromLocalFile(m_platform.folders.resources + QLatin1Char('/') + name).toString();
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
