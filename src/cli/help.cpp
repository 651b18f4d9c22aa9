// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help.h"

namespace {

const char kOverview[] =
    "Usage: powerdeck-cli [COMMAND] [OPTION]...\n"
    "Powerdeck's battery reading, estimates, system monitor and alert plan, in a terminal.\n"
    "\n"
    "Commands:\n"
    "  battery    the battery reading and every estimate (the default command)\n"
    "  monitor    CPU load, processes, memory, addresses and traffic\n"
    "  schedule   the notifications Powerdeck would schedule when sent to the background\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help; 'powerdeck-cli COMMAND --help' shows a command's options\n"
    "      --version    show the version\n"
    "\n"
    "Examples:\n"
    "  powerdeck-cli battery --json\n"
    "  powerdeck-cli battery --watch --format waybar\n"
    "  powerdeck-cli monitor\n"
    "  powerdeck-cli schedule --json\n"
    "\n"
    "Exit status: 0 on success, 2 on a bad command, option or value.\n";

const char kBattery[] =
    "Usage: powerdeck-cli battery [OPTION]...\n"
    "The battery reading, the standby estimate and the estimate of every activity.\n"
    "\n"
    "Options:\n"
    "  --json              print the report as JSON\n"
    "                        powerdeck-cli battery --json\n"
    "  --format FORMAT     text (the default), json, or waybar: one line\n"
    "                      {\"text\",\"tooltip\",\"class\",\"percentage\"} for status bars, class\n"
    "                      charging, discharging, full, unknown or critical (below 10 %)\n"
    "                        powerdeck-cli battery --format waybar\n"
    "  --watch             keep running: print one JSON line now, one on every battery change\n"
    "                      and one every interval; ends quietly when the reader goes away\n"
    "                        powerdeck-cli battery --watch --format waybar\n"
    "  --interval SECONDS  the time between two lines of --watch (default 45)\n"
    "                        powerdeck-cli battery --watch --interval 10\n"
    "  --platform ID       estimate for another device model\n"
    "                        powerdeck-cli battery --platform iPhone4,1\n"
    "  --charge MAH        estimate for this charge in mAh\n"
    "                        powerdeck-cli battery --charge 660\n"
    "  --percent P         estimate for this level, 0 to 100\n"
    "                        powerdeck-cli battery --percent 50\n"
    "  --brightness B      estimate for this screen brightness, 0 to 1\n"
    "                        powerdeck-cli battery --brightness 0.5\n"
    "  --sysfs-root DIR    read this folder instead of /sys (an existing folder)\n"
    "                        powerdeck-cli battery --sysfs-root tests/fixtures/sys-battery-phone\n"
    "  --procfs-root DIR   read this folder instead of /proc (an existing folder)\n"
    "                        powerdeck-cli battery --procfs-root tests/fixtures/proc-empty\n";

const char kMonitor[] =
    "Usage: powerdeck-cli monitor [OPTION]...\n"
    "CPU load, running processes, memory use, network addresses and traffic.\n"
    "\n"
    "Options:\n"
    "  --json              print the figures as JSON\n"
    "                        powerdeck-cli monitor --json\n"
    "  --procfs-root DIR   read this folder instead of /proc (an existing folder)\n"
    "                        powerdeck-cli monitor --procfs-root tests/fixtures/proc-host-phone\n"
    "  --sysfs-root DIR    read this folder instead of /sys (an existing folder)\n"
    "                        powerdeck-cli monitor --sysfs-root tests/fixtures/sys-net-phone\n";

const char kSchedule[] =
    "Usage: powerdeck-cli schedule [OPTION]...\n"
    "The notifications Powerdeck schedules when it goes to the background: the alarms and the\n"
    "battery alerts of the saved settings.\n"
    "\n"
    "Options:\n"
    "  --json                    print the plan as JSON\n"
    "                              powerdeck-cli schedule --json\n"
    "  --now ISO-8601            plan from this local time instead of now\n"
    "                              powerdeck-cli schedule --now 2024-03-06T07:00:00\n"
    "  --tz ZONE                 plan in this IANA time zone\n"
    "                              powerdeck-cli schedule --tz Europe/Berlin\n"
    "  --timeBeforeDie H         hours left on the battery\n"
    "                              powerdeck-cli schedule --timeBeforeDie 5.5\n"
    "  --timeneedToCharge H      hours until the charge completes\n"
    "                              powerdeck-cli schedule --timeneedToCharge 1.25\n"
    "  --state N                 the battery state to plan for: 0 unknown, 1 unplugged,\n"
    "                            2 charging, 3 full (default: the battery's own state)\n"
    "                              powerdeck-cli schedule --state 1\n";

} // namespace

QString cliHelp(const QString &command)
{
    if (command.isEmpty())
        return QString::fromUtf8(kOverview);
    if (command == QLatin1String("battery"))
        return QString::fromUtf8(kBattery);
    if (command == QLatin1String("monitor"))
        return QString::fromUtf8(kMonitor);
    if (command == QLatin1String("schedule"))
        return QString::fromUtf8(kSchedule);
    return {};
}
