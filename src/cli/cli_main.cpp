// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("powerdeck-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(app.arguments().mid(1), out, err);
}
