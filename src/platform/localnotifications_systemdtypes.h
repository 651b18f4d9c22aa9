// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// The D-Bus structures of org.freedesktop.systemd1.Manager that transient units need.
namespace systemdbus {

// (sv): one unit property.
struct UnitProperty
{
    QString name;
    QDBusVariant value;
};
using UnitProperties = QList<UnitProperty>;

// (sa(sv)): an auxiliary unit created together with the main one.
struct AuxUnit
{
    QString name;
    UnitProperties properties;
};
using AuxUnits = QList<AuxUnit>;

// (sasb): one command line of ExecStart.
struct ExecCommand
{
    QString path;
    QStringList argv;
    bool ignoreFailure = false;
};
using ExecCommands = QList<ExecCommand>;

// (ss): one calendar timer, base "OnCalendar".
struct CalendarTimer
{
    QString base;
    QString spec;
};
using CalendarTimers = QList<CalendarTimer>;

// (ssssssouso): one row of ListUnits / ListUnitsByPatterns.
struct UnitStatus
{
    QString name;
    QString description;
    QString loadState;
    QString activeState;
    QString subState;
    QString following;
    QDBusObjectPath path;
    uint jobId = 0;
    QString jobType;
    QDBusObjectPath jobPath;
};
using UnitStatuses = QList<UnitStatus>;

// Registers the types above with Qt D-Bus; safe to call more than once.
void registerTypes();

} // namespace systemdbus

QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::UnitProperty &p);
const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::UnitProperty &p);
QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::AuxUnit &u);
const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::AuxUnit &u);
QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::ExecCommand &c);
const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::ExecCommand &c);
QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::CalendarTimer &t);
const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::CalendarTimer &t);
QDBusArgument &operator<<(QDBusArgument &arg, const systemdbus::UnitStatus &s);
const QDBusArgument &operator>>(const QDBusArgument &arg, systemdbus::UnitStatus &s);

Q_DECLARE_METATYPE(systemdbus::UnitProperty)
Q_DECLARE_METATYPE(systemdbus::AuxUnit)
Q_DECLARE_METATYPE(systemdbus::ExecCommand)
Q_DECLARE_METATYPE(systemdbus::CalendarTimer)
Q_DECLARE_METATYPE(systemdbus::UnitStatus)
