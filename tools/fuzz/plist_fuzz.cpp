// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the property-list loader: the bytes are parsed as they are (XML or
// binary), then stored as a file and loaded the way every stored file is loaded, so that the
// set-aside of a file that does not parse runs too. A value that loads is stored again: the
// writer must accept it, and storing what it reads back must give the same bytes.
#include "platform/plist.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "plist_fuzz: %s\n", what);
        std::abort();
    }
}

// The loader logs every file it sets aside; at thousands of inputs a second that is noise.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/plist_fuzz-XXXXXX"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QVariant parsed = plist::fromData(bytes);

    const QString path = dir.filePath(QStringLiteral("Alert.plist"));
    const QString aside = path + QStringLiteral(".corrupt");
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
        check(file.write(bytes) == bytes.size(), "short write");
    }

    const plist::ReadResult stored = plist::readFile(path);
    check(stored.ok() == parsed.isValid(), "the file and the data loaders disagree");
    if (stored.ok()) {
        check(QFile::exists(path) && !QFile::exists(aside), "a readable file was set aside");
        const QByteArray xml = plist::toXml(stored.value);
        check(!xml.isEmpty(), "a loaded value cannot be stored");
        check(plist::toXml(plist::fromData(xml)) == xml, "storing a stored value changes it");
        QFile::remove(path);
    } else {
        check(stored.status == plist::ReadStatus::Corrupt, "an existing file read as missing");
        check(!QFile::exists(path) && QFile::exists(aside), "an unparsable file was not set aside");
        QFile::remove(aside);
    }
    return 0;
}
