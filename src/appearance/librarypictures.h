// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickImageProvider>
#include <QRect>
#include <QSize>
#include <QString>

// A folder's pictures for the views: the Library folder's as "image://library/<file>", the
// shipped resources' as "image://resources/<file>" (one provider each). Each is read in the
// format its name tells. Qt Quick's loader of plain picture files first asks every installed
// image plugin what it reads, which loads them all (and the SVG module with them) for pictures
// that are all PNG; read this way, a plugin is loaded only for a format that needs one.
//
// "#clip=x,y,w,h" after the name reads that part of the picture only (Qt Quick applies no
// sourceClipRect to a provider's pictures); a query ("?tint=2") is the caller's and is ignored.
// A requested size (sourceSize) scales the picture to fit it, keeping its proportions; with one
// side 0 the other alone sets the scale. Safe to call on Qt Quick's image thread.
class LibraryPictures : public QQuickImageProvider
{
public:
    explicit LibraryPictures(QString library);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    struct Id
    {
        QString file; // relative to the Library folder, decoded
        QRect clip;   // empty: the whole picture
    };
    static Id parseId(const QString &id);
    // Reads path in the format its suffix tells, the part clip (when not empty) at
    // requestedSize (see above).
    static QImage read(const QString &path, const QRect &clip = {},
                       const QSize &requestedSize = {});
    // The picture an id names inside folder (nothing outside it).
    static QImage readIn(const QString &folder, const QString &id, const QSize &requestedSize = {});

private:
    QString m_library;
};
