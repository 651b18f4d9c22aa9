// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the battery health screen asks of the screen that presented it.
class healthDelegate
{
public:
    virtual ~healthDelegate() = default;
    // The navigation wheel was hidden while the screen was up; show it again.
    virtual void unhideWheel() = 0;

protected:
    healthDelegate() = default;
    healthDelegate(const healthDelegate &) = default;
    healthDelegate &operator=(const healthDelegate &) = default;
};
