#include "alerts/alertsettings_highprecision.h"

#include "platform/notificationcenter.h"
#include "platform/plist.h"

namespace {

const QString kType = QStringLiteral("Type");
const QString kState = QStringLiteral("state");
const QString kPrecision = QStringLiteral("higherPrecision");

qsizetype indexOfPrecision(const QVariantList &list)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].toMap().value(kType).toString() == kPrecision)
            return i;
    }
    return -1;
}

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
    for (const QVariant &v : std::as_const(m_alarmArray)) {
        const QVariantMap entry = v.toMap();
        if (entry.value(kType).toString() == kPrecision)
            m_swithBTN = entry.value(kState).toBool();
    }
}

void HighPrecisionSwitch::highPrecision()
{
    const qsizetype i = indexOfPrecision(m_alarmArray);
    if (i >= 0) {
        QVariantMap entry = m_alarmArray[i].toMap();
        m_swithBTN = !entry.value(kState).toBool();
        entry.insert(kState, m_swithBTN);
        m_alarmArray[i] = entry;

        // The menu's copy may be older than the file (the alarm settings screen or the charging
        // screen may have written since): only this one entry goes into the file as it is now.
        const plist::ReadResult fresh = plist::readFile(m_globalName);
        QVariantList stored = fresh.ok() ? fresh.value.toList() : m_alarmArray;
        const qsizetype target = indexOfPrecision(stored);
        if (target >= 0) {
            QVariantMap storedEntry = stored[target].toMap();
            storedEntry.insert(kState, m_swithBTN);
            stored[target] = storedEntry;
        } else {
            stored = m_alarmArray;
        }
        if (!plist::writeFile(m_globalName, stored))
            qWarning("powerdeck: could not write %s", qPrintable(m_globalName));
    }
    if (m_setPrivat)
        m_setPrivat(m_swithBTN);
    m_notifications.post(QStringLiteral("restartAPP"));
    m_notifications.post(QStringLiteral("restartAPP1.5"));
}
