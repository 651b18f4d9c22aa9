// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

// A detail screen's refresh timer: it runs while the screen is shown and, once the user has left
// the screen, never again (the screen may be shown for a moment while it slides away).
class ScreenTimer : public QTimer
{
public:
    explicit ScreenTimer(int intervalMs) { setInterval(intervalMs); }

    void setShown(bool shown)
    {
        if (shown && !m_left)
            start();
        else
            stop();
    }
    void leave()
    {
        m_left = true;
        stop();
    }

private:
    bool m_left = false;
};
