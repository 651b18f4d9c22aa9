// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/pointtables.h"

#include "platform/plist.h"

#include <QFile>
#include <QRegularExpression>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>

namespace pointtables {

QString resourceName(int skin, bool tablet)
{
    if (skin == gauge::Atomic)
        return tablet ? QStringLiteral("cerc") : QStringLiteral("sphere");
    if (skin == gauge::Hydraulic)
        return tablet ? QStringLiteral("tub") : QStringLiteral("hydro");
    return {};
}

namespace {

std::optional<gauge::Point> finitePoint(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return gauge::Point{x, y};
}

std::optional<double> number(const QVariant &v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

} // namespace

std::optional<gauge::Point> pointFrom(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        static const QRegularExpression re(
            QStringLiteral(R"(^\s*\{\s*([-+0-9.eE]+)\s*,\s*([-+0-9.eE]+)\s*\}\s*$)"));
        const QRegularExpressionMatch m = re.match(value.toString());
        if (!m.hasMatch())
            return std::nullopt;
        bool okX = false, okY = false;
        const double x = m.captured(1).toDouble(&okX);
        const double y = m.captured(2).toDouble(&okY);
        return okX && okY ? finitePoint(x, y) : std::nullopt;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        if (list.size() != 2)
            return std::nullopt;
        const auto x = number(list[0]), y = number(list[1]);
        return x && y ? finitePoint(*x, *y) : std::nullopt;
    }
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        if (!map.contains(QStringLiteral("x")) || !map.contains(QStringLiteral("y")))
            return std::nullopt;
        const auto x = number(map.value(QStringLiteral("x")));
        const auto y = number(map.value(QStringLiteral("y")));
        return x && y ? finitePoint(*x, *y) : std::nullopt;
    }
    return std::nullopt;
}

gauge::PointTable fromPlist(const QVariant &value)
{
    gauge::PointTable table;
    if (value.typeId() != QMetaType::QVariantList)
        return table;
    const QVariantList entries = value.toList();
    table.reserve(std::size_t(entries.size()));
    for (const QVariant &e : entries) {
        gauge::PointEntry entry;
        const QVariantMap map = e.toMap();
        for (int k = 0; k < 4; ++k)
            entry[std::size_t(k)] = pointFrom(map.value(QString::number(k + 1)));
        table.push_back(entry);
    }
    return table;
}

gauge::PointTable load(const QString &resourcesDir, const QString &name)
{
    // Read directly: plist::readFile would set a corrupt file aside, and this one is shipped.
    QFile file(resourcesDir + QLatin1Char('/') + name + QStringLiteral(".plist"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromPlist(plist::fromData(file.readAll()));
}

} // namespace pointtables
