// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantList>

#include <functional>

class NotificationCenter;

// The settings menu's higher-precision switch (swithBTN): its own copy of Alert.plist, loaded
// with the menu, and the highPrecision: operation, which stores the new mode, hands it to the
// application object and rebuilds the interface.
class HighPrecisionSwitch
{
public:
    HighPrecisionSwitch(QString alertPath, NotificationCenter &notifications,
                        std::function<void(bool)> setPrivat);

    // Loads the copy; swithBTN shows the first "higherPrecision" entry, the one it flips.
    void load();
    bool swithBTN() const { return m_swithBTN; }
    const QVariantList &alarmArray() const { return m_alarmArray; }
    const QString &globalName() const { return m_globalName; }

    // Flips the mode, writes it at once, sets privat, posts "restartAPP" then "restartAPP1.5".
    void highPrecision();

private:
    QString m_globalName;
    NotificationCenter &m_notifications;
    std::function<void(bool)> m_setPrivat;
    QVariantList m_alarmArray;
    bool m_swithBTN = false;
};
