// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturesource.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

PictureSource::PictureSource(QString resources) : m_resources(std::move(resources)) {}

QString PictureSource::path(const QString &name) const
{
    const QString clean = QDir::cleanPath(name);
    if (clean.isEmpty() || QDir::isAbsolutePath(clean) || clean == QLatin1String("..") ||
        clean.startsWith(QLatin1String("../")))
        return {};
    return m_resources + QLatin1Char('/') + clean;
}

QImage PictureSource::image(const QString &name) const
{
    const QString file = path(name);
    if (file.isEmpty())
        return {};
    // The format follows the suffix: probing the contents against every image plugin first
    // would triple the time of a full re-tint.
    return QImageReader(file).read();
}

QByteArray PictureSource::bytes(const QString &name) const
{
    QFile file(path(name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
