#include "device/deviceproprietes.h"

#include "device/devicedelegate.h"

#include <QVariantMap>

#include <utility>

deviceProprietes::deviceProprietes(DeviceSpecTable table, QObject *parent)
    : QObject(parent), m_table(std::move(table))
{
}

QVariantList deviceProprietes::rows() const
{
    QVariantList list;
    const QList<DeviceSpecTable::Row> rows = m_table.rows();
    list.reserve(rows.size());
    for (const DeviceSpecTable::Row &row : rows)
        list.append(QVariantMap{{QStringLiteral("name"), row.first},
                                {QStringLiteral("value"), row.second}});
    return list;
}

void deviceProprietes::normBAt()
{
    m_table.normBAt();
    emit specificationChanged();
}

void deviceProprietes::back()
{
    if (m_delegate)
        m_delegate->unhideWheel();
    emit closeRequested();
}
