#include "device/batterywear.h"

namespace batterywear {

QString wearText(double percent)
{
    return QString::number(percent, 'f', 1) + QStringLiteral(" % of design");
}

QList<Row> rows(const PowerSupplySnapshot &snapshot)
{
    QList<Row> out;
    if (!snapshot.hasBattery)
        return out;
    if (snapshot.wearPercent)
        out << Row{QStringLiteral("Full capacity"), wearText(*snapshot.wearPercent)};
    if (snapshot.cycleCount)
        out << Row{QStringLiteral("Charge cycles"), QString::number(*snapshot.cycleCount)};
    if (!snapshot.technology.isEmpty())
        out << Row{QStringLiteral("Technology"), snapshot.technology};
    if (!snapshot.manufacturer.isEmpty())
        out << Row{QStringLiteral("Manufacturer"), snapshot.manufacturer};
    return out;
}

} // namespace batterywear
