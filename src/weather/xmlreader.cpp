// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/xmlreader.h"

#include "platform/http.h"

#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

constexpr std::string_view kCdataOpen = "<![CDATA[";
constexpr std::string_view kCdataClose = "]]>";
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";

// ASCII whitespace only; bytes of 0x80 and above belong to UTF-8 sequences and never count.
struct WhitespaceTable
{
    bool table[256] = {};
    constexpr WhitespaceTable()
    {
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
            table[c] = true;
    }
};
constexpr WhitespaceTable kWhitespace;

inline bool isWhitespace(char c)
{
    return kWhitespace.table[static_cast<unsigned char>(c)];
}

// For the scan of a start tag: bytes that end the tag, and bytes that end its name.
enum : unsigned char { kEndsTag = 1, kEndsName = 2 };
struct TagTable
{
    unsigned char table[256] = {};
    constexpr TagTable()
    {
        table[static_cast<unsigned char>('<')] = kEndsTag;
        table[static_cast<unsigned char>('>')] = kEndsTag;
        table[static_cast<unsigned char>('/')] = kEndsName;
        for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
            table[c] = kEndsName;
    }
};
constexpr TagTable kTag;

// Every search below is bounded by the end of the document, never by a terminating zero: the
// document may contain zero bytes of its own, and the parse writes more of them as it goes.
inline bool startsWith(const char *p, const char *end, std::string_view literal)
{
    return static_cast<std::size_t>(end - p) >= literal.size() &&
           std::memcmp(p, literal.data(), literal.size()) == 0;
}

inline char *findChar(char *from, char *end, char c)
{
    if (from >= end)
        return nullptr;
    return static_cast<char *>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
}

// The next '<': most texts between tags are a line break or a short value, so the first
// bytes are looked at inline before handing a long text to memchr.
inline char *findTagStart(char *from, char *end)
{
#if defined(__SSE2__)
    const __m128i lessThan = _mm_set1_epi8('<');
    for (int chunk = 0; chunk < 4 && end - from >= 16; ++chunk, from += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        const unsigned hits =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lessThan)));
        if (hits)
            return from + __builtin_ctz(hits);
    }
#endif
    return findChar(from, end, '<');
}

inline char *findLiteral(char *from, char *end, std::string_view literal)
{
    if (from >= end)
        return nullptr;
    return static_cast<char *>(
        memmem(from, static_cast<std::size_t>(end - from), literal.data(), literal.size()));
}

// The first '<' or '>' in [from, end); the first byte ending a name on the way is noted in
// *nameEnd (left alone if there is none). Sixteen bytes at a time where the CPU allows, never
// reading at or past `end`.
inline char *findTagEnd(char *from, char *end, char **nameEnd = nullptr)
{
    char *p = from;
#if defined(__SSE2__)
    const __m128i lessThan = _mm_set1_epi8('<');
    const __m128i greaterThan = _mm_set1_epi8('>');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i four = _mm_set1_epi8(4);
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned tag = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, lessThan), _mm_cmpeq_epi8(bytes, greaterThan))));
        if (nameEnd && !*nameEnd) {
            // tab, line feed, vertical tab, form feed, carriage return: 9 to 13
            const __m128i offset = _mm_sub_epi8(bytes, tab);
            const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(offset, four), offset);
            unsigned name = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, slash)),
                control)));
            if (tag)
                name &= (tag & (0u - tag)) - 1; // only before the tag end
            if (name)
                *nameEnd = p + __builtin_ctz(name);
        }
        if (tag)
            return p + __builtin_ctz(tag);
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        const unsigned char kind = kTag.table[static_cast<unsigned char>(*p)];
        if (kind == 0)
            continue;
        if (kind == kEndsTag)
            return p;
        if (nameEnd && !*nameEnd)
            *nameEnd = p;
    }
    return nullptr;
}

