// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/upowerhistory.h"

#include "alerts/chargehistory.h"
#include "platform/logging.h"
#include "platform/plist.h"
#include "platform/recordwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace upowerhistory {

namespace {

struct FileSample
{
    Sample sample;
    bool hasLevel;
};

// A model or serial as it stands in UPower's ids: nothing when two characters or fewer, else
// with the characters UPower replaces turned into "_".
QString idPart(const QString &text)
{
    if (text.toUtf8().size() <= 2)
        return {};
    QString out = text;
    for (QChar &c : out) {
        if (QStringView(u"\\\t\"?' /,.").contains(c))
            c = QLatin1Char('_');
    }
    return out;
}

} // namespace

int batteryState(QStringView word)
{
    if (word == u"charging")
        return 2;
    if (word == u"fully-charged" || word == u"pending-charge")
        return 3;
    if (word == u"discharging" || word == u"empty")
        return 1;
    // "pending-discharge", "unknown": nothing the recording rule uses.
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

QString deviceIdOf(const QString &fileName)
{
    static const QRegularExpression name(QStringLiteral("^history-(?:charge|rate)-(.+)\\.dat$"));
    return name.match(fileName).captured(1);
}

bool isHistoryOf(const QString &deviceId, const SystemBattery &battery)
{
    const QString model = idPart(battery.model);
    const QString serial = idPart(battery.serial);
    QString pattern;
    if (model.isEmpty() && serial.isEmpty())
        pattern = QStringLiteral("(?:[0-9]+|generic_id)");
    else if (serial.isEmpty())
        pattern = QRegularExpression::escape(model) + QStringLiteral("(?:-[0-9]+)?");
    else if (model.isEmpty())
        pattern = QStringLiteral("(?:[0-9]+-)?") + QRegularExpression::escape(serial);
    else
        pattern = QRegularExpression::escape(model) + QStringLiteral("(?:-[0-9]+)?-") +
                  QRegularExpression::escape(serial);
    const QRegularExpression id(QRegularExpression::anchoredPattern(pattern));
    return id.match(deviceId).hasMatch();
}

QVariantList records(const QString &folder, const std::vector<SystemBattery> &batteries,
                     const QDateTime &now, const QTimeZone &zone)
{
    std::vector<FileSample> samples;
    const QDir dir(folder);
    const QStringList files = dir.entryList(
        {QStringLiteral("history-charge-*.dat"), QStringLiteral("history-rate-*.dat")}, QDir::Files,
        QDir::Name);
    for (const QString &name : files) {
        const QString id = deviceIdOf(name);
        if (std::none_of(batteries.begin(), batteries.end(),
                         [&id](const SystemBattery &b) { return isHistoryOf(id, b); }))
            continue;
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

QVariantList importOnce(const QString &folder, const std::vector<SystemBattery> &batteries,
                        const QString &documents, const QVariantList &own, const QDateTime &now,
                        const QTimeZone &zone, RecordWriter *writer)
{
    const QString path = documents + QLatin1Char('/') + QLatin1String(kImportFile);
    const plist::ReadResult done = plist::readFile(path, plist::Shape::Dictionary);
    if (done.ok())
        return done.value.toMap().value(QStringLiteral("Records")).toList();
    if (!done.mayWrite() || !QFileInfo(folder).isDir())
        return {};

    QVariantList imported;
    for (const QVariant &entry : records(folder, batteries, now, zone)) {
        const std::optional<chargehistory::DayRecord> r = chargehistory::fromVariant(entry);
        if (r && !chargehistory::contains(own, *r))
            imported << entry;
    }
    const QVariantMap file{{QStringLiteral("ImportedAt"), now.toUTC()},
                           {QStringLiteral("Source"), folder},
                           {QStringLiteral("Records"), imported}};
    // An import another running copy stored in the meantime is kept as it is.
    auto store = [path, file] {
        updateStoredFile(path, plist::Shape::Dictionary,
                         [&file](const plist::ReadResult &stored) -> std::optional<QVariant> {
                             if (stored.ok())
                                 return std::nullopt;
                             return file;
                         });
    };
    if (writer)
        writer->post(store);
    else
        store();
    return imported;
}

} // namespace upowerhistory
