// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/alertsettings_highprecision.h"

#include "core/alertrecords.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

namespace {

const QString kType = QStringLiteral("Type");
const QString kState = QStringLiteral("state");
const QString kPrecision = QStringLiteral("higherPrecision");

} // namespace

HighPrecisionSwitch::HighPrecisionSwitch(QString alertPath, NotificationCenter &notifications,
                                         std::function<void(bool)> setPrivat)
    : m_globalName(std::move(alertPath)), m_notifications(notifications),
      m_setPrivat(std::move(setPrivat))
{
}

void HighPrecisionSwitch::load()
{
    const plist::ReadResult r = plist::readFile(m_globalName);
    m_alarmArray = r.ok() ? r.value.toList() : QVariantList{};
    // The entry the switch flips, and so the one it shows: the first of its type.
    const qsizetype i = alertrecords::indexOfType(m_alarmArray, kPrecision);
    m_swithBTN = i >= 0 && m_alarmArray[i].toMap().value(kState).toBool();
}

void HighPrecisionSwitch::highPrecision()
{
    const qsizetype i = alertrecords::indexOfType(m_alarmArray, kPrecision);
    if (i >= 0) {
        QVariantMap entry = m_alarmArray[i].toMap();
        m_swithBTN = !entry.value(kState).toBool();
        entry.insert(kState, m_swithBTN);
        m_alarmArray[i] = entry;
        // The menu's copy may be older than the file (the alarm settings screen or the charging
        // screen may have written since): only this one entry goes into the file as it is now.
        alertrecords::storeState(m_globalName, kPrecision, m_swithBTN, m_alarmArray);
    }
    if (m_setPrivat)
        m_setPrivat(m_swithBTN);
    m_notifications.post(QStringLiteral("restartAPP"));
    m_notifications.post(QStringLiteral("restartAPP1.5"));
}
