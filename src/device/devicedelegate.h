// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the device information screen asks of the screen that presented it.
class deviceDelegate
{
public:
    virtual ~deviceDelegate() = default;
    // The navigation wheel was hidden while the screen was up; show it again.
    virtual void unhideWheel() = 0;

protected:
    deviceDelegate() = default;
    deviceDelegate(const deviceDelegate &) = default;
    deviceDelegate &operator=(const deviceDelegate &) = default;
};
