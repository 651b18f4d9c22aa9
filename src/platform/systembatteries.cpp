// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systembatteries.h"

#include "platform/powersupply.h"

#include <QDir>
#include <QFile>

std::vector<SystemBattery> systemBatteries(const SystemRoots &roots)
{
    std::vector<SystemBattery> out;
    const QString base = roots.sysfs + QStringLiteral("/class/power_supply");
    const QStringList names =
        QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString dir = base + QLatin1Char('/') + name;
        if (readSupplyAttribute(dir, "type") != QLatin1String("Battery") ||
            readSupplyAttribute(dir, "scope") == QLatin1String("Device"))
            continue;
        out.push_back({name, readSupplyAttribute(dir, "model_name"),
                       readSupplyAttribute(dir, "serial_number")});
    }
    return out;
}
