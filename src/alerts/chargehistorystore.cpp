// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/chargehistorystore.h"

#include "alerts/chargehistory.h"
#include "platform/plist.h"
#include "platform/recordwriter.h"

#include <optional>

ChargeHistoryStore::ChargeHistoryStore(const QString &documents, RecordWriter &writer,
                                       QObject *parent)
    : QObject(parent), m_writer(writer), m_calPath(documents + QStringLiteral("/calendar.plist")),
      m_now([] { return QDateTime::currentDateTime(); }), m_zone(QTimeZone::systemTimeZone())
{
    loadCalendar();
}

void ChargeHistoryStore::setClock(std::function<QDateTime()> now, QTimeZone zone)
{
    m_now = std::move(now);
    m_zone = std::move(zone);
}

void ChargeHistoryStore::calendarComplete(const QVariantMap &reading)
{
    // A new record goes to disk at once (a few times a day at most): a crash or a flat battery
    // must not take the day's records with it.
    if (chargehistory::record(m_calendarArr, reading, m_now(), m_zone) > 0)
        saveCalendar();
}

void ChargeHistoryStore::loadCalendar()
{
    // A missing file is an empty history; a damaged one has been set aside by the reader. An
    // unreadable one is kept: the history of this run stays in memory, and nothing is written
    // over that file while it cannot be read.
    const plist::ReadResult result = plist::readFile(m_calPath, plist::Shape::Array);
    m_calendarArr = result.ok() ? result.value.toList() : QVariantList();
}

void ChargeHistoryStore::saveCalendar()
{
    // On the writer's thread, merged with the file as it is then: records another running copy
    // stored since this history was loaded stay, and a history the file holds already is not
    // written again.
    m_writer.post([path = m_calPath, own = m_calendarArr] {
        updateStoredFile(
            path, plist::Shape::Array,
            [&own](const plist::ReadResult &stored) -> std::optional<QVariant> {
                const QVariantList onDisk = stored.ok() ? stored.value.toList() : QVariantList();
                if (std::optional<QVariantList> next = chargehistory::withStored(onDisk, own))
                    return QVariant(*next);
                return std::nullopt;
            });
    });
}
