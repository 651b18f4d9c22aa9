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
    Ok,      // parsed
    Missing, // no such file (or not readable)
    Corrupt, // the file could not be parsed; it was renamed to <path>.corrupt
};

struct ReadResult
{
    QVariant value;
    ReadStatus status = ReadStatus::Missing;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Parses XML or binary property-list bytes. Returns an invalid QVariant when they do not parse.
QVariant fromData(const QByteArray &data);
// Serialises to XML. Returns an empty array when the value holds a type that has no plist form.
QByteArray toXml(const QVariant &value);

// Reads a whole file. A file that exists but does not parse is set aside as <path>.corrupt
// (never overwritten later by accident) and reported as Corrupt with an invalid value.
ReadResult readFile(const QString &path);

// Writes the value as XML, atomically. Returns false (and leaves any old file untouched)
// when the value cannot be serialised or the write fails.
bool writeFile(const QString &path, const QVariant &value);

// Writes bytes atomically: temporary file in the same folder, fsync, rename, fsync of the folder.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace plist
