// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/monitorcommand.h"

#include "monitor/activitymonitor.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue processesJson(const std::optional<std::vector<ActivityProcess>> &processes)
{
    if (!processes)
        return QJsonValue::Null;
    QJsonArray list;
    for (const ActivityProcess &p : *processes) {
        list.append(
            QJsonObject{{ActivityMonitor::kProcessIDKey, QString::fromStdString(p.processID)},
                        {ActivityMonitor::kProcessNameKey, QString::fromStdString(p.processName)},
                        // one byte, not necessarily UTF-8: each byte is one character
                        {ActivityMonitor::kProcessPriorityKey,
                         QString::fromLatin1(p.priority.data(), qsizetype(p.priority.size()))}});
    }
    return list;
}

// The priority byte as a number: the character itself is often unprintable.
int priorityOf(const ActivityProcess &p)
{
    return p.priority.empty() ? 0 : static_cast<signed char>(p.priority[0]);
}

} // namespace

int runMonitorCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    bool json = false;
    QString procRoot = QStringLiteral("/proc");
    QString sysRoot = QStringLiteral("/sys");
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        QString *target = nullptr;
        QString value;
        if (arg == QLatin1String("--json")) {
            json = true;
            continue;
        }
        for (auto [name, root] : {std::pair{QStringLiteral("--procfs-root"), &procRoot},
                                  std::pair{QStringLiteral("--sysfs-root"), &sysRoot}}) {
            if (arg == name) {
                if (i + 1 >= args.size()) {
                    err << "powerdeck-cli monitor: " << name << " needs a directory" << Qt::endl;
                    return 2;
                }
                target = root;
                value = args[++i];
            } else if (arg.startsWith(name + QLatin1Char('='))) {
                target = root;
                value = arg.mid(name.size() + 1);
            }
        }
        if (!target) {
            err << "powerdeck-cli monitor: unknown option '" << arg
                << "' (usage: monitor [--json] [--procfs-root DIR] [--sysfs-root DIR])" << Qt::endl;
            return 2;
        }
        if (value.isEmpty()) {
            err << "powerdeck-cli monitor: " << arg << " needs a directory" << Qt::endl;
            return 2;
        }
        if (!QFileInfo(value).isDir()) {
            err << "powerdeck-cli monitor: " << arg.section(QLatin1Char('='), 0, 0)
                << ": no folder '" << value << "'" << Qt::endl;
            return 2;
        }
        *target = value;
    }

    const std::string proc = procRoot.toStdString();
    ActivityMonitor monitor(proc, sysRoot.toStdString());
    const auto cpu = monitor.cpu_usage();
    const auto processes = monitor.runningProcesses();
    const double usedMB = ActivityMonitor::usedMemoryy(false, proc);
    const double usedPercent = ActivityMonitor::usedMemoryy(true, proc);
    const double freeMB = ActivityMonitor::freeMemoryy(false, proc);
    const double freePercent = ActivityMonitor::freeMemoryy(true, proc);
    const float totalMem = monitor.totalMem();
    const auto memory = monitor.currentMemoryUsage();
    const auto ip = monitor.getIPAddress();
    const std::string mac = monitor.getMacAddress();
    const auto counters = monitor.getDataCounters();

    if (json) {
        QJsonObject memoryObject;
        for (const auto &[key, value] : memory)
            memoryObject.insert(QString::fromStdString(key), value);
        QJsonObject object{
            {"cpu", cpu ? QJsonValue(QJsonArray{double(cpu->first), qint64(cpu->second)})
                        : QJsonValue(QJsonValue::Null)},
            {"processes", processesJson(processes)},
            {"usedMemoryMB", usedMB},
            {"usedMemoryPercent", usedPercent},
            {"freeMemoryMB", freeMB},
            {"freeMemoryPercent", freePercent},
            {"totalMem", double(totalMem)},
            {"memoryUsage", memoryObject},
            {"ipAddress",
             QJsonArray{QString::fromStdString(ip.first), QString::fromStdString(ip.second)}},
            {"macAddress", QString::fromStdString(mac)},
            {"dataCounters", QJsonArray{qint64(counters[0]), qint64(counters[1]),
                                        qint64(counters[2]), qint64(counters[3])}},
        };
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        out.flush();
        return 0;
    }

    if (cpu)
        out << "CPU load: " << QString::number(cpu->first, 'f', 2) << " % (" << cpu->second
            << " s of CPU time)\n";
    else
        out << "CPU load: unavailable\n";
    out << "Used memory: " << QString::number(usedMB, 'f', 2) << " MB ("
        << QString::number(usedPercent, 'f', 2) << " %)\n";
    out << "Free memory: " << QString::number(freeMB, 'f', 2) << " MB ("
        << QString::number(freePercent, 'f', 2) << " %)\n";
    out << "Total memory: " << QString::number(double(totalMem), 'f', 2) << " MB\n";
    out << "Memory usage (MB):";
    for (const auto &[key, value] : memory)
        out << ' ' << QString::fromStdString(key) << '=' << QString::number(value, 'f', 2);
    out << '\n';
    out << "IP addresses: Wi-Fi " << QString::fromStdString(ip.first) << ", cellular "
        << QString::fromStdString(ip.second) << '\n';
    out << "Wi-Fi hardware address: " << QString::fromStdString(mac) << '\n';
    out << "Traffic (MB): Wi-Fi sent " << counters[0] << ", received " << counters[1]
        << ", cellular sent " << counters[2] << ", received " << counters[3] << '\n';
    if (processes) {
        out << "Processes: " << processes->size() << '\n';
        for (const ActivityProcess &p : *processes)
            out << "  " << QString::fromStdString(p.processID).rightJustified(7) << "  "
                << QString::fromStdString(p.processName).leftJustified(16) << " priority "
                << priorityOf(p) << '\n';
    } else {
        out << "Processes: unavailable\n";
    }
    out.flush();
    return 0;
}
