// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/plist.h"

#include "platform/logging.h"

#include <plist/plist.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QTimeZone>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace plist {
namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kAppleEpochOffset = 978307200;

struct NodeDeleter
{
    void operator()(void *node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

struct CharsDeleter
{
    void operator()(char *p) const { std::free(p); }
};
using Chars = std::unique_ptr<char, CharsDeleter>;

QVariant toVariant(plist_t node)
{
    if (!node)
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return bool(v);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // Integers are kept as 64-bit two's complement, so negative numbers survive.
        return qint64(v);
    }
    case PLIST_UID: {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        return qint64(v);
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return v;
    }
    case PLIST_STRING: {
        char *raw = nullptr;
        plist_get_string_val(node, &raw);
        Chars s(raw);
        return QString::fromUtf8(raw ? raw : "");
    }
    case PLIST_DATA: {
        char *raw = nullptr;
        uint64_t len = 0;
        plist_get_data_val(node, &raw, &len);
        Chars s(raw);
        return QByteArray(raw ? raw : "", raw ? qsizetype(len) : 0);
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (qint64(sec) + kAppleEpochOffset) * 1000 + usec / 1000;
        return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(n);
        for (uint32_t i = 0; i < n; ++i)
            list.append(toVariant(plist_array_get_item(node, i)));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        if (!it)
            return map;
        for (;;) {
            char *key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            Chars k(key);
            map.insert(QString::fromUtf8(key), toVariant(value));
        }
        std::free(it);
        return map;
    }
    default:
        return {};
    }
}

// Builds a node for the value; null when the value has no property-list form.
plist_t fromVariant(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        return plist_new_uint(uint64_t(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(xmlText(value.toString()).toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        return plist_new_data(b.constData(), uint64_t(b.size()));
    }
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        const QDateTime dt = value.typeId() == QMetaType::QDate
                                 ? value.toDate().startOfDay(QTimeZone::utc())
                                 : value.toDateTime();
        if (!dt.isValid())
            return nullptr;
        const qint64 ms = dt.toMSecsSinceEpoch() - kAppleEpochOffset * 1000;
        qint64 sec = ms / 1000;
        qint64 rem = ms % 1000;
        if (rem < 0) {
            rem += 1000;
            --sec;
        }
        return plist_new_date(int32_t(sec), int32_t(rem * 1000));
    }
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant &item : value.toList()) {
            plist_t child = fromVariant(item);
            if (!child) {
                plist_free(array);
                return nullptr;
            }
            plist_array_append_item(array, child);
        }
        return array;
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        // The keys as they will be stored, in the order of the stored keys: a key that loses a
        // character XML cannot carry is written where it will sort when read back, so storing
        // what was read gives the same file.
        QVariantMap map;
        const QVariantMap given = value.toMap();
        for (auto it = given.cbegin(); it != given.cend(); ++it)
            map.insert(xmlText(it.key()), it.value());
        plist_t dict = plist_new_dict();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            plist_t child = fromVariant(it.value());
            if (!child) {
                plist_free(dict);
                return nullptr;
            }
            plist_dict_set_item(dict, it.key().toUtf8().constData(), child);
        }
        return dict;
    }
    default:
        return nullptr;
    }
}

// libplist reads <real> texts with the C library, which follows the process's LC_NUMERIC: under a
// comma-decimal locale "5.378788" would come back as 5. The parse runs in the C locale on this
// thread only.
class CNumericLocale
{
public:
    CNumericLocale()
    {
        static const locale_t c = ::newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
        if (c)
            m_previous = ::uselocale(c);
    }
    ~CNumericLocale()
    {
        if (m_previous)
            ::uselocale(m_previous);
    }
    CNumericLocale(const CNumericLocale &) = delete;
    CNumericLocale &operator=(const CNumericLocale &) = delete;

private:
    locale_t m_previous = locale_t(nullptr);
};

// Paths whose last read found an existing file that could not be read.
struct UnreadablePaths
{
    QMutex mutex;
    QSet<QString> paths;
};

UnreadablePaths &unreadablePaths()
{
    static UnreadablePaths instance;
    return instance;
}

QString pathKey(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

void markUnreadable(const QString &path, bool unreadable)
{
    UnreadablePaths &u = unreadablePaths();
    const QMutexLocker lock(&u.mutex);
    if (unreadable)
        u.paths.insert(pathKey(path));
    else
        u.paths.remove(pathKey(path));
}

enum class Bytes { Read, Absent, Failed };

// The whole file. errorNumber tells why it failed.
Bytes readBytes(const QString &path, QByteArray &out, int &errorNumber)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        errorNumber = errno;
        return errorNumber == ENOENT ? Bytes::Absent : Bytes::Failed;
    }
    out.clear();
    char buf[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            errorNumber = errno;
            ::close(fd);
            return Bytes::Failed;
        }
        out.append(buf, n);
    }
    ::close(fd);
    return Bytes::Read;
}

