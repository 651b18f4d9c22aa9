// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systembatteries.h"

#include <QDir>
#include <QFile>

namespace {

QString attribute(const QString &dir, const char *name)
{
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(4096)).trimmed();
}

} // namespace

std::vector<SystemBattery> systemBatteries(const SystemRoots &roots)
{
    std::vector<SystemBattery> out;
    const QString base = roots.sysfs + QStringLiteral("/class/power_supply");
    const QStringList names =
        QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString dir = base + QLatin1Char('/') + name;
        if (attribute(dir, "type") != QLatin1String("Battery") ||
            attribute(dir, "scope") == QLatin1String("Device"))
            continue;
        out.push_back({name, attribute(dir, "model_name"), attribute(dir, "serial_number")});
    }
    return out;
}
