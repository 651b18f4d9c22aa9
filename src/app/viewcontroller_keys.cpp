// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "alarm/budilinikcontroller.h"
#include "appearance/wheelmath.h"
#include "appearance/whellcontroller.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>

bool ViewController::stepPage(int delta)
{
    const int page = std::clamp(m_page + delta, 0, navigation::kPageCount - 1);
    if (m_presented || page == m_page)
        return false;
    auto *wheel = qobject_cast<WhellController *>(m_whell);
    if (!wheel) {
        gotoView(page);
        return true;
    }
    // Through the wheel, so that it turns and its pages do what they do on a turn (the
    // calendar writes the history first); the monitor page is the wheel's monitor button.
    switch (page) {
    case wheelmath::Tips:
        wheel->gotoTips();
        break;
    case wheelmath::Calendar:
        wheel->gotoCalendar();
        break;
    case wheelmath::Battery:
        wheel->gotoBattery();
        break;
    case wheelmath::Charging:
        wheel->gotoCharging();
        break;
    case wheelmath::Settings:
        wheel->gotoSettings();
        break;
    default:
        wheel->gotoActivityMonitor();
        break;
    }
    return true;
}

bool ViewController::keyPressed(int key, int modifiers)
{
    const auto mods = Qt::KeyboardModifiers(modifiers) & ~Qt::KeypadModifier;
    if (key == Qt::Key_Q && mods == Qt::ControlModifier) {
        QCoreApplication::quit();
        return true;
    }
    if (mods != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return stepPage(-1);
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        return stepPage(1);
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // On the clock (not under its settings screen) the keys step the brightness.
        auto *clock = qobject_cast<BudilinikController *>(m_presented.get());
        if (!clock || clock->alarmShown())
            return false;
        clock->brightnessStep(key == Qt::Key_Up ? 1 : -1);
        return true;
    }
    case Qt::Key_Escape:
    case Qt::Key_Backspace: {
        QObject *screen = m_presented.get();
        if (!screen)
            return false;
        // The screen's own back action, which saves what it must before asking to close.
        for (const char *back : {"goBack()", "back()"}) {
            if (screen->metaObject()->indexOfMethod(back) >= 0) {
                QMetaObject::invokeMethod(screen, QByteArray(back).chopped(2).constData());
                return true;
            }
        }
        closePresented();
        return true;
    }
    default:
        return false;
    }
}

void ViewController::mouseWheel(int angleDelta)
{
    constexpr int kNotch = 120;
    // A turn against the last one starts counting afresh.
    if ((angleDelta > 0) != (m_wheelDelta > 0))
        m_wheelDelta = 0;
    m_wheelDelta += angleDelta;
    // Whole notches turn at once: the wheel is still turning to the first when the next arrives.
    const int notches = m_wheelDelta / kNotch;
    m_wheelDelta -= notches * kNotch;
    if (notches != 0)
        stepPage(-notches);
}
