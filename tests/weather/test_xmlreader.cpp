// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/http.h"
#include "weather/xmlreader.h"
#include "weather/xmlreader_dump.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string dump(const XmlReader &reader)
{
    std::ostringstream out;
    dumpXmlTree(reader, out);
    return out.str();
}

struct TreeCase
{
    const char *name;
    const char *xml;
    const char *tree;
};

// Each document with the tree it must give (depth, name, attributes, [text]).
const TreeCase kTreeCases[] = {
    {"siblings", "<a><b>x</b><b>y</b></a>", "0 a []\n1 b [x]\n1 b [y]\n"},
    {"trimmed text", "<a>  hello  </a>", "0 a [hello]\n"},
    {"trim keeps inner spaces", "<a>\t two  words \r\n</a>", "0 a [two  words]\n"},
    {"empty element", "<a></a>", "0 a []\n"},
    {"empty-element tag", "<a/>", "0 a []\n"},
    {"attributes in order", "<a x=\"1\" y='2'/>", "0 a x=\"1\" y=\"2\" []\n"},
    {"attribute spacing", "<a  x = \"1\"\ty=\"a b\" >t</a>", "0 a x=\"1\" y=\"a b\" [t]\n"},
    {"quote of the other kind inside", "<a x=\"it's\" y='say \"hi\"'/>",
     "0 a x=\"it's\" y=\"say \"hi\"\" []\n"},
    {"cdata in text", "<a>x<![CDATA[<b>]]>y</a>", "0 a [x<b>y]\n"},
    {"two cdata sections", "<a><![CDATA[1]]>-<![CDATA[2]]></a>", "0 a [1-2]\n"},
    {"adjacent cdata sections", "<a><![CDATA[1]]><![CDATA[2]]>z</a>", "0 a [12z]\n"},
    {"cdata in attribute", "<a v=\"<![CDATA[p>q]]>\"/>", "0 a v=\"p>q\" []\n"},
    {"cdata with quote in attribute", "<a v=\"x<![CDATA[\"]]>y\" w='2'/>",
     "0 a v=\"x\"y\" w=\"2\" []\n"},
    {"comment kept in text", "<a>1<!-- c -->2</a>", "0 a [1<!-- c -->2]\n"},
    // The text before an empty-element child stays: only a child's end tag clears it.
    {"comment with markup inside", "<a><!-- <b>no</b> --><c/></a>",
     "0 a [<!-- <b>no</b> -->]\n1 c []\n"},
    {"declaration and comment before root", "<?xml version=\"1.0\"?><!-- c --><r/>", "0 r []\n"},
    {"doctype", "<!DOCTYPE r><r>t</r>", "0 r [t]\n"},
    {"entities not decoded", "<a>&amp;&lt;&#65;</a>", "0 a [&amp;&lt;&#65;]\n"},
    {"text starting with >", "<a>>b</a>", "0 a []\n"},
    {"end tag name ignored", "<a>x</b>", "0 a [x]\n"},
    {"parent with children has no text", "<a>t<b>u</b>v</a>", "0 a []\n1 b [u]\n"},
    {"nesting", "<a><b><c>1</c></b><d/></a>", "0 a []\n1 b []\n2 c [1]\n1 d []\n"},
    {"second top-level element not linked", "<a>1</a><b>2</b>", "0 a [1]\n"},
    {"stray end tag ignored", "</x><a>1</a>", "0 a [1]\n"},
    {"no markup", "just text", ""},
    {"empty", "", ""},
    {"utf-8 kept as bytes", "<a n=\"\xC3\xBC\">\xE6\x97\xA5</a>",
     "0 a n=\"\xC3\xBC\" [\xE6\x97\xA5]\n"},
    {"high bytes are not whitespace", "<a>\xC2\xA0x\xC2\xA0</a>", "0 a [\xC2\xA0x\xC2\xA0]\n"},
    {"unclosed element keeps text", "<a><b>open", "0 a []\n1 b [open]\n"},
    {"tag cut by a '<' loses the next tag", "<a<b>x</b>", "0 a [b>x]\n"},
    {"unquoted attribute ignored", "<a x=1 y=\"2\"/>", "0 a x=\"2\" []\n"},
};

