#include "cli/cli.h"

#include "cli/monitorcommand.h"
#include "cli/schedulecommand.h"

namespace {
void usage(QTextStream &out)
{
    out << "usage: powerdeck-cli [battery|monitor|schedule] [options]\n"
           "  battery [--json] [--platform ID] [--charge MAH] [--percent P] [--brightness B]\n"
           "          [--sysfs-root DIR] [--procfs-root DIR]\n"
           "  monitor [--json] [--procfs-root DIR] [--sysfs-root DIR]\n"
           "  schedule [--json] [--now ISO-8601] [--tz ZONE] [--timeBeforeDie H] "
           "[--timeneedToCharge H]\n"
           "           [--state N]\n";
    out.flush();
}
} // namespace

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (!args.isEmpty() && (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
        usage(out);
        return 0;
    }
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-')))
        return runBatteryCommand(args, out, err);
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("battery"))
        return runBatteryCommand(rest, out, err);
    if (command == QLatin1String("monitor"))
        return runMonitorCommand(rest, out, err);
    if (command == QLatin1String("schedule"))
        return runScheduleCommand(rest, out, err);
    err << "powerdeck-cli: unknown command '" << command << "' (try --help)" << Qt::endl;
    return 2;
}
