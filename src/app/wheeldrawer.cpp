// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wheeldrawer.h"

WheelDrawer::WheelDrawer(double screenHeight, bool tablet, QObject *parent)
    : QObject(parent), m_drawer{screenHeight, tablet}
{
    // The drawer starts open, where releasing it upwards brings it back to.
    m_top = m_drawer.openTop();

    m_snapTimer.setInterval(kSnapIntervalMs);
    m_snapTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_snapTimer, &QTimer::timeout, this, [this] { m_snappingUp ? goUp() : goDown(); });
}

void WheelDrawer::touchesBegan(double y)
{
    m_snapping = false;
    updateSnapTimer();
    touchesMoved(y);
}

void WheelDrawer::touchesMoved(double y)
{
    const double top = m_drawer.follow(m_top, y);
    if (top != m_top) {
        m_top = top;
        emit topChanged();
    }
}

void WheelDrawer::touchesEnded(double y)
{
    m_snappingUp = !m_drawer.releaseGoesDown(y);
    m_snapping = true;
    updateSnapTimer();
}

void WheelDrawer::goUp()
{
    if (m_drawer.stepUp(m_top)) {
        emit topChanged();
        return;
    }
    m_snapping = false;
    updateSnapTimer();
}

void WheelDrawer::goDown()
{
    if (m_drawer.stepDown(m_top)) {
        emit topChanged();
        return;
    }
    m_snapping = false;
    updateSnapTimer();
}

void WheelDrawer::setWindowVisible(bool visible)
{
    m_windowVisible = visible;
    updateSnapTimer();
}

void WheelDrawer::stop()
{
    m_snapping = false;
    m_snapTimer.stop();
}

void WheelDrawer::updateSnapTimer()
{
    // The snapping is an animation: it pauses while nobody can see it.
    if (m_snapping && m_windowVisible)
        m_snapTimer.start();
    else
        m_snapTimer.stop();
}
