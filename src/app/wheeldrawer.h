// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/navigation.h"

#include <QObject>
#include <QTimer>

// The navigation wheel's drawer on the main screen: its top edge follows the finger on the
// handle, and on release it snaps open or nearly closed one point per tick. The snapping pauses
// while the window cannot be seen.
class WheelDrawer : public QObject
{
    Q_OBJECT

public:
    // The drawer snaps by one point every 1/300 s.
    static constexpr int kSnapIntervalMs = 3;

    // screenHeight is the layout's height in points. The drawer starts open.
    WheelDrawer(double screenHeight, bool tablet, QObject *parent = nullptr);

    double top() const { return m_top; }

    // The handle, with the finger's y in the screen's points.
    void touchesBegan(double y);
    void touchesMoved(double y);
    void touchesEnded(double y);
    // One snapping tick towards the open and the nearly closed position.
    void goUp();
    void goDown();

    // Whether the window is visible: the snapping runs only while it is.
    void setWindowVisible(bool visible);
    // Stops snapping for good (the main screen is being torn down).
    void stop();

    QTimer &snapTimer() { return m_snapTimer; }

signals:
    void topChanged();

private:
    void updateSnapTimer();

    navigation::Drawer m_drawer;
    double m_top = 0;
    bool m_windowVisible = true;
    bool m_snapping = false;
    bool m_snappingUp = false;
    QTimer m_snapTimer;
};
