// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the alarm and alert settings screen asks of the screen that presented it: the clock
// screen or the settings menu. Operations marked optional are sent only when the presenter says
// it implements them.
class AlarmTAbleDelegate
{
public:
    virtual ~AlarmTAbleDelegate() = default;

    // Never sent by the settings screen; presenters may leave it empty.
    virtual void weatherIsOn(bool on) = 0;
    // The screen is going away: the clock screen re-reads the weather cache.
    virtual void update() = 0;

    // Optional: switches the clock's temperature unit; returns true when it now shows Celsius.
    virtual bool respondsToChangeTempformat() const { return false; }
    virtual bool changeTempformat() { return true; }
    // Optional: shows the navigation wheel again.
    virtual bool respondsToUnhideWheel() const { return false; }
    virtual void unhideWheel() {}

protected:
    AlarmTAbleDelegate() = default;
    AlarmTAbleDelegate(const AlarmTAbleDelegate &) = default;
    AlarmTAbleDelegate &operator=(const AlarmTAbleDelegate &) = default;
};