bool hasShape(const QVariant &value, Shape expected)
{
    switch (expected) {
    case Shape::Array:
        return value.typeId() == QMetaType::QVariantList;
    case Shape::Dictionary:
        return value.typeId() == QMetaType::QVariantMap;
    case Shape::Any:
        break;
    }
    return true;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

quint64 bigEndian(const unsigned char *p, int bytes)
{
    quint64 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

// libplist asserts, and so aborts the process, when it is asked for a string or a dictionary
// key that holds a NUL character, which a damaged file can; in a binary list, that is a string
// stored as UTF-16 with a U+0000 inside. Such a list is found before it is parsed by walking its
// object table for UTF-16 strings (marker 0x6n, the length in the marker or in the integer
// object after it); anything malformed on the way is left to libplist, which refuses it.
bool binaryStringHoldsNul(const QByteArray &data)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData());
    const quint64 size = quint64(data.size());
    constexpr quint64 kHeader = 8, kTrailer = 32;
    if (size < kHeader + kTrailer)
        return false;
    const unsigned char *trailer = p + size - kTrailer;
    const int offsetSize = trailer[6];
    const quint64 count = bigEndian(trailer + 8, 8);
    const quint64 table = bigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || table >= size - kTrailer)
        return false;
    if (count > (size - kTrailer - table) / quint64(offsetSize))
        return false;
    for (quint64 i = 0; i < count; ++i) {
        quint64 at = bigEndian(p + table + i * quint64(offsetSize), offsetSize);
        if (at >= size || (p[at] >> 4) != 0x6)
            continue;
        quint64 units = p[at] & 0x0f;
        ++at;
        if (units == 0x0f) {
            if (at >= size || (p[at] >> 4) != 0x1)
                continue;
            const int bytes = 1 << (p[at] & 0x0f);
            if (bytes > 8 || at + 1 + quint64(bytes) > size)
                continue;
            units = bigEndian(p + at + 1, bytes);
            at += 1 + quint64(bytes);
        }
        if (at > size || units > (size - at) / 2)
            continue;
        for (quint64 k = 0; k < units; ++k) {
            if (p[at + 2 * k] == 0 && p[at + 2 * k + 1] == 0)
                return true;
        }
    }
    return false;
}

} // namespace

QVariant fromData(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    plist_t raw = nullptr;
    if (data.startsWith("bplist00")) {
        if (binaryStringHoldsNul(data))
            return {};
        plist_from_bin(data.constData(), uint32_t(data.size()), &raw);
    } else {
        // XML has no NUL character; libplist would keep it inside a string and then assert.
        if (data.contains('\0'))
            return {};
        const CNumericLocale numbers;
        plist_from_xml(data.constData(), uint32_t(data.size()), &raw);
    }
    Node node(raw);
    return toVariant(raw);
}

QString xmlText(const QString &text)
{
    const auto allowed = [](char16_t c) {
        // U+FEFF too: a text read back loses it at its start (it reads as a byte-order mark).
        return (c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') && c != 0xFFFE &&
               c != 0xFFFF && c != 0xFEFF;
    };
    qsizetype i = 0;
    while (i < text.size() && allowed(text[i].unicode()) && !text[i].isSurrogate())
        ++i;
    if (i == text.size())
        return text;
    QString out = text.left(i);
    out.reserve(text.size());
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(c);
            out.append(text[++i]);
        } else if (c.isSurrogate()) {
            out.append(QChar(QChar::ReplacementCharacter));
        } else if (allowed(c.unicode())) {
            out.append(c);
        }
    }
    return out;
}

QByteArray toXml(const QVariant &value)
{
    Node node(fromVariant(value));
    if (!node)
        return {};
    char *xml = nullptr;
    uint32_t len = 0;
    const CNumericLocale numbers;
    plist_to_xml(static_cast<plist_t>(node.get()), &xml, &len);
    if (!xml)
        return {};
    QByteArray out(xml, qsizetype(len));
    plist_to_xml_free(xml);
    return out;
}

ReadResult readFile(const QString &path, Shape expected)
{
    QByteArray bytes;
    int errorNumber = 0;
    switch (readBytes(path, bytes, errorNumber)) {
    case Bytes::Absent:
        markUnreadable(path, false);
        return {{}, ReadStatus::Missing};
    case Bytes::Failed:
        // Its contents are unknown, not absent: writing defaults over it would destroy them.
        markUnreadable(path, true);
        qCWarning(lcStorage, "%s cannot be read (%s); it is left alone and defaults are used",
                  qPrintable(path), std::strerror(errorNumber));
        return {{}, ReadStatus::Unreadable};
    case Bytes::Read:
        break;
    }
    markUnreadable(path, false);
    QVariant value = fromData(bytes);
    if (value.isValid() && hasShape(value, expected))
        return {value, ReadStatus::Ok};
    setAside(path);
    return {{}, ReadStatus::Corrupt};
}

void setAside(const QString &path)
{
    const QString aside = path + QStringLiteral(".corrupt");
    QFile::remove(aside);
    QFile::rename(path, aside);
    qCWarning(lcStorage, "%s could not be parsed or holds the wrong kind of value; kept as %s",
              qPrintable(path), qPrintable(aside));
}

bool isUnreadable(const QString &path)
{
    UnreadablePaths &u = unreadablePaths();
    const QMutexLocker lock(&u.mutex);
    return u.paths.contains(pathKey(path));
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (isUnreadable(path)) {
        qCWarning(lcStorage, "not replacing %s, which could not be read", qPrintable(path));
        return false;
    }
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    QDir().mkpath(dir);
    QByteArray tmpl = QFile::encodeName(dir + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return false;
    // mkstemp creates the file private to the user; stored settings are ordinary user files.
    ::fchmod(fd, 0644);
    bool ok = writeAll(fd, bytes.constData(), bytes.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        ok =
            ::rename(tmpl.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) == 0;
    }
    if (!ok) {
        ::unlink(tmpl.constData());
        return false;
    }
    const int dirFd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool writeFile(const QString &path, const QVariant &value)
{
    const QByteArray xml = toXml(value);
    if (xml.isEmpty())
        return false;
    return writeFileAtomically(path, xml);
}

} // namespace plist