// The first '<' or '>' after from, skipping over CDATA sections; nothing when the input ends
// before the tag (or one of its sections) is closed.
char *findTagEndSkippingCdata(char *from, char *end, char **nameEnd)
{
    char *tagEnd = findTagEnd(from, end, nameEnd);
    if (!tagEnd || !startsWith(tagEnd, end, kCdataOpen))
        return tagEnd;
    while (tagEnd && startsWith(tagEnd, end, kCdataOpen)) {
        char *close = findLiteral(tagEnd + kCdataOpen.size(), end, kCdataClose);
        tagEnd = close ? findTagEnd(close + kCdataClose.size(), end) : nullptr;
    }
    // A name running into a CDATA section ends at the first space or '/' anywhere before the
    // tag end, the section's content included.
    if (tagEnd && !*nameEnd) {
        for (char *p = from; p < tagEnd; ++p) {
            if (kTag.table[static_cast<unsigned char>(*p)] == kEndsName) {
                *nameEnd = p;
                break;
            }
        }
    }
    return tagEnd;
}

// Leading whitespace is skipped, trailing whitespace overwritten with zero bytes. `textEnd` is
// where the text ends (its terminating zero) when the caller knows it, else null.
void trimText(XmlElement *element, char *textEnd)
{
    char *text = element->text;
    if (!text)
        return;
    if (!textEnd)
        textEnd = text + std::strlen(text);
    while (text < textEnd && isWhitespace(*text))
        ++text;
    element->text = text;
    for (char *p = textEnd - 1; p > text && isWhitespace(*p); --p)
        *p = '\0';
}

// Removes CDATA markers from a zero-terminated attribute value of the given length in one
// left-to-right pass: each "<![CDATA[" goes, and so does the first "]]>" after it.
void removeCdataMarkers(char *value, std::size_t length)
{
    if (!std::memchr(value, '<', length))
        return;
    char *read = value;
    char *write = value;
    while (*read) {
        if (*read == '<' && std::strncmp(read, kCdataOpen.data(), kCdataOpen.size()) == 0) {
            read += kCdataOpen.size();
            while (*read && std::strncmp(read, kCdataClose.data(), kCdataClose.size()) != 0)
                *write++ = *read++;
            if (*read)
                read += kCdataClose.size();
            continue;
        }
        *write++ = *read++;
    }
    *write = '\0';
}

bool isValidUtf8(std::string_view text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        std::uint32_t codePoint;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            codePoint = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            codePoint = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            codePoint = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (p[i] & 0x3F);
        }
        if ((extra == 2 && codePoint < 0x800) || (extra == 3 && codePoint < 0x10000) ||
            codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        p += extra + 1;
    }
    return true;
}

template <typename Block> Block *allocateBlock()
{
    // Zero-filled, so a fresh record has no text, attributes, parent, children or siblings.
    auto *block = static_cast<Block *>(std::calloc(1, sizeof(Block)));
    if (!block)
        throw std::bad_alloc();
    return block;
}

} // namespace

XmlReader::XmlReader(std::string_view xmlString)
{
    decodeData(xmlString.data(), xmlString.size());
}

XmlReader::XmlReader(HttpClient &http, const std::string &url)
{
    HttpResponse response = http.get(url);
    if (!response.ok() || !isValidUtf8(response.body))
        response.body.clear();
    decodeData(response.body.data(), response.body.size());
}

XmlReader::XmlReader(XmlReader &&other) noexcept
{
    *this = std::move(other);
}

XmlReader &XmlReader::operator=(XmlReader &&other) noexcept
{
    if (this != &other) {
        release();
        m_rootXMLElement = std::exchange(other.m_rootXMLElement, nullptr);
        m_currentElementBuffer = std::exchange(other.m_currentElementBuffer, nullptr);
        m_currentAttributeBuffer = std::exchange(other.m_currentAttributeBuffer, nullptr);
        m_currentElement = std::exchange(other.m_currentElement, 0);
        m_currentAttribute = std::exchange(other.m_currentAttribute, 0);
        m_bytes = std::move(other.m_bytes);
        m_bytesLength = std::exchange(other.m_bytesLength, 0);
    }
    return *this;
}

