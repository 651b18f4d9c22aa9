// SPDX-License-Identifier: GPL-3.0-or-later
// Each XML fixture beside its ".tree" file: the tree the reader must build, as xmldump prints it.
#include "weather/xmlreader.h"
#include "weather/xmlreader_dump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

// A fixture's document as the xmldump tool reads it (".gz" inflated).
XmlReader readDocument(const std::string &path)
{
    const std::optional<std::string> data = XmlReader::dataWithUncompressedContentsOfFile(path);
    return data ? XmlReader(*data) : XmlReader();
}

TEST(XmlReaderGolden, FixturesGiveTheirTrees)
{
    int compared = 0;
    for (const auto &entry : fs::directory_iterator(POWERDECK_FIXTURES "/xml")) {
        const fs::path &path = entry.path();
        if (path.extension() != ".tree")
            continue;
        fs::path document = path;
        document.replace_extension();
        SCOPED_TRACE(document.filename().string());
        ASSERT_TRUE(fs::exists(document));
        XmlReader reader = readDocument(document.string());
        std::ostringstream tree;
        dumpXmlTree(reader, tree);
        EXPECT_EQ(tree.str(), readFile(path));
        ++compared;
    }
    EXPECT_GE(compared, 6);
}

TEST(XmlReaderGolden, PlaceSearchReplies)
{
    XmlReader search = readDocument(POWERDECK_FIXTURES "/xml/search.xml");
    const XmlElement *root = search.rootXMLElement();
    ASSERT_NE(root, nullptr);
    const XmlElement *count = XmlReader::childElementNamed("totalResultsCount", root);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(XmlReader::textForElement(count), "1742");
    int places = 0;
    for (const XmlElement *g = XmlReader::nextSiblingNamed("geoname", count); g;
         g = XmlReader::nextSiblingNamed("geoname", g))
        ++places;
    EXPECT_EQ(places, 3);
    const XmlElement *first = XmlReader::childElementNamed("geoname", root);
    const XmlElement *zone = XmlReader::childElementNamed("timezone", first);
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("gmtOffset", zone), "1.0");
    EXPECT_EQ(XmlReader::textForElement(XmlReader::childElementNamed("adminName1", first)),
              "\xC3\x8Ele-de-France");

    XmlReader error = readDocument(POWERDECK_FIXTURES "/xml/error.xml");
    ASSERT_NE(error.rootXMLElement(), nullptr);
    const XmlElement *status = XmlReader::childElementNamed("status", error.rootXMLElement());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("value", status), "18");
}

} // namespace
