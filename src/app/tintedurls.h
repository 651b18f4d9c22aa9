// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQmlAbstractUrlInterceptor>
#include <QString>
#include <QUrl>

#include <functional>

// Qt Quick keeps the pictures it has loaded by their URL, across windows. A tint rewrites the
// copies in the Library folder under their old names, so a rebuilt interface would be handed the
// pictures from before the tint. The views' engine therefore loads every file of the Library
// folder under its URL with the tint generation added ("?tint=2"); the file read is the same.
class TintedUrls : public QQmlAbstractUrlInterceptor
{
public:
    // generation: the number of tints done in this process; 0 leaves every URL as it is.
    TintedUrls(const QString &library, std::function<int()> generation);

    QUrl intercept(const QUrl &url, DataType type) override;

private:
    QString m_prefix;
    std::function<int()> m_generation;
};
