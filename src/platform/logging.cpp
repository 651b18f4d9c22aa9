// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/logging.h"

// QtInfoMsg: debug is off by default, information and warnings on.
Q_LOGGING_CATEGORY(lcApp, "powerdeck.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBattery, "powerdeck.battery", QtInfoMsg)
Q_LOGGING_CATEGORY(lcScheduler, "powerdeck.scheduler", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotifications, "powerdeck.notifications", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "powerdeck.storage", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWeather, "powerdeck.weather", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMonitor, "powerdeck.monitor", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAlarm, "powerdeck.alarm", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAlerts, "powerdeck.alerts", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAppearance, "powerdeck.appearance", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "powerdeck.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcCli, "powerdeck.cli", QtInfoMsg)

void powerdeck::applyDefaultLogRules()
{
    // Rules set here rank below the user's configuration file and QT_LOGGING_RULES.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}
