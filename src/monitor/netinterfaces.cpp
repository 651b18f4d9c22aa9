// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/netinterfaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace netif {
namespace {
QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(65536));
}

QString netDir(const SystemRoots &roots, const QString &name)
{
    return roots.sysfs + QStringLiteral("/class/net/") + name;
}
} // namespace

bool isCellular(const SystemRoots &roots, const QString &name)
{
    if (name.startsWith(QLatin1String("wwan")) || name.startsWith(QLatin1String("rmnet")) ||
        name.startsWith(QLatin1String("ccmni")))
        return true;
    const QString uevent = readText(netDir(roots, name) + QStringLiteral("/uevent"));
    return uevent.split(QLatin1Char('\n')).contains(QStringLiteral("DEVTYPE=wwan"));
}

bool isWireless(const SystemRoots &roots, const QString &name)
{
    const QString dir = netDir(roots, name);
    return QFileInfo::exists(dir + QStringLiteral("/wireless")) ||
           QFileInfo::exists(dir + QStringLiteral("/phy80211"));
}

bool isUp(const SystemRoots &roots, const QString &name)
{
    const QString dir = netDir(roots, name);
    const QString state = readText(dir + QStringLiteral("/operstate")).trimmed();
    if (state == QLatin1String("up"))
        return true;
    return state == QLatin1String("unknown") &&
           readText(dir + QStringLiteral("/carrier")).trimmed() == QLatin1String("1");
}

QString defaultRouteInterface(const SystemRoots &roots)
{
    // /proc/net/route: Iface Destination Gateway Flags ... Mask; a default route has destination
    // and mask 0 and the RTF_UP flag.
    const QStringList lines =
        readText(roots.procfs + QStringLiteral("/net/route")).split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (f.size() < 8)
            continue;
        bool okFlags = false;
        const uint flags = f[3].trimmed().toUInt(&okFlags, 16);
        if (f[1].trimmed() == QLatin1String("00000000") &&
            f[7].trimmed() == QLatin1String("00000000") && okFlags && (flags & 0x1))
            return f[0].trimmed();
    }
    // /proc/net/ipv6_route: dest prefixlen src srcprefixlen nexthop metric refcnt use flags iface
    const QStringList lines6 =
        readText(roots.procfs + QStringLiteral("/net/ipv6_route")).split(QLatin1Char('\n'));
    for (const QString &line : lines6) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 10)
            continue;
        bool okFlags = false;
        const uint flags = f[8].toUInt(&okFlags, 16);
        const bool isDefault = f[0] == QString(32, QLatin1Char('0')) && f[1] == QLatin1String("00");
        // RTF_UP, and not a reject route (RTF_REJECT 0x200), and not the loopback.
        if (isDefault && okFlags && (flags & 0x1) && !(flags & 0x200) &&
            f[9] != QLatin1String("lo"))
            return f[9];
    }
    return {};
}

} // namespace netif
