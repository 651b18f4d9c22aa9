// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QVariantList>

// Objects as a list the views' linter knows the type of (a model of row objects).
inline QVariantList objectList(const QList<QObject *> &objects)
{
    QVariantList list;
    list.reserve(objects.size());
    for (QObject *o : objects)
        list.append(QVariant::fromValue(o));
    return list;
}
