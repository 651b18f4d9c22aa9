// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/huetint.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <vector>

namespace {

// A resource folder of small pictures and a Library folder holding their untinted copies.
struct Folders
{
    QTemporaryDir root;
    QString resources = root.filePath(QStringLiteral("share"));
    QString library = root.filePath(QStringLiteral("Library"));
    QStringList names;

    explicit Folders(int count)
    {
        QDir().mkpath(resources);
        QDir().mkpath(library);
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("1_picture%1_7x5.png").arg(i, 2, 10, QChar('0'));
            QImage image(7, 5, i % 2 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgba(40 * x, 50 * y, 11 * i, i % 2 ? 30 * x + 40 : 255));
            image.save(resources + '/' + name);
            QFile::copy(resources + '/' + name, library + '/' + name);
            names << name;
        }
    }
    QImage shipped(const QString &name) const { return QImage(resources + '/' + name); }
    QImage copy(const QString &name) const { return QImage(library + '/' + name); }
    QImage expected(const QString &name, double hue) const
    {
        HueFilter filter;
        filter.setHue(hue);
        return HueTint::tinted(shipped(name), filter);
    }
};

// Compares pixels as straight ARGB, the form the PNG files hold.
bool samePixels(const QImage &a, const QImage &b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

TEST(HueTint, ProgressInBatchesOfTen)
{
    struct Row
    {
        int count;
        std::vector<int> batchSizes;
        QStringList batchTexts;
    };
    const Row rows[] = {
        {23, {10, 10, 3}, {"43%", "86%", "100%"}},
        {10, {10}, {"100%"}},
        {3, {3}, {"100%"}},
        {0, {0}, {}},
    };
    for (const Row &row : rows) {
        Folders folders(row.count);
        HueTint tint(folders.resources, folders.library, folders.names, 40.0);
        std::vector<int> sizes;
        QStringList texts;
        bool more = true;
        while (more) {
            const int before = tint.done();
            more = tint.runBatch([&](const TintProgress &p) {
                if (p.batchEnd)
                    texts << p.text;
            });
            sizes.push_back(tint.done() - before);
        }
        EXPECT_EQ(sizes, row.batchSizes) << row.count;
        EXPECT_EQ(texts, row.batchTexts) << row.count;
        EXPECT_TRUE(tint.failures().isEmpty()) << row.count;
    }

    Folders folders(23);
    std::vector<int> percents;
    HueTint(folders.resources, folders.library, folders.names, 40.0)
        .runAll([&](const TintProgress &p) { percents.push_back(p.percent); });
    const std::vector<int> expected = {4,  8,  13, 17, 21, 26, 30, 34, 39, 43, 47, 52,
                                       56, 60, 65, 69, 73, 78, 82, 86, 91, 95, 100};
    EXPECT_EQ(percents, expected);
}

TEST(HueTint, CopiesAreTintedFromTheShippedPictures)
{
    // hue, then the hue of a second run: the copies show only the last one.
    const double runs[][2] = {{90.0, 90.0}, {90.0, 0.0}, {-120.0, 45.0}};
    for (const auto &run : runs) {
        Folders folders(4);
        HueTint(folders.resources, folders.library, folders.names, run[0]).runAll();
        HueTint second(folders.resources, folders.library, folders.names, run[1]);
        second.runAll();
        EXPECT_TRUE(second.failures().isEmpty());
        for (const QString &name : std::as_const(folders.names))
            EXPECT_TRUE(samePixels(folders.copy(name), folders.expected(name, run[1])))
                << qPrintable(name) << " after " << run[0] << " then " << run[1];
        EXPECT_TRUE(samePixels(folders.copy(folders.names.at(1)),
                               folders.shipped(folders.names.at(1))) == (run[1] == 0.0));
    }
}

TEST(HueTint, StartUpFinishesAnInterruptedTint)
{
    Folders folders(23);
    {
        HueTint tint(folders.resources, folders.library, folders.names, 120.0);
        ASSERT_TRUE(tint.runBatch()); // the process ends here, after the first ten
    }
    const std::optional<TintMarker> interrupted = HueTint::readMarker(folders.library);
    ASSERT_TRUE(interrupted);
    EXPECT_FALSE(interrupted->complete);
    EXPECT_EQ(interrupted->hue, 120.0);
    EXPECT_FALSE(samePixels(folders.copy(folders.names.last()),
                            folders.expected(folders.names.last(), 120.0)));

    const FinishedTint finished =
        finishUnfinishedTint(folders.resources, folders.library, folders.names);
    EXPECT_TRUE(finished.ran);
    EXPECT_TRUE(finished.failures.isEmpty());
    for (const QString &name : std::as_const(folders.names))
        EXPECT_TRUE(samePixels(folders.copy(name), folders.expected(name, 120.0)))
            << qPrintable(name);
    EXPECT_TRUE(HueTint::readMarker(folders.library)->complete);
    // Nothing left to do at the start after that.
    EXPECT_FALSE(finishUnfinishedTint(folders.resources, folders.library, folders.names).ran);
}

// A picture that fails is reported and recorded; the run still counts as complete, so the next
// start does not tint every picture again for it.
TEST(HueTint, FailuresAreReportedAndRecordedAndTheRunIsComplete)
{
    Folders folders(12);
    // A folder where a copy should go cannot be replaced by a file.
    const QString blocked = folders.names.at(3);
    QFile::remove(folders.library + '/' + blocked);
    QDir().mkpath(folders.library + '/' + blocked + "/inside");
    // A picture the program does not ship.
    folders.names.insert(11, QStringLiteral("1_missing_1x1.png"));

    HueTint tint(folders.resources, folders.library, folders.names, 200.0);
    tint.runAll();
    QStringList failed;
    for (const TintFailure &failure : tint.failures()) {
        failed << failure.name;
        EXPECT_FALSE(failure.reason.isEmpty());
    }
    EXPECT_EQ(failed, (QStringList{blocked, QStringLiteral("1_missing_1x1.png")}));
    EXPECT_EQ(tint.done(), 13);
    EXPECT_TRUE(samePixels(folders.copy(folders.names.at(12)),
                           folders.expected(folders.names.at(12), 200.0)));
    const std::optional<TintMarker> marker = HueTint::readMarker(folders.library);
    ASSERT_TRUE(marker);
    EXPECT_TRUE(marker->complete);
    EXPECT_EQ(marker->failed, failed);
    EXPECT_FALSE(finishUnfinishedTint(folders.resources, folders.library, folders.names).ran);
    // No temporary file is left behind.
    EXPECT_TRUE(
        QDir(folders.library).entryList({".*.png.*"}, QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
