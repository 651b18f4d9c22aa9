// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include "cli/help.h"
#include "cli/monitorcommand.h"
#include "cli/schedulecommand.h"

namespace {
bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}
} // namespace

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (!args.isEmpty() && isHelp(args.first())) {
        out << cliHelp({});
        out.flush();
        return 0;
    }
    if (!args.isEmpty() && args.first() == QLatin1String("--version")) {
        out << "powerdeck-cli " << POWERDECK_VERSION << '\n';
        out.flush();
        return 0;
    }
    const bool named = !args.isEmpty() && !args.first().startsWith(QLatin1Char('-'));
    const QString command = named ? args.first() : QStringLiteral("battery");
    const QStringList rest = named ? args.mid(1) : args;
    if (!cliHelp(command).isEmpty() && std::any_of(rest.begin(), rest.end(), isHelp)) {
        out << cliHelp(command);
        out.flush();
        return 0;
    }
    if (command == QLatin1String("battery"))
        return runBatteryCommand(rest, out, err);
    if (command == QLatin1String("monitor"))
        return runMonitorCommand(rest, out, err);
    if (command == QLatin1String("schedule"))
        return runScheduleCommand(rest, out, err);
    err << "powerdeck-cli: unknown command '" << command << "' (try --help)" << Qt::endl;
    return 2;
}
