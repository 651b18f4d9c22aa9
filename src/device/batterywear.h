// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/powersupply.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>

// The battery's wear as its own gauge measures it, as caption and value rows for the health
// screen and the terminal: capacity against design, charge cycles, technology, manufacturer.
// Rows the battery does not report are left out; no battery gives no rows.
namespace batterywear {

using Row = QPair<QString, QString>;
// Puts a marked source text (POWERDECK_TEXT) into words: the screen passes uiText, the
// terminal keeps the English text.
using Wording = QString (*)(const char *source);
QString english(const char *source);

// The capacity against design with one decimal in the locale's notation: "87.7 % of design".
QString wearText(double percent, Wording word = english, const QLocale &locale = QLocale::c());
QList<Row> rows(const PowerSupplySnapshot &snapshot, Wording word = english,
                const QLocale &locale = QLocale::c());

} // namespace batterywear
