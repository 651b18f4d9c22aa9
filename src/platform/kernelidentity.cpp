// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kernelidentity.h"

#include "platform/userdefaults.h"

#include <QFile>
#include <QFileInfo>

#include <sys/utsname.h>

QString kernelMachineName()
{
    struct utsname u
    {
    };
    if (::uname(&u) != 0)
        return {};
    return QString::fromUtf8(u.machine);
}

QString platformIdentifier(const UserDefaults *defaults)
{
    if (defaults) {
        const QString configured = defaults->string(QStringLiteral("platform"));
        if (!configured.isEmpty())
            return configured;
    }
    return kernelMachineName();
}

bool isHostIdentifier(std::string_view identifier)
{
    // Device model codes are a family name, a major number, a comma and a minor number
    // ("iPhone4,1"); no kernel machine name has a comma.
    return !identifier.empty() && identifier.find(',') == std::string_view::npos;
}

QString bootId(const SystemRoots &roots)
{
    QFile f(roots.procfs + QStringLiteral("/sys/kernel/random/boot_id"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.read(64)).trimmed();
}

HostClass hostClass(const SystemRoots &roots)
{
    return QFileInfo(roots.sysfs + QStringLiteral("/firmware/devicetree/base")).isDir()
               ? HostClass::Phone
               : HostClass::Laptop;
}
