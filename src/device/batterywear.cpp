// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/batterywear.h"

#include "platform/uitext.h"

namespace batterywear {

QString english(const char *source)
{
    return QString::fromUtf8(source);
}

QString wearText(double percent, Wording word, const QLocale &locale)
{
    return word(POWERDECK_TEXT("Powerdeck", "%1 % of design"))
        .arg(locale.toString(percent, 'f', 1));
}

QList<Row> rows(const PowerSupplySnapshot &snapshot, Wording word, const QLocale &locale)
{
    QList<Row> out;
    if (!snapshot.hasBattery)
        return out;
    if (snapshot.wearPercent)
        out << Row{word(POWERDECK_TEXT("Powerdeck", "Full capacity")),
                   wearText(*snapshot.wearPercent, word, locale)};
    if (snapshot.cycleCount)
        out << Row{word(POWERDECK_TEXT("Powerdeck", "Charge cycles")),
                   locale.toString(*snapshot.cycleCount)};
    if (!snapshot.technology.isEmpty())
        out << Row{word(POWERDECK_TEXT("Powerdeck", "Technology")), snapshot.technology};
    if (!snapshot.manufacturer.isEmpty())
        out << Row{word(POWERDECK_TEXT("Powerdeck", "Manufacturer")), snapshot.manufacturer};
    return out;
}

} // namespace batterywear
