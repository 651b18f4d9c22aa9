// SPDX-License-Identifier: GPL-3.0-or-later
// Every subsystem's category: its name, debug lines off and warnings on unless the user's rules
// say otherwise, and plain qDebug lines kept out of the log as well.
#include "platform/logging.h"

#include <gtest/gtest.h>

namespace {

TEST(Logging, CategoriesShowWarningsAndInformationButNoDebugLines)
{
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES") ||
        qEnvironmentVariableIsSet("QT_LOGGING_CONF"))
        GTEST_SKIP() << "the environment sets logging rules of its own";
    const struct
    {
        const QLoggingCategory &category;
        const char *name;
    } cases[] = {
        {lcApp(), "powerdeck.app"},
        {lcBattery(), "powerdeck.battery"},
        {lcScheduler(), "powerdeck.scheduler"},
        {lcNotifications(), "powerdeck.notifications"},
        {lcStorage(), "powerdeck.storage"},
        {lcWeather(), "powerdeck.weather"},
        {lcMonitor(), "powerdeck.monitor"},
        {lcAlarm(), "powerdeck.alarm"},
        {lcAlerts(), "powerdeck.alerts"},
        {lcAppearance(), "powerdeck.appearance"},
        {lcDevice(), "powerdeck.device"},
        {lcCli(), "powerdeck.cli"},
    };
    for (const auto &[category, name] : cases) {
        SCOPED_TRACE(name);
        EXPECT_STREQ(category.categoryName(), name);
        EXPECT_FALSE(category.isDebugEnabled());
        EXPECT_TRUE(category.isInfoEnabled());
        EXPECT_TRUE(category.isWarningEnabled());
    }
}

TEST(Logging, DefaultRulesKeepUncategorisedDebugLinesOut)
{
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES") ||
        qEnvironmentVariableIsSet("QT_LOGGING_CONF"))
        GTEST_SKIP() << "the environment sets logging rules of its own";
    powerdeck::applyDefaultLogRules();
    const QLoggingCategory *plain = QLoggingCategory::defaultCategory();
    EXPECT_FALSE(plain->isDebugEnabled());
    EXPECT_TRUE(plain->isWarningEnabled());
    QLoggingCategory::setFilterRules(QString());
}

} // namespace
