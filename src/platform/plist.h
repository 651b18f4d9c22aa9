// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Apple-compatible XML property lists, mapped onto QVariant:
//   dict <-> QVariantMap, array <-> QVariantList, string <-> QString, true/false <-> bool,
//   integer <-> qint64, real <-> double, date <-> QDateTime (UTC), data <-> QByteArray.
// Files are read whole and written whole; a write goes to a temporary file in the same folder,
// is flushed to disk and then renamed over the target, so a reader never sees a torn file.
namespace plist {

enum class ReadStatus {
    Ok,         // parsed, and of the expected shape
    Missing,    // no such file: the caller may create it
    Unreadable, // the file exists but cannot be read (permissions, I/O error); it is left alone
    Corrupt,    // unparsable, or not of the expected shape; it was renamed to <path>.corrupt
};

// What the caller expects at the root of a file.
enum class Shape {
    Any,
    Array,
    Dictionary,
};

struct ReadResult
{
    QVariant value;
    ReadStatus status = ReadStatus::Missing;
    bool ok() const { return status == ReadStatus::Ok; }
    // False when the file exists but could not be read: its contents are unknown, so it must not
    // be replaced (writeFile refuses it for the rest of the run anyway).
    bool mayWrite() const { return status != ReadStatus::Unreadable; }
};

// Parses XML or binary property-list bytes. Returns an invalid QVariant when they do not parse.
QVariant fromData(const QByteArray &data);
// Serialises to XML. Returns an empty array when the value holds a type that has no plist form.
// Texts and keys go through xmlText first, so the result is always well-formed.
QByteArray toXml(const QVariant &value);

// The text without what XML 1.0 cannot carry: the control characters U+0000-U+001F other than
// tab, line feed and carriage return, U+FFFE and U+FFFF are dropped, and U+FEFF too (read back,
// it would be taken for a byte-order mark); a lone surrogate becomes U+FFFD. Text from outside
// (a web service, a file) goes through this before it is kept.
QString xmlText(const QString &text);

// Reads a whole file. A file that does not parse, or whose root is not of the expected shape, is
// set aside as <path>.corrupt (never overwritten later by accident) and reported as Corrupt with
// an invalid value. A file that exists but cannot be read is reported as Unreadable, logged, and
// remembered: every later write of that path in this run is refused, until a read succeeds.
ReadResult readFile(const QString &path, Shape expected = Shape::Any);

// Renames a file that was read but holds what its reader cannot use to <path>.corrupt (replacing
// an older one), so it is kept for inspection and never overwritten.
void setAside(const QString &path);

// True while the last read of the path found the file unreadable.
bool isUnreadable(const QString &path);

// Writes the value as XML, atomically. Returns false (and leaves any old file untouched)
// when the value cannot be serialised, the file was found unreadable, or the write fails.
bool writeFile(const QString &path, const QVariant &value);

// Writes bytes atomically: temporary file in the same folder, fsync, rename, fsync of the folder.
// Refuses (returns false) a path whose file was found unreadable.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace plist
