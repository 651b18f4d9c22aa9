// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/upowerhistory.h"

#include "alerts/chargehistory.h"
#include "platform/logging.h"
#include "platform/plist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace upowerhistory {

namespace {

struct FileSample
{
    Sample sample;
    bool hasLevel;
};

} // namespace

int batteryState(QStringView word)
{
    if (word == u"charging")
        return 2;
    if (word == u"fully-charged")
        return 3;
    if (word == u"discharging" || word == u"empty")
        return 1;
    // "pending-charge", "pending-discharge", "unknown": nothing the recording rule uses.
    return 0;
}

std::vector<Sample> parse(const QByteArray &text)
{
    std::vector<Sample> out;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() < 3)
            continue;
        bool timeOk = false, valueOk = false;
        const qint64 time = fields[0].toLongLong(&timeOk);
        const double value = fields[1].toDouble(&valueOk);
        if (!timeOk || !valueOk || time <= 0 || !std::isfinite(value))
            continue;
        out.push_back({time, value, batteryState(QString::fromLatin1(fields[2]))});
    }
    return out;
}

QVariantList records(const QString &folder, const QDateTime &now, const QTimeZone &zone)
{
    std::vector<FileSample> samples;
    const QDir dir(folder);
    const QStringList files = dir.entryList(
        {QStringLiteral("history-charge-*.dat"), QStringLiteral("history-rate-*.dat")}, QDir::Files,
        QDir::Name);
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const bool charge = name.startsWith(QLatin1String("history-charge-"));
        for (const Sample &s : parse(f.readAll()))
            samples.push_back({s, charge});
    }
    std::stable_sort(samples.begin(), samples.end(), [](const FileSample &a, const FileSample &b) {
        return a.sample.time < b.sample.time;
    });

    const qint64 from = now.addMonths(-kMonthsBack).toSecsSinceEpoch();
    const qint64 to = now.toSecsSinceEpoch();
    QVariantList out;
    for (const FileSample &s : samples) {
        if (s.sample.time < from || s.sample.time > to)
            continue;
        const QDateTime when = QDateTime::fromSecsSinceEpoch(s.sample.time, zone);
        const double level = s.hasLevel ? s.sample.value : std::nan("");
        for (const chargehistory::DayRecord &r :
             chargehistory::recordsFor(level, s.sample.state, chargehistory::localDay(when, zone)))
            chargehistory::appendUnique(out, r);
    }
    return out;
}

QVariantList importOnce(const QString &folder, const QString &documents, const QVariantList &own,
                        const QDateTime &now, const QTimeZone &zone)
{
    const QString path = documents + QLatin1Char('/') + QLatin1String(kImportFile);
    const plist::ReadResult done = plist::readFile(path, plist::Shape::Dictionary);
    if (done.ok())
        return done.value.toMap().value(QStringLiteral("Records")).toList();
    if (!done.mayWrite() || !QFileInfo(folder).isDir())
        return {};

    QVariantList imported;
    for (const QVariant &entry : records(folder, now, zone)) {
        const std::optional<chargehistory::DayRecord> r = chargehistory::fromVariant(entry);
        if (r && !chargehistory::contains(own, *r))
            imported << entry;
    }
    const QVariantMap file{{QStringLiteral("ImportedAt"), now.toUTC()},
                           {QStringLiteral("Source"), folder},
                           {QStringLiteral("Records"), imported}};
    if (!plist::writeFile(path, file))
        qCWarning(lcAlerts, "calendar: cannot write %s", qPrintable(path));
    return imported;
}

} // namespace upowerhistory
