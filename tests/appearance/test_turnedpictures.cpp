// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/turnedpictures.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// A transparent picture with one opaque square near its top edge's middle.
QImage markedPicture()
{
    QImage picture(40, 40, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(16, 0, 8, 8, Qt::red);
    return picture;
}

TEST(TurnedPicture, TurnsClockwiseOverTheBackdropsCropWithoutTransparency)
{
    QImage backdrop(100, 100, QImage::Format_RGB32);
    backdrop.fill(Qt::blue);
    QPainter(&backdrop).fillRect(50, 50, 50, 50, Qt::green);
    struct Case
    {
        double degrees;
        QPoint marked; // where the square's middle lands in a 20 x 20 result
    };
    for (const Case c : {Case{0, {10, 2}}, Case{90, {17, 10}}, Case{180, {10, 17}}}) {
        SCOPED_TRACE(c.degrees);
        const QImage out = turnedPicture(markedPicture(), c.degrees, backdrop,
                                         QRectF(50, 50, 50, 50), QSize(20, 20), Qt::black);
        ASSERT_EQ(out.size(), QSize(20, 20));
        EXPECT_FALSE(out.hasAlphaChannel());
        EXPECT_EQ(QColor(out.pixel(c.marked)), QColor(Qt::red));
        // Elsewhere the backdrop's cropped part shows, not its other colour.
        EXPECT_EQ(QColor(out.pixel(2, 17)), QColor(Qt::green));
    }
    // Without a backdrop the ground shows.
    const QImage bare =
        turnedPicture(markedPicture(), 0, QImage(), QRectF(), QSize(20, 20), Qt::black);
    EXPECT_EQ(QColor(bare.pixel(10, 15)), QColor(Qt::black));
}

TEST(TurnedPicture, ProviderReadsItsAddressAndRefusesAMalformedOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(markedPicture().save(dir.filePath("rotor.png")));
    const auto encoded = [&](const char *name) {
        return QString::fromLatin1(
            QUrl::toPercentEncoding(QUrl::fromLocalFile(dir.filePath(name)).toString()));
    };
    TurnedPictures provider;
    QSize size;
    // A tint's generation after the address changes nothing; a missing backdrop leaves the
    // ground.
    const QImage turned = provider.requestImage(
        QStringLiteral("90/0,0,10,10/%1/%2/%3?tint=2")
            .arg(encoded("rotor.png"), encoded("missing.png"), QStringLiteral("%23000000")),
        &size, QSize(20, 20));
    ASSERT_EQ(size, QSize(20, 20));
    EXPECT_EQ(QColor(turned.pixel(17, 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(turned.pixel(2, 10)), QColor(Qt::black));
    EXPECT_TRUE(provider.requestImage(QStringLiteral("x/0,0,1,1/a/b/c"), &size, {}).isNull());
    EXPECT_TRUE(provider.requestImage(QStringLiteral("15/0,0,1/a/b/c"), &size, {}).isNull());
    EXPECT_TRUE(provider.requestImage(QStringLiteral("15/0,0,1,1/a"), &size, {}).isNull());
}

} // namespace
