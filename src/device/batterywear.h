#pragma once

#include "platform/powersupply.h"

#include <QList>
#include <QPair>
#include <QString>

// The battery's wear as its own gauge measures it, as caption and value rows for the health
// screen and the terminal: capacity against design, charge cycles, technology, manufacturer.
// Rows the battery does not report are left out; no battery gives no rows.
namespace batterywear {

using Row = QPair<QString, QString>;

QString wearText(double percent);
QList<Row> rows(const PowerSupplySnapshot &snapshot);

} // namespace batterywear
