// SPDX-License-Identifier: GPL-3.0-or-later
// Every prefix of every XML fixture is parsed from a buffer that ends exactly where the prefix
// ends, so under AddressSanitizer any read past the input is reported. A cut document must keep
// what was built before the cut and invent nothing.
#include "weather/xmlreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

std::vector<fs::path> fixtures(const std::string &extension)
{
    std::vector<fs::path> paths;
    for (const auto &entry : fs::directory_iterator(POWERDECK_FIXTURES "/xml")) {
        if (entry.path().extension() == extension)
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

struct Shape
{
    std::vector<std::string> names; // element names in document order
    int maxDepth = 0;
};

Shape shapeOf(const XmlReader &reader)
{
    Shape shape;
    const XmlElement *e = reader.rootXMLElement();
    int depth = 0;
    while (e) {
        shape.names.emplace_back(XmlReader::elementName(e));
        shape.maxDepth = std::max(shape.maxDepth, depth);
        if (e->firstChild) {
            e = e->firstChild;
            ++depth;
            continue;
        }
        while (e && !e->nextSibling && depth > 0) {
            e = e->parentElement;
            --depth;
        }
        e = (e && depth > 0) ? e->nextSibling : nullptr;
    }
    return shape;
}

TEST(XmlReaderTruncation, FixturesExist)
{
    EXPECT_GE(fixtures(".xml").size(), 6u);
}

TEST(XmlReaderTruncation, EveryPrefixOfEveryFixture)
{
    for (const fs::path &path : fixtures(".xml")) {
        SCOPED_TRACE(path.filename().string());
        const std::string document = readFile(path);
        ASSERT_FALSE(document.empty());
        const Shape full = shapeOf(XmlReader(document));
        ASSERT_FALSE(full.names.empty());
        const std::set<std::string> knownNames(full.names.begin(), full.names.end());

        for (std::size_t length = 0; length <= document.size(); ++length) {
            auto buffer = std::make_unique<char[]>(length);
            std::memcpy(buffer.get(), document.data(), length);
            XmlReader reader = XmlReader::readerWithXMLData(buffer.get(), length);
            buffer.reset();

            const Shape shape = shapeOf(reader);
            ASSERT_LE(shape.names.size(), full.names.size()) << "prefix " << length;
            ASSERT_LE(shape.maxDepth, full.maxDepth) << "prefix " << length;
            // A tag cut before its '>' ends the parse, so no cut-off name ever appears.
            for (const std::string &name : shape.names) {
                ASSERT_TRUE(knownNames.count(name)) << "prefix " << length << ": " << name;
            }
            if (length == document.size()) {
                EXPECT_EQ(shape.names, full.names);
            }
        }
    }
}

TEST(XmlReaderTruncation, EveryPrefixOfACompressedFixture)
{
    for (const fs::path &path : fixtures(".gz")) {
        SCOPED_TRACE(path.filename().string());
        const std::string packed = readFile(path);
        const bool valid = XmlReader::gzipInflate(packed).has_value();
        for (std::size_t length = 1; length <= packed.size(); ++length) {
            auto buffer = std::make_unique<char[]>(length);
            std::memcpy(buffer.get(), packed.data(), length);
            auto inflated = XmlReader::gzipInflate(std::string_view(buffer.get(), length));
            // A stream cut short is an error, never a shorter document.
            ASSERT_EQ(inflated.has_value(), valid && length == packed.size()) << length;
        }
    }
}

} // namespace
