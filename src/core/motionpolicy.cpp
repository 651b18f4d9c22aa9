// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motionpolicy.h"

#include "core/batterymonitor.h"
#include "platform/powerprofiles.h"
#include "platform/userdefaults.h"

namespace motion {

namespace {

struct Name
{
    MotionSetting setting;
    const char *stored;
};
constexpr Name kNames[] = {
    {MotionSetting::Automatic, "automatic"},
    {MotionSetting::Always, "always"},
    {MotionSetting::Never, "never"},
};

} // namespace

MotionSetting settingFrom(const QString &stored)
{
    for (const Name &n : kNames)
        if (stored == QLatin1String(n.stored))
            return n.setting;
    return MotionSetting::Automatic;
}

QString storedName(MotionSetting setting)
{
    for (const Name &n : kNames)
        if (n.setting == setting)
            return QString::fromLatin1(n.stored);
    return QString::fromLatin1(kNames[0].stored);
}

MotionSetting nextSetting(MotionSetting setting)
{
    switch (setting) {
    case MotionSetting::Automatic:
        return MotionSetting::Always;
    case MotionSetting::Always:
        return MotionSetting::Never;
    case MotionSetting::Never:
        break;
    }
    return MotionSetting::Automatic;
}

bool reduced(MotionSetting setting, bool powerSaver, const BatteryReading &reading)
{
    switch (setting) {
    case MotionSetting::Always:
        return true;
    case MotionSetting::Never:
        return false;
    case MotionSetting::Automatic:
        break;
    }
    const bool low = reading.hasBattery && reading.state == BatteryState::Unplugged &&
                     reading.percent >= 0 && reading.percent < kLowBatteryPercent;
    return powerSaver || low;
}

} // namespace motion

MotionPolicy::MotionPolicy(UserDefaults &defaults, PowerSaverSource *saver,
                           const BatteryMonitor &monitor, QObject *parent)
    : QObject(parent), m_defaults(defaults), m_saver(saver), m_reading(monitor.reading()),
      m_setting(motion::settingFrom(defaults.string(QString::fromLatin1(motion::kDefaultsKey))))
{
    if (m_saver)
        connect(m_saver, &PowerSaverSource::powerSaverChanged, this, &MotionPolicy::update);
    connect(&monitor, &BatteryMonitor::readingChanged, this, [this](const BatteryReading &r) {
        m_reading = r;
        update();
    });
    m_reduced = motion::reduced(m_setting, m_saver && m_saver->powerSaver(), m_reading);
}

void MotionPolicy::setSetting(MotionSetting setting)
{
    if (setting == m_setting)
        return;
    m_setting = setting;
    m_defaults.setValue(QString::fromLatin1(motion::kDefaultsKey), motion::storedName(setting));
    emit settingChanged();
    update();
}

void MotionPolicy::update()
{
    const bool now = motion::reduced(m_setting, m_saver && m_saver->powerSaver(), m_reading);
    if (now == m_reduced)
        return;
    m_reduced = now;
    emit reducedChanged(now);
}
