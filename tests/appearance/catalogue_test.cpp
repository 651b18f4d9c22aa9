// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QString>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace powerdeck::imagegen;

namespace {

std::string sources(const char *file)
{
    return std::string(POWERDECK_IMAGE_SOURCES) + "/" + file;
}

Catalogue shippedCatalogue()
{
    std::ifstream in(sources("catalogue.txt"));
    return parseCatalogue(in);
}

std::vector<std::string> shippedNames()
{
    std::ifstream in(sources("names.txt"));
    return parseNameList(in);
}

Catalogue parse(const std::string &text)
{
    std::istringstream in(text);
    return parseCatalogue(in);
}

} // namespace

TEST(SizeFromName, ReadsTheTrailingSize)
{
    struct Case
    {
        const char *name;
        std::optional<PixelSize> size;
    };
    const Case cases[] = {
        {"1_switch-off_88x55.png", PixelSize{88, 55}},
        {"2_Pad-13-1_429x148.png", PixelSize{429, 148}},
        {"2_green_2_75x377.png", PixelSize{75, 377}},
        {"1_C1_5x5.png", PixelSize{5, 5}},
        {"1_probnik.png", std::nullopt},
        {"1_1-1.png", std::nullopt},
        {"gallery3_2256_2x.jpeg", std::nullopt},
        {"1_indicator copy.png", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(sizeFromName(c.name), c.size) << c.name;
}

TEST(IsLibraryImage, FollowsThePrefixAndExtensionRule)
{
    EXPECT_TRUE(isLibraryImage("1_back-4_52x47.png"));
    EXPECT_TRUE(isLibraryImage("2_Settings back copy.jpeg"));
    EXPECT_FALSE(isLibraryImage("Health-1_284x100.png"));
    EXPECT_FALSE(isLibraryImage("1_notes.txt"));
    EXPECT_FALSE(isLibraryImage("gallery3_2256_2x.jpeg"));
}

TEST(CheckCatalogue, ReportsEachKindOfFault)
{
    const auto c = parse("1_a_10x10.png | phone | 10x10 | pattern | X\n"
                         "1_a_10x10.png | phone | 10x10 | pattern | X\n"
                         "2_b_10x10.png | phone | 10x10 | pattern | X\n"
                         "1_c_10x12.png | phone | 10x10 | pattern | X\n"
                         "d.gif | resource | 4x4 | pattern | X\n");
    ASSERT_TRUE(c.errors.empty());
    const auto problems = checkCatalogue(c.entries, {"1_a_10x10.png", "1_missing.png"});
    auto mentions = [&](const std::string &a, const std::string &b) {
        for (const auto &p : problems)
            if (p.find(a) != std::string::npos && p.find(b) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(mentions("1_a_10x10.png", "twice"));
    EXPECT_TRUE(mentions("2_b_10x10.png", "prefix"));
    EXPECT_TRUE(mentions("1_c_10x12.png", "differs"));
    EXPECT_TRUE(mentions("d.gif", "extension"));
    EXPECT_TRUE(mentions("1_missing.png", "missing"));
    EXPECT_EQ(problems.size(), 5u);
}

TEST(ParseCatalogue, RejectsMalformedLines)
{
    const auto c = parse("# comment\n"
                         "x.png | phone | 10x10 | pattern\n"
                         "y.png | phones | 10x10 | pattern | X\n"
                         "z.png | phone | tenxten | pattern | X\n"
                         "1_w.png | phone | 580x* | tiptext:1 | TipsViewController\n");
    EXPECT_EQ(c.errors.size(), 3u);
    ASSERT_EQ(c.entries.size(), 1u);
    EXPECT_EQ(c.entries[0].size, (PixelSize{580, 0}));
    EXPECT_EQ(c.entries[0].line, 5);
}

// The catalogue covers every image name the screens use, and agrees with itself.
TEST(ShippedCatalogue, CoversEveryNameTheScreensUse)
{
    const auto catalogue = shippedCatalogue();
    EXPECT_TRUE(catalogue.errors.empty()) << catalogue.errors.front();
    const auto names = shippedNames();
    EXPECT_GT(names.size(), 200u);
    for (const auto &problem : checkCatalogue(catalogue.entries, names))
        ADD_FAILURE() << problem;
}

// Every catalogued image was drawn into the resource folder at its catalogued pixel size.
TEST(GeneratedImages, ExistAtTheirNamedPixelSizes)
{
    const auto catalogue = shippedCatalogue();
    ASSERT_FALSE(catalogue.entries.empty());
    const QDir share(QStringLiteral(POWERDECK_SHARE_DIR));
    for (const auto &e : catalogue.entries) {
        const QString path = share.filePath(QString::fromStdString(e.name));
        QImageReader reader(path);
        const QSize size = reader.size();
        ASSERT_TRUE(size.isValid()) << e.name << " was not generated";
        EXPECT_EQ(size.width(), e.size.width) << e.name;
        if (e.size.height > 0) {
            EXPECT_EQ(size.height(), e.size.height) << e.name;
        } else {
            EXPECT_GT(size.height(), 0) << e.name;
        }
    }
}

// Start-up copies the "1_"/"2_" png and jpeg files of the top of the resource folder; each family
// must hold its whole set, with the same look-ups on both sides.
TEST(GeneratedImages, EachFamilyHasTheLibrarySetItsScreensLoad)
{
    const QDir share(QStringLiteral(POWERDECK_SHARE_DIR));
    std::set<std::string> phone, tablet;
    for (const QFileInfo &f : share.entryInfoList(QDir::Files)) {
        const std::string name = f.fileName().toStdString();
        if (!isLibraryImage(name))
            continue;
        (name[0] == '1' ? phone : tablet).insert(name);
    }
    for (const auto &name : shippedNames()) {
        if (name.starts_with("1_")) {
            EXPECT_TRUE(phone.contains(name)) << name;
        }
        if (name.starts_with("2_")) {
            EXPECT_TRUE(tablet.contains(name)) << name;
        }
    }
    EXPECT_TRUE(tablet.contains("2_Settings back copy.jpeg"));
}

TEST(GeneratedImages, PurgePhotographIsALargeJpeg)
{
    QImageReader reader(QStringLiteral(POWERDECK_SHARE_DIR "/gallery3_2256_2x.jpeg"));
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QSize size = reader.size();
    EXPECT_GE(qint64(size.width()) * size.height(), 3'000'000);
}
