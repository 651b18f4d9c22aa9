// SPDX-License-Identifier: GPL-3.0-or-later
#include "huetint.h"

#include "platform/plist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariantMap>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

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

// Writes bytes to a temporary file beside path and renames it over path, so that path holds
// either its old or its new contents at any moment. The data is only queued for the disk here;
// the run flushes once at its end.
bool replaceFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QByteArray temporary =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    ::fchmod(fd, 0644);
    bool ok = writeAll(fd, bytes);
#ifdef SYNC_FILE_RANGE_WRITE
    if (ok)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
    }
    return ok;
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

QByteArray HueTint::encodePng(const QImage &source, int level)
{
    if (source.isNull())
        return {};
    // The interface pictures are flat colours and smooth edges: the "Sub" filter on every row
    // turns flat runs into zeros, which deflate at a low level packs as well as a search over all
    // five filters would, at a fraction of the time.
    const QImage image =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    const bool alpha = image.format() == QImage::Format_ARGB32;
    const int channels = alpha ? 4 : 3;
    const int width = image.width();
    const std::size_t stride = 1 + std::size_t(width) * channels;
    std::vector<unsigned char> rows(stride * std::size_t(image.height()));
    std::vector<unsigned char> raw(std::size_t(width) * channels);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        unsigned char *r = raw.data();
        if (alpha) {
            for (int x = 0; x < width; ++x, r += 4) {
                const std::uint32_t p = line[x];
                r[0] = (p >> 16) & 0xff, r[1] = (p >> 8) & 0xff, r[2] = p & 0xff, r[3] = p >> 24;
            }
        } else {
            for (int x = 0; x < width; ++x, r += 3) {
                const std::uint32_t p = line[x];
                r[0] = (p >> 16) & 0xff, r[1] = (p >> 8) & 0xff, r[2] = p & 0xff;
            }
        }
        unsigned char *out = rows.data() + stride * std::size_t(y);
        *out++ = 1; // Sub
        std::copy_n(raw.data(), channels, out);
        for (std::size_t i = std::size_t(channels); i < raw.size(); ++i)
            out[i] = raw[i] - raw[i - std::size_t(channels)];
    }

    z_stream stream{};
    if (deflateInit2(&stream, std::clamp(level, 0, 9), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return {};
    std::vector<unsigned char> packed(deflateBound(&stream, uLong(rows.size())));
    stream.next_in = rows.data();
    stream.avail_in = uInt(rows.size());
    stream.next_out = packed.data();
    stream.avail_out = uInt(packed.size());
    const int result = deflate(&stream, Z_FINISH);
    const std::size_t packedSize = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto put32 = [](QByteArray &bytes, std::uint32_t v) {
        const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        bytes.append(b, 4);
    };
    const auto chunk = [&](const char *type, const unsigned char *data, std::size_t size) {
        put32(png, std::uint32_t(size));
        const qsizetype start = png.size();
        png.append(type, 4);
        png.append(reinterpret_cast<const char *>(data), qsizetype(size));
        put32(png, std::uint32_t(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + start),
                                       uInt(png.size() - start))));
    };
    QByteArray header;
    put32(header, std::uint32_t(width));
    put32(header, std::uint32_t(image.height()));
    // 8 bits per channel, RGBA or RGB, deflate, per-row filters, not interlaced.
    const char format[5] = {8, char(alpha ? 6 : 2), 0, 0, 0};
    header.append(format, 5);
    chunk("IHDR", reinterpret_cast<const unsigned char *>(header.constData()), header.size());
    chunk("IDAT", packed.data(), packedSize);
    chunk("IEND", nullptr, 0);
    return png;
}

std::optional<TintMarker> HueTint::readMarker(const QString &library)
{
    const plist::ReadResult stored =
        plist::readFile(library + QLatin1Char('/') + QLatin1String(kMarkerName));
    if (!stored.ok())
        return std::nullopt;
    const QVariantMap map = stored.value.toMap();
    return TintMarker{map.value(QStringLiteral("hue")).toDouble(),
                      map.value(QStringLiteral("complete")).toBool(),
                      map.value(QStringLiteral("failed")).toStringList()};
}

bool HueTint::writeMarker(bool complete, const QStringList &failed)
{
    QVariantMap map{{QStringLiteral("hue"), m_filter.hue()},
                    {QStringLiteral("complete"), complete}};
    if (!failed.isEmpty())
        map.insert(QStringLiteral("failed"), failed);
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

    // Each picture is made and written on one of as many threads as there are cores; failures
    // are reported in the order of the pictures.
    std::vector<QString> problems(std::size_t(end - first));
    std::atomic<int> next{first};
    const auto make = [&] {
        for (int i = next++; i < end; i = next++) {
            const QString &name = m_names.at(i);
            QByteArray bytes;
            if (identity) {
                bytes = m_source.bytes(name);
            } else {
                QImage image = m_source.image(name);
                if (!image.isNull())
                    bytes = encodePng(tinted(std::move(image), m_filter), m_pngLevel);
            }
            if (bytes.isEmpty())
                problems[std::size_t(i - first)] =
                    QStringLiteral("the shipped picture cannot be read");
            else if (!replaceFile(m_library + QLatin1Char('/') + name, bytes))
                problems[std::size_t(i - first)] = errnoText();
        }
    };
    const int threads =
        m_threads > 0 ? m_threads : std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(threads, end - first); ++t)
        helpers.emplace_back(make);
    make();
    for (std::thread &helper : helpers)
        helper.join();
    for (int i = first; i < end; ++i) {
        if (!problems[std::size_t(i - first)].isEmpty())
            m_failures.append({m_names.at(i), problems[std::size_t(i - first)]});
    }

    for (int i = first; i < end; ++i) {
        m_done = i + 1;
        if (progress) {
            TintProgress step;
            step.done = m_done;
            step.total = count();
            step.percent = (i * 100 + 100) / count();
            step.text = QString::number(step.percent) + QLatin1Char('%');
            step.batchEnd = i + 1 == end;
            progress(step);
        }
    }
    if (finished()) {
        // One flush of the file system for the whole run, before the run is recorded complete:
        // until then a power cut leaves the marker unfinished and start-up tints again. Pictures
        // that failed are recorded as such: tinting them all again would fail the same way.
        QStringList failed;
        for (const TintFailure &failure : std::as_const(m_failures)) {
            if (failure.name != QLatin1String(kMarkerName))
                failed << failure.name;
        }
        const int fd = ::open(QFile::encodeName(m_library).constData(), O_RDONLY | O_DIRECTORY);
        const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
        if (!flushed)
            m_failures.append({m_library, errnoText()});
        if (fd >= 0)
            ::close(fd);
        if (flushed && !writeMarker(true, failed))
            m_failures.append({QLatin1String(kMarkerName), QStringLiteral("cannot be written")});
    }
    return !finished();
}

void HueTint::runAll(const Progress &progress, const std::function<void()> &pause)
{
    while (runBatch(progress)) {
        if (pause)
            pause();
    }
}

bool tintUnfinished(const QString &library)
{
    const std::optional<TintMarker> marker = HueTint::readMarker(library);
    return marker && !marker->complete;
}

FinishedTint finishUnfinishedTint(const QString &resources, const QString &library,
                                  const QStringList &names, int threads)
{
    const std::optional<TintMarker> marker = HueTint::readMarker(library);
    if (!marker || marker->complete)
        return {};
    HueTint tint(resources, library, names, marker->hue);
    tint.setThreads(threads);
    tint.runAll();
    return {true, tint.failures()};
}
