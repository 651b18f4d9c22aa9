// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localnotifications_systemdtypes.h"

#include <QDBusMetaType>

namespace systemdbus {

void registerTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<UnitProperty>();
        qDBusRegisterMetaType<UnitProperties>();
        qDBusRegisterMetaType<AuxUnit>();
        qDBusRegisterMetaType<AuxUnits>();
        qDBusRegisterMetaType<ExecCommand>();
        qDBusRegisterMetaType<ExecCommands>();
        qDBusRegisterMetaType<CalendarTimer>();
        qDBusRegisterMetaType<CalendarTimers>();
        qDBusRegisterMetaType<UnitStatus>();
        qDBusRegisterMetaType<UnitStatuses>();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace systemdbus

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::UnitProperty &p)
{
    arg.beginStructure();
    arg << p.name << p.value;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::UnitProperty &p)
{
    arg.beginStructure();
    arg >> p.name >> p.value;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::AuxUnit &u)
{
    arg.beginStructure();
    arg << u.name << u.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::AuxUnit &u)
{
    arg.beginStructure();
    arg >> u.name >> u.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::ExecCommand &c)
{
    arg.beginStructure();
    arg << c.path << c.argv << c.ignoreFailure;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::ExecCommand &c)
{
    arg.beginStructure();
    arg >> c.path >> c.argv >> c.ignoreFailure;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::CalendarTimer &t)
{
    arg.beginStructure();
    arg << t.base << t.spec;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::CalendarTimer &t)
{
    arg.beginStructure();
    arg >> t.base >> t.spec;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::UnitStatus &s)
{
    arg.beginStructure();
    arg << s.name << s.description << s.loadState << s.activeState << s.subState << s.following
        << s.path << s.jobId << s.jobType << s.jobPath;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::UnitStatus &s)
{
    arg.beginStructure();
    arg >> s.name >> s.description >> s.loadState >> s.activeState >> s.subState >> s.following >>
        s.path >> s.jobId >> s.jobType >> s.jobPath;
    arg.endStructure();
    return arg;
}
