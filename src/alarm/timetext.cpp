// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/timetext.h"

#include <QRegularExpression>

QString timeOfDayText(const QLocale &locale, QTime time)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    // Drop a seconds field together with the separator before it ("HH:mm:ss" -> "HH:mm").
    static const QRegularExpression seconds(QStringLiteral("[^hHmaApPt\\s']?s+"));
    format.remove(seconds);
    return locale.toString(time, format.trimmed());
}