XmlReader::~XmlReader()
{
    release();
}

void XmlReader::release()
{
    while (m_currentElementBuffer) {
        XmlElementBlock *previous = m_currentElementBuffer->previous;
        std::free(m_currentElementBuffer);
        m_currentElementBuffer = previous;
    }
    while (m_currentAttributeBuffer) {
        XmlAttributeBlock *previous = m_currentAttributeBuffer->previous;
        std::free(m_currentAttributeBuffer);
        m_currentAttributeBuffer = previous;
    }
    m_rootXMLElement = nullptr;
    m_currentElement = 0;
    m_currentAttribute = 0;
    m_bytes.reset();
    m_bytesLength = 0;
}

XmlReader XmlReader::readerWithXMLData(const void *data, std::size_t length)
{
    XmlReader reader;
    reader.decodeData(data, length);
    return reader;
}

std::optional<std::string> XmlReader::dataWithUncompressedContentsOfFile(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string data;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.append(chunk, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;

    std::size_t slash = path.find_last_of('/');
    std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0 && name.substr(dot + 1) == "gz")
        return gzipInflate(data);
    return data;
}

std::optional<std::string> XmlReader::gzipInflate(std::string_view compressed)
{
    if (compressed.empty())
        return std::string();
    if (compressed.size() > std::numeric_limits<uInt>::max())
        return std::nullopt;

    const std::size_t growth = compressed.size() / 2 > 0 ? compressed.size() / 2 : 1;
    std::string out(compressed.size() + growth, '\0');

    z_stream stream{};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    // 15-bit window plus 32: a zlib or a gzip header is recognised automatically.
    if (inflateInit2(&stream, 47) != Z_OK)
        return std::nullopt;

    bool done = false;
    bool failed = false;
    while (!done) {
        if (stream.total_out >= out.size())
            out.resize(out.size() + growth);
        std::size_t room = out.size() - stream.total_out;
        if (room > std::numeric_limits<uInt>::max())
            room = std::numeric_limits<uInt>::max();
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + stream.total_out);
        stream.avail_out = static_cast<uInt>(room);
        int status = inflate(&stream, Z_SYNC_FLUSH);
        if (status == Z_STREAM_END) {
            done = true;
        } else if (status != Z_OK) {
            failed = true;
            break;
        }
    }
    std::size_t produced = stream.total_out;
    if (inflateEnd(&stream) != Z_OK || failed)
        return std::nullopt;
    out.resize(produced);
    return out;
}

void XmlReader::decodeData(const void *data, std::size_t length)
{
    release();
    // Exactly one byte longer than the document, so any read past the end is caught by the
    // memory checkers the tests run under.
    m_bytes.reset(new char[length + 1]);
    if (length > 0)
        std::memcpy(m_bytes.get(), data, length);
    m_bytes[length] = '\0';
    m_bytesLength = length;
    decodeBytes();
}

inline XmlElement *XmlReader::nextAvailableElement()
{
    ++m_currentElement;
    if (!m_currentElementBuffer) {
        m_currentElementBuffer = allocateBlock<XmlElementBlock>();
        m_currentElement = 0;
        m_rootXMLElement = &m_currentElementBuffer->elements[0];
    } else if (m_currentElement == kXmlRecordsPerBlock) {
        auto *block = allocateBlock<XmlElementBlock>();
        block->previous = m_currentElementBuffer;
        m_currentElementBuffer->next = block;
        m_currentElementBuffer = block;
        m_currentElement = 0;
    }
    return &m_currentElementBuffer->elements[m_currentElement];
}

