// SPDX-License-Identifier: GPL-3.0-or-later
// A plain run of the program writes no debug line: the journal of a session holds only the
// information and warnings Powerdeck means for it.
#include "appprocess.h"
#include "privatebus.h"

#include <gtest/gtest.h>

namespace {

TEST(LogOutput, AShortRunWritesNoDebugLine)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon could not be started";
    QTemporaryDir home;
    AppProcess app(AppProcess::environment(home, bus.address()));
    // A few seconds of battery readings and timers, then the quit a session's end gives.
    EXPECT_FALSE(app.waitForEnd(3000)) << app.messages().toStdString();
    EXPECT_TRUE(app.terminate()) << app.messages().toStdString();
    const QStringList lines = app.messages().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("debug "))) << line.toStdString();
}

} // namespace
