// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class HttpClient;

struct XmlAttribute
{
    char *name;
    char *value;
    XmlAttribute *next;
};

struct XmlElement
{
    char *name;
    char *text;
    XmlAttribute *firstAttribute;
    XmlElement *parentElement;
    XmlElement *firstChild;
    XmlElement *currentChild; // the child attached last; used while parsing
    XmlElement *nextSibling;
    XmlElement *previousSibling;
};

// Records are handed out from blocks of this many, so a document costs one allocation per
// hundred elements and no record ever moves.
inline constexpr int kXmlRecordsPerBlock = 100;

struct XmlElementBlock
{
    XmlElement elements[kXmlRecordsPerBlock];
    XmlElementBlock *next;
    XmlElementBlock *previous;
};

struct XmlAttributeBlock
{
    XmlAttribute attributes[kXmlRecordsPerBlock];
    XmlAttributeBlock *next;
    XmlAttributeBlock *previous;
};

// A small non-validating XML reader. The whole document is parsed while the reader is built,
// in place, inside the reader's own copy of the bytes: names, texts and attribute values are
// zero-terminated strings inside that copy, so nothing is copied or decoded (entities stay as
// written). Records and the strings they point to live exactly as long as the reader.
//
// Input that ends inside a comment, a CDATA section or a tag stops the parse at the end of the
// buffer; what was built until then is kept.
class XmlReader
{
public:
    // An empty document (no root).
    XmlReader() = default;
    // Parses the text (UTF-8 bytes).
    explicit XmlReader(std::string_view xmlString);
    // Fetches the URL with a blocking GET and parses the body if the fetch succeeded and the
    // body is valid UTF-8; otherwise the document is empty. Run it away from the UI thread.
    XmlReader(HttpClient &http, const std::string &url);

    XmlReader(XmlReader &&other) noexcept;
    XmlReader &operator=(XmlReader &&other) noexcept;
    XmlReader(const XmlReader &) = delete;
    XmlReader &operator=(const XmlReader &) = delete;
    ~XmlReader();

    static XmlReader readerWithXMLData(const void *data, std::size_t length);

    // The file's bytes, inflated when the extension is exactly "gz"; nothing when the file
    // cannot be read or inflated.
    static std::optional<std::string> dataWithUncompressedContentsOfFile(const std::string &path);
    // zlib or gzip stream to bytes. Empty input comes back empty; a damaged or truncated stream
    // gives nothing.
    static std::optional<std::string> gzipInflate(std::string_view compressed);

    const XmlElement *rootXMLElement() const { return m_rootXMLElement; }
    std::size_t bytesLength() const { return m_bytesLength; }

    static std::string_view elementName(const XmlElement *element);
    static std::string_view textForElement(const XmlElement *element);
    static std::string_view attributeName(const XmlAttribute *attribute);
    static std::string_view attributeValue(const XmlAttribute *attribute);
    static std::optional<std::string_view> valueOfAttributeNamed(std::string_view name,
                                                                 const XmlElement *element);
    static const XmlElement *childElementNamed(std::string_view name,
                                               const XmlElement *parentElement);
    static const XmlElement *nextSiblingNamed(std::string_view name,
                                              const XmlElement *searchFromElement);

private:
    void decodeData(const void *data, std::size_t length);
    void decodeBytes();
    XmlElement *nextAvailableElement();
    XmlAttribute *nextAvailableAttribute();
    void readAttributes(XmlElement *element, char *from, char *tagEnd);
    void release();

    XmlElement *m_rootXMLElement = nullptr;
    XmlElementBlock *m_currentElementBuffer = nullptr;
    XmlAttributeBlock *m_currentAttributeBuffer = nullptr;
    int m_currentElement = 0;
    int m_currentAttribute = 0;
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_bytesLength = 0;
};