inline XmlAttribute *XmlReader::nextAvailableAttribute()
{
    ++m_currentAttribute;
    if (!m_currentAttributeBuffer) {
        m_currentAttributeBuffer = allocateBlock<XmlAttributeBlock>();
        m_currentAttribute = 0;
    } else if (m_currentAttribute == kXmlRecordsPerBlock) {
        auto *block = allocateBlock<XmlAttributeBlock>();
        block->previous = m_currentAttributeBuffer;
        m_currentAttributeBuffer->next = block;
        m_currentAttributeBuffer = block;
        m_currentAttribute = 0;
    }
    return &m_currentAttributeBuffer->attributes[m_currentAttribute];
}

// Reads the attributes of a start tag from `from` up to and including the tag end (already
// zero). A value left open at the tag end (a '>' inside a value outside CDATA) gives no
// attribute.
void XmlReader::readAttributes(XmlElement *element, char *from, char *tagEnd)
{
    enum class State { NameStart, NameEnd, ValueStart, ValueEnd, InCdata };
    char *const end = m_bytes.get() + m_bytesLength;
    State state = State::NameStart;
    char *name = nullptr;
    char *value = nullptr;
    char quote = 0;
    XmlAttribute *last = nullptr;

    for (char *p = from; p <= tagEnd; ++p) {
        const char c = *p;
        switch (state) {
        case State::NameStart:
            if (!isWhitespace(c)) {
                name = p;
                state = State::NameEnd;
            }
            break;
        case State::NameEnd:
            if (isWhitespace(c) || c == '=') {
                *p = '\0';
                state = State::ValueStart;
            }
            break;
        case State::ValueStart:
            if (c == '"' || c == '\'') {
                value = p + 1;
                quote = c;
                state = State::ValueEnd;
            }
            break;
        case State::ValueEnd:
            if (c == '<' && startsWith(p, end, kCdataOpen)) {
                state = State::InCdata;
            } else if (c == quote) {
                *p = '\0';
                removeCdataMarkers(value, static_cast<std::size_t>(p - value));
                XmlAttribute *attribute = nextAvailableAttribute();
                attribute->name = name;
                attribute->value = value;
                if (last)
                    last->next = attribute;
                else
                    element->firstAttribute = attribute;
                last = attribute;
                state = State::NameStart;
            }
            break;
        case State::InCdata:
            if (c == ']' && startsWith(p, end, kCdataClose))
                state = State::ValueEnd;
            break;
        }
    }
}

