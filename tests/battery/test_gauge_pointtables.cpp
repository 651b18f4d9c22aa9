// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/gaugegeometry.h"
#include "battery/pointtables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

using gauge::PointTable;

QString shippedTables()
{
    return QStringLiteral(POWERDECK_FIXTURES "/../../resources/gauge");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(GaugePointTables, ResourceNames)
{
    EXPECT_EQ(pointtables::resourceName(gauge::Atomic, false), "sphere");
    EXPECT_EQ(pointtables::resourceName(gauge::Atomic, true), "cerc");
    EXPECT_EQ(pointtables::resourceName(gauge::Hydraulic, false), "hydro");
    EXPECT_EQ(pointtables::resourceName(gauge::Hydraulic, true), "tub");
    EXPECT_TRUE(pointtables::resourceName(gauge::Classic, false).isEmpty());
    EXPECT_TRUE(pointtables::resourceName(gauge::Nuclear, true).isEmpty());
}

TEST(GaugePointTables, PointForms)
{
    const struct
    {
        QVariant value;
        bool ok;
        double x, y;
    } cases[] = {
        {QStringLiteral("{150, 16}"), true, 150, 16},
        {QStringLiteral(" { -2.5 ,1e2 } "), true, -2.5, 100},
        {QVariantList{3, 4.5}, true, 3, 4.5},
        {QVariantMap{{"x", 7}, {"y", 8}}, true, 7, 8},
        {QStringLiteral("{150}"), false, 0, 0},
        {QStringLiteral("150, 16"), false, 0, 0},
        {QStringLiteral("{a, b}"), false, 0, 0},
        {QStringLiteral("{nan, 1}"), false, 0, 0},
        {QVariantList{1}, false, 0, 0},
        {QVariantList{"x", 2}, false, 0, 0},
        {QVariantMap{{"x", 7}}, false, 0, 0},
        {QVariant(12), false, 0, 0},
        {QVariant(), false, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        const auto p = pointtables::pointFrom(c.value);
        ASSERT_EQ(p.has_value(), c.ok);
        if (p) {
            EXPECT_DOUBLE_EQ(p->x, c.x);
            EXPECT_DOUBLE_EQ(p->y, c.y);
        }
    }
}

TEST(GaugePointTables, BrokenEntriesKeepTheirPlace)
{
    QTemporaryDir dir;
    writeFile(dir.path() + "/t.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><array>
<dict><key>1</key><string>{1, 2}</string><key>2</key><string>{3, 4}</string>
      <key>3</key><string>{5, 6}</string><key>4</key><string>{7, 8}</string></dict>
<dict><key>1</key><string>{1, 2}</string><key>2</key><string>broken</string></dict>
<string>not an entry</string>
</array></plist>)");
    const PointTable t = pointtables::load(dir.path(), "t");
    ASSERT_EQ(t.size(), 3u);
    for (const auto &p : t[0])
        EXPECT_TRUE(p.has_value());
    EXPECT_DOUBLE_EQ(t[0][3]->y, 8);
    EXPECT_TRUE(t[1][0].has_value());
    EXPECT_FALSE(t[1][1].has_value());
    EXPECT_FALSE(t[1][2].has_value());
    for (const auto &p : t[2])
        EXPECT_FALSE(p.has_value());
}

TEST(GaugePointTables, MissingOrUnreadableFilesGiveEmptyTables)
{
    QTemporaryDir dir;
    EXPECT_TRUE(pointtables::load(dir.path(), "sphere").empty());
    writeFile(dir.path() + "/bad.plist", "<plist><array><dict>");
    EXPECT_TRUE(pointtables::load(dir.path(), "bad").empty());
    // A shipped file is never set aside, even when it does not parse.
    EXPECT_TRUE(QFile::exists(dir.path() + "/bad.plist"));
    writeFile(dir.path() + "/dict.plist",
              "<plist version=\"1.0\"><dict><key>1</key><string>{1, 2}</string></dict></plist>");
    EXPECT_TRUE(pointtables::load(dir.path(), "dict").empty());
}

// The shipped tables: 101 entries from full to empty, the chord of the surface on the liquid's top
// for that level, inside the skin's window.
TEST(GaugePointTables, ShippedSphereTables)
{
    for (bool tablet : {false, true}) {
        SCOPED_TRACE(tablet ? "cerc" : "sphere");
        const PointTable t =
            pointtables::load(shippedTables(), pointtables::resourceName(gauge::Atomic, tablet));
        ASSERT_EQ(t.size(), 101u);
        const gauge::Frame sphere = gauge::liquidRest(gauge::Atomic, tablet);
        const double cx = sphere.x + sphere.width / 2, cy = sphere.y + sphere.height / 2;
        const double r = sphere.width / 2;
        for (int level = 0; level <= 100; ++level) {
            SCOPED_TRACE(level);
            const auto &e = t[std::size_t(gauge::pointIndex(level, t.size()))];
            ASSERT_TRUE(e[0] && e[1]);
            EXPECT_NEAR(e[0]->y, gauge::sphereFillY(level, tablet), 0.01);
            EXPECT_NEAR(e[1]->y, e[0]->y, 1e-9);
            // Both ends on the sphere's outline, symmetric about its centre.
            EXPECT_NEAR(std::hypot(e[0]->x - cx, e[0]->y - cy), r, 0.02);
            EXPECT_NEAR(e[0]->x + e[1]->x, 2 * cx, 0.02);
            ASSERT_TRUE(gauge::sphereSurface(level, tablet, t).frame);
        }
        // Widest at half charge, a point when full or empty.
        EXPECT_NEAR(gauge::sphereSurface(50, tablet, t).frame->width, sphere.width, 0.02);
        EXPECT_NEAR(gauge::sphereSurface(100, tablet, t).frame->width, 0, 0.02);
        EXPECT_NEAR(gauge::sphereSurface(0, tablet, t).frame->width, 0, 0.02);
    }
}

TEST(GaugePointTables, ShippedHydraulicTables)
{
    for (bool tablet : {false, true}) {
        SCOPED_TRACE(tablet ? "tub" : "hydro");
        const PointTable t =
            pointtables::load(shippedTables(), pointtables::resourceName(gauge::Hydraulic, tablet));
        ASSERT_EQ(t.size(), 101u);
        const gauge::Frame column = gauge::liquidRest(gauge::Hydraulic, tablet);
        const double mid = column.x + column.width / 2;
        for (int level = 0; level <= 100; ++level) {
            SCOPED_TRACE(level);
            const gauge::Lookup l = gauge::hydraulicSurfaces(level, t);
            ASSERT_TRUE(l.frame && l.frame2);
            const gauge::Frame top = gauge::hydraulicColumn(level, tablet);
            // Centred on the liquid's top, the two tubes mirror images about the middle.
            EXPECT_NEAR(l.frame->y + l.frame->height / 2, top.y, 0.01);
            EXPECT_NEAR(l.frame2->y, l.frame->y, 1e-9);
            EXPECT_NEAR(l.frame->width, l.frame2->width, 0.02);
            EXPECT_NEAR(l.frame->x + l.frame->width + l.frame2->x, 2 * mid, 0.02);
            EXPECT_LT(l.frame->x + l.frame->width, mid);
            EXPECT_GE(l.frame->x, column.x);
        }
        // At the very top the rounded ends of the tubes make the surface narrower.
        EXPECT_LT(gauge::hydraulicSurfaces(100, t).frame->width,
                  gauge::hydraulicSurfaces(50, t).frame->width);
    }
}

} // namespace
