// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/librarypictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

namespace {

TEST(LibraryPictures, IdsNameTheFileAndThePart)
{
    const struct
    {
        const char *id;
        const char *file;
        QRect clip;
    } cases[] = {
        {"2_wheel_768x768.png", "2_wheel_768x768.png", {}},
        {"2_Settings%20back%20copy.jpeg?tint=2", "2_Settings back copy.jpeg", {}},
        {"2_setka.png?tint=1#clip=0,10,768,500", "2_setka.png", QRect(0, 10, 768, 500)},
        // The views' points: fractions round to whole pixels.
        {"b.png#clip=1.4,2.6,30,40.2", "b.png", QRect(1, 3, 30, 40)},
        {"b.png#clip=1,2,3", "b.png", {}},
        {"b.png#clip=a,b,c,d", "b.png", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        const LibraryPictures::Id id = LibraryPictures::parseId(QString::fromUtf8(c.id));
        EXPECT_EQ(id.file, QString::fromUtf8(c.file));
        EXPECT_EQ(id.clip, c.clip);
    }
}

TEST(LibraryPictures, ReadsThePartAtTheRequestedSizeAndOnlyInsideTheLibrary)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Library");
    const QString library = dir.filePath("Library");
    // Left half red, right half blue.
    QImage picture(40, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(20, 0, 20, 20, Qt::blue);
    ASSERT_TRUE(picture.save(library + "/p.png"));
    ASSERT_TRUE(picture.save(dir.filePath("outside.png")));

    LibraryPictures pictures(library);
    const struct
    {
        const char *id;
        QSize requested;
        QSize size;
        QColor firstPixel;
    } cases[] = {
        {"p.png", {}, {40, 20}, Qt::red},
        {"p.png?tint=3#clip=20,0,20,10", {}, {20, 10}, Qt::blue},
        {"p.png", {20, 0}, {20, 10}, Qt::red},
        {"p.png", {10, 10}, {10, 5}, Qt::red},
        {"p.png#clip=30,0,20,20", {}, {10, 20}, Qt::blue}, // cut at the picture's edge
        {"p.png#clip=50,0,10,10", {}, {}, {}},             // outside it
        {"missing.png", {}, {}, {}},
        {"../outside.png", {}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        QSize size(-2, -2);
        const QImage out = pictures.requestImage(QString::fromUtf8(c.id), &size, c.requested);
        EXPECT_EQ(size, out.size());
        if (!c.size.isValid()) {
            EXPECT_TRUE(out.isNull());
        } else {
            EXPECT_EQ(out.size(), c.size);
            EXPECT_EQ(QColor(out.pixel(0, 0)), c.firstPixel);
        }
    }
}

} // namespace
