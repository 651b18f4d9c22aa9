// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceproprietes.h"

#include "device/figuretext.h"
#include "platform/translation.h"

#include <QLocale>
#include <QVariantMap>

#include <utility>

deviceProprietes::deviceProprietes(DeviceSpecTable table, QObject *parent)
    : QObject(parent), m_table(std::move(table))
{
}

QString deviceProprietes::shownValue(const QString &property, const QString &value,
                                     const QLocale &locale)
{
    if (value == QLatin1String("Yes"))
        return tr("Yes");
    if (value == QLatin1String("No"))
        return tr("No");
    if (!figuretext::isMeasurement(property.toStdString()))
        return value;
    return QString::fromStdString(
        figuretext::withDecimalPoint(value.toStdString(), locale.decimalPoint().toStdString()));
}

QVariantList deviceProprietes::rows() const
{
    QVariantList list;
    const QList<DeviceSpecTable::Row> rows = m_table.rows();
    list.reserve(rows.size());
    const QLocale locale;
    for (const DeviceSpecTable::Row &row : rows)
        list.append(
            QVariantMap{{QStringLiteral("name"), uiText(row.first.toStdString())},
                        {QStringLiteral("value"), shownValue(row.first, row.second, locale)}});
    return list;
}

void deviceProprietes::normBAt()
{
    m_table.normBAt();
    emit specificationChanged();
}

void deviceProprietes::back()
{
    emit unhideWheel();
    emit closeRequested();
}
