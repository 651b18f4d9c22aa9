// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/turnedpictures.h"

#include "appearance/librarypictures.h"

#include <QPainter>
#include <QStringList>
#include <QUrl>

QImage turnedPicture(const QImage &picture, double degrees, const QImage &backdrop,
                     const QRectF &crop, QSize size, const QColor &ground)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    QImage out(size, QImage::Format_RGB32);
    out.fill(ground);
    QPainter p(&out);
    p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    if (!backdrop.isNull() && crop.isValid())
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), backdrop, crop);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    p.translate(centre);
    p.rotate(degrees);
    p.translate(-centre);
    p.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), picture);
    return out;
}

QImage TurnedPictures::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const QStringList parts = id.section(QLatin1Char('?'), 0, 0).split(QLatin1Char('/'));
    if (parts.size() != 5)
        return {};
    bool ok = false;
    const double degrees = parts[0].toDouble(&ok);
    const QStringList c = parts[1].split(QLatin1Char(','));
    if (!ok || c.size() != 4)
        return {};
    QRectF crop;
    {
        bool ox = false, oy = false, ow = false, oh = false;
        crop =
            QRectF(c[0].toDouble(&ox), c[1].toDouble(&oy), c[2].toDouble(&ow), c[3].toDouble(&oh));
        if (!(ox && oy && ow && oh))
            return {};
    }
    const auto load = [this](const QString &encoded) {
        const QUrl url(QUrl::fromPercentEncoding(encoded.toUtf8()));
        if (url.isLocalFile())
            return LibraryPictures::read(url.toLocalFile());
        if (url.scheme() == QLatin1String("image") && url.host() == QLatin1String("library") &&
            !m_library.isEmpty())
            return LibraryPictures::readIn(
                m_library, url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1));
        return QImage();
    };
    const QImage picture = load(parts[2]);
    const QImage backdrop = load(parts[3]);
    const QColor ground(QUrl::fromPercentEncoding(parts[4].toUtf8()));
    const QSize drawn =
        requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : picture.size();
    QImage out = turnedPicture(picture, degrees, backdrop, crop, drawn,
                               ground.isValid() ? ground : QColor(Qt::black));
    if (size)
        *size = out.size();
    return out;
}
