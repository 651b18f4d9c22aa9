// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QQuickImageProvider>
#include <QRectF>
#include <QSize>

// Pictures drawn turned ahead of time, so that a turning picture costs a copy per frame rather
// than a turned, filtered draw over whatever lies below it.
//
// turnedPicture: `picture` turned by `degrees` clockwise about its centre, drawn over `crop` of
// `backdrop` (in the backdrop's pixels; the crop has the picture's aspect) on `ground`, at
// `size` pixels. The result has no transparency, so nothing below it needs drawing.
QImage turnedPicture(const QImage &picture, double degrees, const QImage &backdrop,
                     const QRectF &crop, QSize size, const QColor &ground);

// The provider "image://turned/<degrees>/<x>,<y>,<w>,<h>/<picture URL>/<backdrop URL>/<ground>",
// the URLs and the ground colour ("#rrggbb") percent-encoded, the crop in the backdrop's
// pixels. A picture URL is a file's, or a Library picture's ("image://library/<name>", read
// from `library`). The requested size is the size drawn; a query (a tint's generation) only
// tells the picture cache apart. Loads on the image loader's thread.
class TurnedPictures : public QQuickImageProvider
{
public:
    explicit TurnedPictures(QString library = {})
        : QQuickImageProvider(QQuickImageProvider::Image), m_library(std::move(library))
    {
    }
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    QString m_library;
};
