// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tintedurls.h"

#include <QDir>
#include <QUrlQuery>

TintedUrls::TintedUrls(const QString &library, std::function<int()> generation)
    : m_prefix(QDir::cleanPath(library) + QLatin1Char('/')), m_generation(std::move(generation))
{
}

QUrl TintedUrls::intercept(const QUrl &url, DataType type)
{
    // Only the URLs the views name (pictures), never their own QML files; a URL that already
    // carries a query is someone else's.
    if (type != UrlString || url.hasQuery())
        return url;
    // Pictures drawn ahead of time from the Library's pictures name them inside their URL.
    const bool drawnAhead =
        url.scheme() == QLatin1String("image") && url.host() == QLatin1String("turned");
    if (!drawnAhead && !url.isLocalFile())
        return url;
    const int generation = m_generation ? m_generation() : 0;
    if (generation <= 0 ||
        (!drawnAhead && !QDir::cleanPath(url.toLocalFile()).startsWith(m_prefix)))
        return url;
    QUrl tagged(url);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("tint"), QString::number(generation));
    tagged.setQuery(query);
    return tagged;
}
