// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batteryreading.h"

#include <QObject>
#include <QString>

class BatteryMonitor;
class PowerSaverSource;
class UserDefaults;

// The "Reduce motion" setting of the settings menu.
enum class MotionSetting { Automatic, Always, Never };

namespace motion {

// The user-defaults key and its stored values.
inline constexpr char kDefaultsKey[] = "reduceMotion";
MotionSetting settingFrom(const QString &stored);
QString storedName(MotionSetting setting);
// The menu's row steps through the three in turn.
MotionSetting nextSetting(MotionSetting setting);

// Below this charge, running from the battery, motion is reduced on its own.
inline constexpr float kLowBatteryPercent = 20;
// Reduced, the monitor gauges refresh this many times less often.
inline constexpr int kRefreshSlowdown = 4;

// Whether the screens show less motion: always, never, or (automatic) while the system's power
// saver is on or the battery runs low.
bool reduced(MotionSetting setting, bool powerSaver, const BatteryReading &reading);

} // namespace motion

// The rule above, kept current: it follows the stored setting, the power saver and each battery
// reading, and says when the outcome changes. Owned by the shared state.
class MotionPolicy : public QObject
{
    Q_OBJECT
public:
    // saver may be null (no power-saver source on this system).
    MotionPolicy(UserDefaults &defaults, PowerSaverSource *saver, const BatteryMonitor &monitor,
                 QObject *parent = nullptr);

    bool reduced() const { return m_reduced; }
    MotionSetting setting() const { return m_setting; }
    // Stores the setting in the user defaults.
    void setSetting(MotionSetting setting);

signals:
    void reducedChanged(bool reduced);
    void settingChanged();

private:
    void update();

    UserDefaults &m_defaults;
    PowerSaverSource *m_saver;
    BatteryReading m_reading;
    MotionSetting m_setting;
    bool m_reduced = false;
};
