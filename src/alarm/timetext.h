// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// A time of day as the locale writes it, in hours and minutes only: an alarm has no seconds, and
// some locales' short format (the C locale's among them) still carries them.
QString timeOfDayText(const QLocale &locale, QTime time);
