// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The interface pictures as the program ships them (the resource folder), never the tinted
// copies in the Library folder: every tint starts from here, so tints do not accumulate.
// Names are the pictures' paths relative to the resource folder, which are also the names of
// their copies in the Library folder ("1_back-4_52x47.png").
class PictureSource
{
public:
    explicit PictureSource(QString resources);

    // The shipped file of name; empty for a name that leaves the resource folder.
    QString path(const QString &name) const;
    // The shipped picture, decoded; a null image when it is missing or cannot be read.
    QImage image(const QString &name) const;
    // The shipped file's bytes; empty when it is missing.
    QByteArray bytes(const QString &name) const;

private:
    QString m_resources;
};