void XmlReader::decodeBytes()
{
    char *const begin = m_bytes.get();
    char *const end = begin + m_bytesLength;
    XmlElement *parent = nullptr;
    // The '>' of the last tag that wrote zero bytes: when an end tag follows its element's start
    // tag with only text between, that text ends right at the end tag.
    char *lastTagEnd = nullptr;

    char *tagStart = findChar(begin, end, '<');
    while (tagStart) {
        char *scanFrom;
        const bool bang = end - tagStart > 1 && tagStart[1] == '!';
        if (bang && startsWith(tagStart, end, kCommentOpen)) {
            // The comment's '<' stays, so a comment inside text remains part of that text.
            char *close = findLiteral(tagStart + kCommentOpen.size(), end, kCommentClose);
            if (!close)
                return;
            scanFrom = close + kCommentClose.size();
        } else if (bang && startsWith(tagStart, end, kCdataOpen)) {
            // Shift the section's content over its opening marker and the rest of the text
            // over the closing one; the twelve freed bytes before the next tag become spaces,
            // which the end tag's trimming removes.
            char *sectionEnd = findLiteral(tagStart + kCdataOpen.size(), end, kCdataClose);
            if (!sectionEnd)
                return;
            char *afterSection = sectionEnd + kCdataClose.size();
            char *textEnd = findChar(afterSection, end, '<');
            while (textEnd && startsWith(textEnd, end, kCdataOpen)) {
                char *close = findLiteral(textEnd + kCdataOpen.size(), end, kCdataClose);
                textEnd = close ? findChar(close + kCdataClose.size(), end, '<') : nullptr;
            }
            if (!textEnd)
                textEnd = end;
            const std::size_t contentLength =
                static_cast<std::size_t>(sectionEnd - (tagStart + kCdataOpen.size()));
            std::memmove(tagStart, tagStart + kCdataOpen.size(), contentLength);
            std::memmove(sectionEnd - kCdataOpen.size(), afterSection,
                         static_cast<std::size_t>(textEnd - afterSection));
            std::memset(textEnd - 12, ' ', 12);
            scanFrom = tagStart + contentLength;
        } else {
            char *nameEnd = nullptr;
            char *tagEnd = findTagEndSkippingCdata(tagStart + 1, end, &nameEnd);
            if (!tagEnd)
                return;
            *tagEnd = '\0';
            *tagStart = '\0';
            scanFrom = tagEnd + 1;

            const char kind = tagStart[1];
            if (kind == '!' || kind == '?') {
                // declaration, document type or processing instruction: nothing to keep
            } else if (kind == '/') {
                // An end tag closes the innermost open element, whatever its name.
                if (parent) {
                    const bool onlyText =
                        lastTagEnd && parent->text && parent->text == lastTagEnd + 1;
                    trimText(parent, onlyText ? tagStart : nullptr);
                    parent = parent->parentElement;
                    if (parent && parent->firstChild)
                        parent->text = nullptr;
                }
            } else {
                const bool emptyElementTag = tagEnd[-1] == '/';
                XmlElement *element = nextAvailableElement();
                element->name = tagStart + 1;
                if (parent) {
                    if (parent->currentChild) {
                        parent->currentChild->nextSibling = element;
                        element->previousSibling = parent->currentChild;
                    } else {
                        parent->firstChild = element;
                    }
                    parent->currentChild = element;
                    element->parentElement = parent;
                }
                if (nameEnd && nameEnd < tagEnd) {
                    *nameEnd = '\0';
                    readAttributes(element, nameEnd + 1, tagEnd);
                }
                if (!emptyElementTag) {
                    if (tagEnd[1] != '>')
                        element->text = tagEnd + 1;
                    parent = element;
                }
            }
            lastTagEnd = tagEnd;
        }
        tagStart = findTagStart(scanFrom, end);
    }
}

std::string_view XmlReader::elementName(const XmlElement *element)
{
    return element->name ? std::string_view(element->name) : std::string_view();
}

std::string_view XmlReader::textForElement(const XmlElement *element)
{
    return element->text ? std::string_view(element->text) : std::string_view();
}

std::string_view XmlReader::attributeName(const XmlAttribute *attribute)
{
    return attribute->name ? std::string_view(attribute->name) : std::string_view();
}

std::string_view XmlReader::attributeValue(const XmlAttribute *attribute)
{
    return attribute->value ? std::string_view(attribute->value) : std::string_view();
}

std::optional<std::string_view> XmlReader::valueOfAttributeNamed(std::string_view name,
                                                                 const XmlElement *element)
{
    for (const XmlAttribute *a = element->firstAttribute; a; a = a->next) {
        if (attributeName(a) == name)
            return attributeValue(a);
    }
    return std::nullopt;
}

const XmlElement *XmlReader::childElementNamed(std::string_view name,
                                               const XmlElement *parentElement)
{
    for (const XmlElement *e = parentElement->firstChild; e; e = e->nextSibling) {
        if (elementName(e) == name)
            return e;
    }
    return nullptr;
}

const XmlElement *XmlReader::nextSiblingNamed(std::string_view name,
                                              const XmlElement *searchFromElement)
{
    for (const XmlElement *e = searchFromElement->nextSibling; e; e = e->nextSibling) {
        if (elementName(e) == name)
            return e;
    }
    return nullptr;
}
