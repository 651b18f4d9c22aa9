// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/librarypictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

LibraryPictures::LibraryPictures(QString library)
    : QQuickImageProvider(QQuickImageProvider::Image), m_library(std::move(library))
{
}

LibraryPictures::Id LibraryPictures::parseId(const QString &id)
{
    Id out;
    const QString beforeFragment = id.section(QLatin1Char('#'), 0, 0);
    const QString fragment = id.section(QLatin1Char('#'), 1);
    out.file = QUrl::fromPercentEncoding(beforeFragment.section(QLatin1Char('?'), 0, 0).toUtf8());
    if (fragment.startsWith(QLatin1String("clip="))) {
        const QStringList c = fragment.mid(5).split(QLatin1Char(','));
        if (c.size() == 4) {
            bool ok[4] = {};
            // The views compute the rectangles in points: fractions round to whole pixels.
            const QRectF r(c[0].toDouble(&ok[0]), c[1].toDouble(&ok[1]), c[2].toDouble(&ok[2]),
                           c[3].toDouble(&ok[3]));
            if (ok[0] && ok[1] && ok[2] && ok[3])
                out.clip = r.toRect();
        }
    }
    return out;
}

QImage LibraryPictures::read(const QString &path, const QRect &clip, const QSize &requestedSize)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    QImageReader reader(path, suffix == "jpg" ? QByteArrayLiteral("jpeg") : suffix);
    // The name's format or nothing: guessing from the content is what loads every plugin.
    reader.setAutoDetectImageFormat(false);
    QSize whole = reader.size();
    if (!clip.isEmpty()) {
        const QRect part = clip & QRect(QPoint(), whole);
        if (part.isEmpty())
            return {};
        reader.setClipRect(part);
        whole = part.size();
    }
    if (whole.isValid() && (requestedSize.width() > 0 || requestedSize.height() > 0)) {
        QSize scaled = whole;
        if (requestedSize.width() > 0 && requestedSize.height() > 0)
            scaled.scale(requestedSize, Qt::KeepAspectRatio);
        else if (requestedSize.width() > 0)
            scaled = QSize(
                requestedSize.width(),
                qMax(1, qRound(double(whole.height()) * requestedSize.width() / whole.width())));
        else
            scaled = QSize(
                qMax(1, qRound(double(whole.width()) * requestedSize.height() / whole.height())),
                requestedSize.height());
        reader.setScaledSize(scaled);
    }
    return reader.read();
}

QImage LibraryPictures::readIn(const QString &folder, const QString &id, const QSize &requestedSize)
{
    const Id parsed = parseId(id);
    if (parsed.file.isEmpty() || parsed.file.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return {};
    return read(folder + QLatin1Char('/') + parsed.file, parsed.clip, requestedSize);
}

QImage LibraryPictures::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QImage picture = readIn(m_library, id, requestedSize);
    if (size)
        *size = picture.size();
    return picture;
}
