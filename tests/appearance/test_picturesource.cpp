#include "appearance/picturesource.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>

namespace {

TEST(PictureSource, DecodesEveryShippedPictureAsTheGeneralReaderDoes)
{
    // The shipped set holds every filter type the PNG writer chose, with and without alpha.
    const QString share = QStringLiteral(POWERDECK_SHARE_DIR);
    const QStringList names =
        QDir(share).entryList({"1_*.png", "2_*.png", "1_*.jpeg", "2_*.jpeg"}, QDir::Files);
    ASSERT_GT(names.size(), 100);
    const PictureSource source(share);
    for (const QString &name : names) {
        QImageReader reader(share + '/' + name);
        reader.setDecideFormatFromContent(true);
        const QImage expected = reader.read();
        const QImage decoded = source.image(name);
        ASSERT_FALSE(decoded.isNull()) << qPrintable(name);
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
                  expected.convertToFormat(QImage::Format_ARGB32))
            << qPrintable(name);
    }
}

TEST(PictureSource, ReadsOnlyInsideTheResourceFolder)
{
    const PictureSource source(QStringLiteral(POWERDECK_SHARE_DIR));
    const char *outside[] = {"../Library/1_back-4_52x47.png", "/etc/passwd", "a/../../b.png", ""};
    for (const char *name : outside) {
        EXPECT_TRUE(source.path(QString::fromUtf8(name)).isEmpty()) << name;
        EXPECT_TRUE(source.image(QString::fromUtf8(name)).isNull()) << name;
    }
}

} // namespace