class XmlReaderTree : public testing::TestWithParam<TreeCase>
{
};

TEST_P(XmlReaderTree, BuildsTheExpectedTree)
{
    const TreeCase &c = GetParam();
    XmlReader reader(c.xml);
    EXPECT_EQ(dump(reader), c.tree);
}

INSTANTIATE_TEST_SUITE_P(Documents, XmlReaderTree, testing::ValuesIn(kTreeCases),
                         [](const testing::TestParamInfo<TreeCase> &info) {
                             std::string name;
                             for (const char *p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(XmlReader, SiblingQueries)
{
    XmlReader reader("<a><b>x</b><c/><b>y</b></a>");
    const XmlElement *root = reader.rootXMLElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(XmlReader::elementName(root), "a");
    EXPECT_EQ(XmlReader::textForElement(root), "");

    const XmlElement *first = XmlReader::childElementNamed("b", root);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(XmlReader::textForElement(first), "x");
    const XmlElement *second = XmlReader::nextSiblingNamed("b", first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(XmlReader::textForElement(second), "y");
    EXPECT_EQ(XmlReader::nextSiblingNamed("b", second), nullptr);

    EXPECT_EQ(XmlReader::childElementNamed("B", root), nullptr) << "names are case-sensitive";
    EXPECT_EQ(XmlReader::childElementNamed("bb", root), nullptr);
    EXPECT_EQ(XmlReader::childElementNamed("", root), nullptr);
    EXPECT_EQ(XmlReader::childElementNamed("a", root), nullptr) << "only children are searched";

    // Links both ways, and the parent's last child.
    EXPECT_EQ(second->previousSibling->previousSibling, first);
    EXPECT_EQ(second->parentElement, root);
    EXPECT_EQ(root->currentChild, second);
    EXPECT_EQ(root->parentElement, nullptr);
}

TEST(XmlReader, NextSiblingDoesNotExamineTheStartElement)
{
    XmlReader reader("<r><b>1</b><c>2</c></r>");
    const XmlElement *b = XmlReader::childElementNamed("b", reader.rootXMLElement());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(XmlReader::nextSiblingNamed("b", b), nullptr);
    const XmlElement *c = XmlReader::nextSiblingNamed("c", b);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(XmlReader::textForElement(c), "2");
}

TEST(XmlReader, AttributeLookup)
{
    XmlReader reader("<a x=\"1\" y='2' e=\"\" x=\"3\"/>");
    const XmlElement *root = reader.rootXMLElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("y", root), "2");
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("x", root), "1") << "the first match wins";
    auto empty = XmlReader::valueOfAttributeNamed("e", root);
    ASSERT_TRUE(empty.has_value()) << "an empty value is still a value";
    EXPECT_EQ(*empty, "");
    EXPECT_FALSE(XmlReader::valueOfAttributeNamed("z", root).has_value());
    EXPECT_FALSE(XmlReader::valueOfAttributeNamed("X", root).has_value());

    const XmlAttribute *first = root->firstAttribute;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(XmlReader::attributeName(first), "x");
    EXPECT_EQ(XmlReader::attributeValue(first), "1");
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(XmlReader::attributeName(first->next), "y");
}

TEST(XmlReader, RecordsAcrossBlockBoundaries)
{
    // 250 siblings with 250 attributes in total need three blocks of each kind.
    std::string xml = "<r>";
    for (int i = 0; i < 250; ++i)
        xml += "<e n=\"" + std::to_string(i) + "\">" + std::to_string(i * 2) + "</e>";
    xml += "</r>";
    XmlReader reader(xml);
    const XmlElement *root = reader.rootXMLElement();
    ASSERT_NE(root, nullptr);
    int count = 0;
    const XmlElement *previous = nullptr;
    for (const XmlElement *e = XmlReader::childElementNamed("e", root); e;
         e = XmlReader::nextSiblingNamed("e", e)) {
        EXPECT_EQ(XmlReader::valueOfAttributeNamed("n", e), std::to_string(count));
        EXPECT_EQ(XmlReader::textForElement(e), std::to_string(count * 2));
        EXPECT_EQ(e->previousSibling, previous);
        EXPECT_EQ(e->parentElement, root);
        ASSERT_NE(e->firstAttribute, nullptr);
        EXPECT_EQ(e->firstAttribute->next, nullptr);
        previous = e;
        ++count;
    }
    EXPECT_EQ(count, 250);
}

TEST(XmlReader, ManyAttributesOnOneElement)
{
    std::string xml = "<r";
    for (int i = 0; i < 250; ++i)
        xml += " a" + std::to_string(i) + "='" + std::to_string(i) + "'";
    xml += "/>";
    XmlReader reader(xml);
    ASSERT_NE(reader.rootXMLElement(), nullptr);
    int i = 0;
    for (const XmlAttribute *a = reader.rootXMLElement()->firstAttribute; a; a = a->next, ++i) {
        EXPECT_EQ(XmlReader::attributeName(a), "a" + std::to_string(i));
        EXPECT_EQ(XmlReader::attributeValue(a), std::to_string(i));
    }
    EXPECT_EQ(i, 250);
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("a249", reader.rootXMLElement()), "249");
}

TEST(XmlReader, NoMarkupGivesNoRoot)
{
    EXPECT_EQ(XmlReader("plain text").rootXMLElement(), nullptr);
    EXPECT_EQ(XmlReader().rootXMLElement(), nullptr);
    EXPECT_EQ(XmlReader("").rootXMLElement(), nullptr);
}

TEST(XmlReader, TheInputIsCopied)
{
    std::string xml = "<a>1</a>";
    XmlReader reader(xml);
    xml[3] = '9';
    ASSERT_NE(reader.rootXMLElement(), nullptr);
    EXPECT_EQ(XmlReader::textForElement(reader.rootXMLElement()), "1");
    EXPECT_EQ(reader.bytesLength(), 8u);
}

TEST(XmlReader, EmbeddedZeroBytesDoNotStopTheParse)
{
    const char data[] = "<a>x\0y</a><!-- \0 --><b/>";
    XmlReader reader = XmlReader::readerWithXMLData(data, sizeof data - 1);
    ASSERT_NE(reader.rootXMLElement(), nullptr);
    EXPECT_EQ(XmlReader::textForElement(reader.rootXMLElement()), "x");
    EXPECT_EQ(reader.bytesLength(), sizeof data - 1);
}

TEST(XmlReader, MovingKeepsRecordsValid)
{
    XmlReader first("<a><b>kept</b></a>");
    const XmlElement *b = XmlReader::childElementNamed("b", first.rootXMLElement());
    XmlReader second(std::move(first));
    EXPECT_EQ(first.rootXMLElement(), nullptr);
    EXPECT_EQ(XmlReader::childElementNamed("b", second.rootXMLElement()), b);
    EXPECT_EQ(XmlReader::textForElement(b), "kept");
    second = XmlReader("<c/>");
    EXPECT_EQ(XmlReader::elementName(second.rootXMLElement()), "c");
}

class CannedHttp : public HttpClient
{
public:
    explicit CannedHttp(HttpResponse response) : m_response(std::move(response)) {}
    HttpResponse get(const std::string &url) override
    {
        m_urls.push_back(url);
        return m_response;
    }
    std::vector<std::string> m_urls;

private:
    HttpResponse m_response;
};

TEST(XmlReaderUrl, ParsesTheFetchedBody)
{
    CannedHttp http({200, "<geonames><totalResultsCount>0</totalResultsCount></geonames>", {}});
    XmlReader reader(http, "http://example.invalid/search?q=x");
    ASSERT_EQ(http.m_urls.size(), 1u);
    EXPECT_EQ(http.m_urls[0], "http://example.invalid/search?q=x");
    ASSERT_NE(reader.rootXMLElement(), nullptr);
    const XmlElement *count =
        XmlReader::childElementNamed("totalResultsCount", reader.rootXMLElement());
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(XmlReader::textForElement(count), "0");
}

struct FailedFetch
{
    const char *name;
    HttpResponse response;
};

void PrintTo(const FailedFetch &fetch, std::ostream *os)
{
    *os << fetch.name;
}

class XmlReaderFailedFetch : public testing::TestWithParam<FailedFetch>
{
};

TEST_P(XmlReaderFailedFetch, GivesAnEmptyDocument)
{
    CannedHttp http(GetParam().response);
    XmlReader reader(http, "http://example.invalid/");
    EXPECT_EQ(reader.rootXMLElement(), nullptr);
    EXPECT_EQ(reader.bytesLength(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, XmlReaderFailedFetch,
    testing::Values(FailedFetch{"no_reply", {0, "", "connection refused"}},
                    FailedFetch{"not_found", {404, "<html><body>gone</body></html>", {}}},
                    FailedFetch{"invalid_utf8", {200, "<a>\xC3\x28</a>", {}}},
                    FailedFetch{"surrogate", {200, "<a>\xED\xA0\x80</a>", {}}},
                    FailedFetch{"overlong", {200, "<a>\xC0\xAF</a>", {}}},
                    FailedFetch{"cut_sequence", {200, "<a>\xE6\x97", {}}}),
    [](const testing::TestParamInfo<FailedFetch> &info) { return std::string(info.param.name); });

std::string deflateWith(std::string_view data, int windowBits)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST(XmlReaderGzip, InflatesZlibAndGzipStreams)
{
    // Highly compressible input makes the output buffer grow many times.
    std::string original;
    for (int i = 0; i < 5000; ++i)
        original += "<e n=\"" + std::to_string(i % 7) + "\">aaaaaaaaaaaaaaaa</e>";
    for (int windowBits : {15, 15 + 16}) {
        std::string packed = deflateWith(original, windowBits);
        ASSERT_LT(packed.size() * 10, original.size());
        auto inflated = XmlReader::gzipInflate(packed);
        ASSERT_TRUE(inflated.has_value()) << windowBits;
        EXPECT_EQ(*inflated, original) << windowBits;
    }
}

TEST(XmlReaderGzip, EmptyInputComesBackEmpty)
{
    auto inflated = XmlReader::gzipInflate("");
    ASSERT_TRUE(inflated.has_value());
    EXPECT_TRUE(inflated->empty());
}

TEST(XmlReaderGzip, DamagedOrTruncatedStreamsGiveNothing)
{
    std::string packed = deflateWith("<a>some text to pack</a>", 15 + 16);
    EXPECT_FALSE(XmlReader::gzipInflate("plain text, not packed").has_value());
    EXPECT_FALSE(XmlReader::gzipInflate(std::string_view(packed).substr(0, packed.size() / 2)));
    std::string corrupt = packed;
    corrupt[corrupt.size() / 2] ^= 0x55;
    corrupt[corrupt.size() / 2 + 1] ^= 0x55;
    EXPECT_FALSE(XmlReader::gzipInflate(corrupt).has_value());
    EXPECT_FALSE(XmlReader::gzipInflate(std::string(1, '\x1f')).has_value());
}

const std::string kFixtures = POWERDECK_FIXTURES "/xml/";

// A file's document as the xmldump tool reads it; an unreadable file gives an empty one.
XmlReader readFile(const std::string &path)
{
    const std::optional<std::string> data = XmlReader::dataWithUncompressedContentsOfFile(path);
    return data ? XmlReader(*data) : XmlReader();
}

TEST(XmlReaderFile, ReadsPlainAndCompressedFiles)
{
    XmlReader plain = readFile(kFixtures + "search.xml");
    XmlReader packed = readFile(kFixtures + "search.xml.gz");
    ASSERT_NE(plain.rootXMLElement(), nullptr);
    EXPECT_EQ(dump(packed), dump(plain));
    EXPECT_EQ(XmlReader::valueOfAttributeNamed("style", plain.rootXMLElement()), "LONG");
}

TEST(XmlReaderFile, UnreadableOrBrokenFilesGiveAnEmptyDocument)
{
    EXPECT_EQ(readFile(kFixtures + "missing.xml").rootXMLElement(), nullptr);
    EXPECT_EQ(readFile(kFixtures + "broken.xml.gz").rootXMLElement(), nullptr);
    EXPECT_FALSE(XmlReader::dataWithUncompressedContentsOfFile(kFixtures + "broken.xml.gz"));
    EXPECT_FALSE(XmlReader::dataWithUncompressedContentsOfFile(kFixtures));
}

} // namespace
