// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// One logging category per subsystem, named "powerdeck.<subsystem>". Their debug lines are off
// unless asked for, e.g. QT_LOGGING_RULES="powerdeck.*.debug=true" (or "powerdeck.battery.debug=
// true" for one subsystem); information and warnings are shown as they always were.
Q_DECLARE_LOGGING_CATEGORY(lcApp)           // start-up, the window, the one running copy, quitting
Q_DECLARE_LOGGING_CATEGORY(lcBattery)       // battery readings, estimates, the gauge
Q_DECLARE_LOGGING_CATEGORY(lcScheduler)     // the notification plan made on leaving the foreground
Q_DECLARE_LOGGING_CATEGORY(lcNotifications) // delivering and scheduling notifications
Q_DECLARE_LOGGING_CATEGORY(lcStorage)       // property lists and user defaults on disk
Q_DECLARE_LOGGING_CATEGORY(lcWeather)       // forecasts and place search
Q_DECLARE_LOGGING_CATEGORY(lcMonitor)       // system figures, reachability, memory purge
Q_DECLARE_LOGGING_CATEGORY(lcAlarm)         // alarms and the clock screen
Q_DECLARE_LOGGING_CATEGORY(lcAlerts)        // alert settings, charging monitor, charge calendar
Q_DECLARE_LOGGING_CATEGORY(lcAppearance)    // wheel, skins, hue tint, tips
Q_DECLARE_LOGGING_CATEGORY(lcDevice)        // specification table, battery health, brightness
Q_DECLARE_LOGGING_CATEGORY(lcCli)           // powerdeck-cli

namespace powerdeck {

// Debug lines sent without a category (plain qDebug) are kept out of the log as well; a rule
// in QT_LOGGING_RULES or QT_LOGGING_CONF ("default.debug=true") still shows them.
void applyDefaultLogRules();

} // namespace powerdeck
