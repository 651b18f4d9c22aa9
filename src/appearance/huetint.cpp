#include "huetint.h"

#include "platform/plist.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSet>
#include <QVariantMap>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// One file of a batch on its way to its place: written to a temporary file beside the target,
// then flushed, then renamed over it.
struct PendingFile
{
    int index = 0;
    QString target;
    QByteArray temporary;
    int fd = -1;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

HueTint::HueTint(QString resources, QString library, QStringList names, double hue)
    : m_source(std::move(resources)), m_library(std::move(library)), m_names(std::move(names))
{
    m_filter.setHue(hue);
}

QImage HueTint::tinted(QImage image, const HueFilter &filter)
{
    if (image.isNull())
        return image;
    HueFilter::Alpha alpha = HueFilter::Alpha::Straight;
    switch (image.format()) {
    case QImage::Format_ARGB32_Premultiplied:
        alpha = HueFilter::Alpha::Premultiplied;
        break;
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
        break;
    default:
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        break;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        filter.apply({row, std::size_t(image.width())}, alpha);
    }
    return image;
}

QByteArray HueTint::encodePng(const QImage &image, int level)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt's PNG writer takes the zlib level as a quality: level = (100 - quality) * 9 / 91.
    writer.setQuality(level >= 9 ? 0 : 100 - (level * 91 + 8) / 9);
    if (!writer.write(image))
        return {};
    return bytes;
}

std::optional<TintMarker> HueTint::readMarker(const QString &library)
{
    const plist::ReadResult stored =
        plist::readFile(library + QLatin1Char('/') + QLatin1String(kMarkerName));
    if (!stored.ok())
        return std::nullopt;
    const QVariantMap map = stored.value.toMap();
    return TintMarker{map.value(QStringLiteral("hue")).toDouble(),
                      map.value(QStringLiteral("complete")).toBool()};
}

bool HueTint::writeMarker(bool complete)
{
    const QVariantMap map{{QStringLiteral("hue"), m_filter.hue()},
                          {QStringLiteral("complete"), complete}};
    return plist::writeFile(m_library + QLatin1Char('/') + QLatin1String(kMarkerName), map);
}

bool HueTint::runBatch(const Progress &progress)
{
    if (!m_started) {
        m_started = true;
        if (!writeMarker(false))
            m_failures.append({QLatin1String(kMarkerName), QStringLiteral("cannot be written")});
    }
    const int first = m_done;
    const int end = std::min(count(), (first / kBatchSize + 1) * kBatchSize);
    // A whole turn leaves every colour as it is: the shipped file is copied byte for byte.
    const bool identity = std::fmod(m_filter.hue(), 360.0) == 0.0;

    QList<PendingFile> pending;
    for (int i = first; i < end; ++i) {
        const QString &name = m_names.at(i);
        QByteArray bytes;
        if (identity) {
            bytes = m_source.bytes(name);
        } else {
            const QImage image = m_source.image(name);
            if (!image.isNull())
                bytes = encodePng(tinted(image, m_filter), m_pngLevel);
        }
        if (bytes.isEmpty()) {
            m_failures.append({name, QStringLiteral("the shipped picture cannot be read")});
            continue;
        }
        PendingFile file{i, m_library + QLatin1Char('/') + name, {}, -1};
        const QFileInfo info(file.target);
        QDir().mkpath(info.absolutePath());
        file.temporary =
            QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
            ".XXXXXX";
        file.fd = ::mkstemp(file.temporary.data());
        if (file.fd < 0) {
            m_failures.append({name, errnoText()});
            continue;
        }
        ::fchmod(file.fd, 0644);
        if (!writeAll(file.fd, bytes)) {
            m_failures.append({name, errnoText()});
            ::close(file.fd);
            ::unlink(file.temporary.constData());
            continue;
        }
#ifdef SYNC_FILE_RANGE_WRITE
        // Start the write-back now, so the flushes below wait for ten files at once.
        ::sync_file_range(file.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
        pending.append(file);
    }

    QSet<QString> folders;
    for (const PendingFile &file : std::as_const(pending)) {
        bool ok = ::fdatasync(file.fd) == 0;
        ok = ::close(file.fd) == 0 && ok;
        ok = ok && ::rename(file.temporary.constData(), QFile::encodeName(file.target)) == 0;
        if (!ok) {
            m_failures.append({m_names.at(file.index), errnoText()});
            ::unlink(file.temporary.constData());
            continue;
        }
        folders.insert(QFileInfo(file.target).absolutePath());
    }
    for (const QString &folder : std::as_const(folders)) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    for (int i = first; i < end; ++i) {
        m_done = i + 1;
        if (progress) {
            TintProgress step;
            step.done = m_done;
            step.total = count();
            step.percent = (i * 100 + 100) / count();
            step.text = QString::asprintf("%.0f%%", double(step.percent));
            step.batchEnd = i + 1 == end;
            progress(step);
        }
    }
    if (finished() && m_failures.isEmpty() && !writeMarker(true))
        m_failures.append({QLatin1String(kMarkerName), QStringLiteral("cannot be written")});
    return !finished();
}

void HueTint::runAll(const Progress &progress, const std::function<void()> &pause)
{
    while (runBatch(progress)) {
        if (pause)
            pause();
    }
}

FinishedTint finishUnfinishedTint(const QString &resources, const QString &library,
                                  const QStringList &names)
{
    const std::optional<TintMarker> marker = HueTint::readMarker(library);
    if (!marker || marker->complete)
        return {};
    HueTint tint(resources, library, names, marker->hue);
    tint.runAll();
    return {true, tint.failures()};
}
