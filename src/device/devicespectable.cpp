// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicespectable.h"

#include "platform/kernelidentity.h"

#include "device/capacitytext.h"
#include "device/hostspecification.h"
#include "platform/batterydesign.h"
#include "platform/plist.h"
#include "platform/uitext.h"

#include <QFile>

#include <utility>

const QStringList &DeviceSpecTable::propertyNames()
{
    static const QStringList names = {
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Name")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Frequency")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "CPU")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Size")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Weight")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Screen Size")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Screen Resolution")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Pixel density")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Battery voltage")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Battery capacity")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Wi-Fi")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Bluetooth")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Rear camera")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Front camera")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Three-axis gyroscope")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Orientation sensor")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Distance sensor")),
        QStringLiteral(POWERDECK_TEXT("Powerdeck", "Ambient light sensor")),
    };
    return names;
}

bool DeviceSpecTable::isHostIdentifier(const QString &identifier)
{
    return ::isHostIdentifier(identifier.toStdString());
}

DeviceSpecTable::DeviceSpecTable(QString resourcePath, QString platform, SystemRoots roots)
    : m_resourcePath(std::move(resourcePath)), m_platform(std::move(platform)),
      m_roots(std::move(roots))
{
}

QVariantMap DeviceSpecTable::loadResource(const QString &path)
{
    // Parsed from the bytes rather than through plist::readFile: that one sets a corrupt file
    // aside, which is right for the user's data but not for a shipped, possibly read-only,
    // resource. A broken resource simply reads as empty.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QVariant root = plist::fromData(file.readAll());
    if (root.typeId() != QMetaType::QVariantMap)
        return {};
    return root.toMap();
}

void DeviceSpecTable::normBAt()
{
    m_proprietes = loadResource(m_resourcePath);
    m_device = m_platform;
    m_live = isHostIdentifier(m_device);
    if (m_live) {
        m_values = readHostSpecification(m_roots);
    } else {
        const QVariant entry = m_proprietes.value(m_device);
        m_values = entry.typeId() == QMetaType::QVariantMap ? entry.toMap() : QVariantMap();
    }
    m_glCapasity =
        capacityFromText(value(QStringLiteral("Battery capacity")).toUtf8().toStdString());
}

float DeviceSpecTable::nominalCapacity(const QString &resourcePath, const QString &platform,
                                       const SystemRoots &roots)
{
    QString text;
    if (isHostIdentifier(platform)) {
        if (const std::optional<BatteryDesign> battery = readBatteryDesign(roots))
            text = batteryCapacityText(*battery);
    } else {
        const QVariant entry = loadResource(resourcePath).value(platform);
        const QVariant capacity = entry.toMap().value(QStringLiteral("Battery capacity"));
        if (capacity.typeId() == QMetaType::QString)
            text = capacity.toString();
    }
    return capacityFromText(text.toUtf8().toStdString());
}

QString DeviceSpecTable::value(const QString &property) const
{
    // Only texts are shown; a number or a nested entry in a hand-edited resource reads as empty.
    const QVariant v = m_values.value(property);
    return v.typeId() == QMetaType::QString ? v.toString() : QString();
}

QList<DeviceSpecTable::Row> DeviceSpecTable::rows() const
{
    QList<Row> result;
    result.reserve(propertyNames().size());
    for (const QString &property : propertyNames())
        result.append({property, value(property)});
    return result;
}
