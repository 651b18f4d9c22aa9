// SPDX-License-Identifier: GPL-3.0-or-later
#include "tipbook.h"

#include <QStringList>

namespace powerdeck::imagegen {

TipBook parseTipBook(const QString &contents, QString *error)
{
    TipBook book;
    QString key;
    int number = 0;
    for (const QString &raw : contents.split(QLatin1Char('\n'))) {
        ++number;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            key = line.mid(1, line.size() - 2).trimmed();
            book.insert(key, Tip{});
            continue;
        }
        const auto colon = line.indexOf(QLatin1Char(':'));
        if (key.isEmpty() || colon < 0) {
            if (error)
                *error = QStringLiteral("tips line %1: expected [key] or field: text").arg(number);
            return {};
        }
        const QString field = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (field == QLatin1String("title"))
            book[key].title = value;
        else if (field == QLatin1String("text"))
            book[key].text = value;
        else {
            if (error)
                *error =
                    QStringLiteral("tips line %1: unknown field \"%2\"").arg(number).arg(field);
            return {};
        }
    }
    return book;
}

} // namespace powerdeck::imagegen
