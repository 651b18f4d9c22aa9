// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>

namespace powerdeck::imagegen {

struct Tip
{
    QString title;
    QString text;
};

// The words of the tips pictures, keyed by tip number ("1", "13") or status key ("gps").
using TipBook = QMap<QString, Tip>;

// Reads "[key]" sections with "title:" and "text:" lines; '#' lines are comments.
TipBook parseTipBook(const QString &contents, QString *error);

} // namespace powerdeck::imagegen
