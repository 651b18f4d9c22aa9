// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/placesearch.h"

#include "platform/plist.h"
#include "platform/qthttpclient.h"
#include "weather/replycache.h"
#include "weather/xmlreader.h"

#include <QGeoPositionInfo>
#include <QGeoPositionInfoSource>
#include <QThread>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

PlaceSearchCell::PlaceSearchCell(const PlaceRecord &record, QObject *parent)
    : QObject(parent), m_placeName(record.name + QStringLiteral(", ") + record.countryName),
      m_placeType(record.fcodeName)
{
}

// What the worker and the interface thread share. The worker reaches the search only through
// target, under the mutex, so a search being destroyed never receives a late result.
struct PlaceSearch::Shared
{
    std::atomic<quint64> generation{0};
    std::atomic<RequestPacer *> pacer{&RequestPacer::shared()};
    std::mutex mutex;
    PlaceSearch *target = nullptr;
    // The worker's own.
    ReplyCache cache;
};

struct PlaceSearch::Job
{
    quint64 generation = 0;
    bool nearbyOnly = false;
    // Return or the search button: the queries the keyless source keeps off the typing too.
    bool submitted = false;
    QString text;
    std::optional<places::Coordinates> coordinates;
    WeatherConfig config;
};

PlaceSearch::PlaceSearch(PlaceSearchProtocol *delegate, Folders folders, bool tablet,
                         std::function<bool()> locationServicesEnabled, QObject *parent)
    : QObject(parent), m_delegate(delegate), m_folders(std::move(folders)), m_tablet(tablet),
      m_locationServicesEnabled(std::move(locationServicesEnabled)),
      m_shared(std::make_shared<Shared>())
{
    m_shared->target = this;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("place search"));
    m_worker = new QObject;
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread->start();
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, [this] { runTextSearch(false); });
}

PlaceSearch::~PlaceSearch()
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->target = nullptr;
    }
    // Queued searches are dropped; one under way finishes on its own and the thread then goes.
    ++m_shared->generation;
    m_thread->quit();
}

void PlaceSearch::setPacer(RequestPacer &pacer)
{
    m_shared->pacer = &pacer;
}

RequestPacer &PlaceSearch::pacer() const
{
    return *m_shared->pacer;
}

void PlaceSearch::setPositionSource(QGeoPositionInfoSource *source)
{
    if (m_position)
        m_position->deleteLater();
    m_position = source;
    if (source)
        source->setParent(this);
}

quint64 PlaceSearch::generation() const
{
    return m_shared->generation;
}

QList<QObject *> PlaceSearch::cells() const
{
    QList<QObject *> out;
    for (PlaceSearchCell *cell : m_cells)
        out.append(cell);
    return out;
}

QString PlaceSearch::extendShrinkImage() const
{
    return m_folders.library + (m_tablet ? QStringLiteral("/2_GPS_satelite_62x52.png")
                                         : QStringLiteral("/1_Gps_detect_location_29x25.png"));
}

QString PlaceSearch::getNameFromArrayForKey(const QString &key, int index) const
{
    if (index < 0 || index >= m_mutableArray.size())
        return {};
    return m_mutableArray[index].value(key);
}

void PlaceSearch::setSearching(bool searching)
{
    if (m_searching == searching)
        return;
    m_searching = searching;
    emit searchingChanged();
}

void PlaceSearch::textChanged(const QString &text)
{
    if (text != m_searchText) {
        m_searchText = text;
        emit searchTextChanged();
    }
    // Whatever is under way or queued belongs to an older text now.
    ++m_shared->generation;
    if (text.trimmed().size() < 2) {
        m_debounce.stop();
        if (!m_mutableArray.isEmpty())
            deliver(m_shared->generation, {}, std::nullopt);
        return;
    }
    // The services ask for no request per keystroke: the search waits for a pause.
    m_debounce.start();
}

void PlaceSearch::searchButtonPressed()
{
    m_debounce.stop();
    if (m_searchText.trimmed().size() < 2)
        return;
    // The answers to the typed text may be on their way: they are dropped, the new search
    // asks again (the name search's reply usually comes from the cache).
    ++m_shared->generation;
    runTextSearch(true);
}

void PlaceSearch::runTextSearch(bool submitted)
{
    Job job;
    job.generation = m_shared->generation;
    job.submitted = submitted;
    job.text = m_searchText.trimmed().left(places::kMaxTextLength);
    job.coordinates = places::isGeographicalCoordinates(job.text);
    job.config = m_config;
    queue(std::move(job));
}

void PlaceSearch::searchByCoordinates(double lat, double lng)
{
    if (!places::validCoordinates(lat, lng))
        return;
    Job job;
    job.generation = ++m_shared->generation;
    job.nearbyOnly = true;
    job.coordinates = places::Coordinates{lat, lng};
    job.config = m_config;
    queue(std::move(job));
}

void PlaceSearch::queue(Job job)
{
    ++m_pending;
    setSearching(true);
    QMetaObject::invokeMethod(
        m_worker, [shared = m_shared, job = std::move(job)] { run(shared, job); },
        Qt::QueuedConnection);
}

namespace {

std::optional<QByteArray> fetch(const QUrl &url, ReplyCache &cache, RequestPacer &pacer,
                                const std::function<bool()> &stale)
{
    if (url.isEmpty())
        return std::nullopt;
    const QString key = url.toString(QUrl::FullyEncoded);
    if (std::optional<QByteArray> cached = cache.find(key))
        return cached;
    // The services' usage policies: at most one request a second to each, from the whole
    // application; the worker may wait. A search overtaken meanwhile is not sent.
    if (const std::chrono::milliseconds wait = pacer.reserve(url); wait.count() > 0)
        std::this_thread::sleep_for(wait);
    if (stale())
        return std::nullopt;
    QtHttpClient http(30000);
    http.setUserAgent(powerdeckUserAgent().toStdString());
    http.setMaxBodyBytes(1024 * 1024);
    const HttpResponse response = http.get(key.toStdString());
    if (!response.ok())
        return std::nullopt;
    QByteArray body(response.body.data(), static_cast<qsizetype>(response.body.size()));
    cache.insert(key, body);
    return body;
}

} // namespace

void PlaceSearch::run(const std::shared_ptr<Shared> &shared, const Job &job)
{
    std::optional<PlaceList> nearby;
    PlaceList list;
    // A search overtaken while it waited in the queue is not sent at all.
    if (shared->generation == job.generation) {
        const WeatherConfig &c = job.config;
        const bool feed = c.source == WeatherConfig::Source::Feed;
        // Nominatim allows no search as you type: on the keyless source the nearby and postal-code
        // queries go only for a submitted text or a location fix.
        const bool everyQuery = feed || job.submitted || job.nearbyOnly;
        const std::function<bool()> stale = [&] { return shared->generation != job.generation; };
        auto get = [&](const QUrl &url) {
            return fetch(url, shared->cache, *shared->pacer, stale);
        };
        auto xml = [](const std::optional<QByteArray> &body) {
            return body ? XmlReader::readerWithXMLData(body->constData(),
                                                       static_cast<std::size_t>(body->size()))
                        : XmlReader();
        };
        auto first = [](std::optional<PlaceList> l) {
            PlaceList out = l.value_or(PlaceList{});
            return out.mid(0, kMaxRows);
        };
        if (job.coordinates && everyQuery) {
            const std::optional<QByteArray> body =
                get(c.nearbyUrl(job.coordinates->lat, job.coordinates->lng));
            nearby = first(feed ? places::fromNearbyReply(xml(body))
                                : (body ? places::fromReverseReply(*body) : std::nullopt));
            list = *nearby;
        }
        if (!job.nearbyOnly && shared->generation == job.generation) {
            std::optional<QByteArray> body = get(c.nameSearchUrl(job.text));
            list += first(feed ? places::fromNameReply(xml(body))
                               : (body ? places::fromGeocodingReply(*body) : std::nullopt));
            if (everyQuery && shared->generation == job.generation) {
                body = get(c.postalUrl(job.text));
                list += first(feed ? places::fromPostalReply(xml(body))
                                   : (body ? places::fromPostalSearchReply(*body) : std::nullopt));
            }
        }
    }
    std::lock_guard lock(shared->mutex);
    if (PlaceSearch *target = shared->target) {
        QMetaObject::invokeMethod(
            target,
            [target, generation = job.generation, list = std::move(list),
             nearby = std::move(nearby)] {
                --target->m_pending;
                if (target->m_pending == 0)
                    target->setSearching(false);
                target->deliver(generation, list, nearby);
            },
            Qt::QueuedConnection);
    }
}

void PlaceSearch::deliver(quint64 generation, const PlaceList &list,
                          const std::optional<PlaceList> &nearby)
{
    if (generation != m_shared->generation)
        return;
    m_mutableArray = list;
    for (PlaceSearchCell *cell : std::as_const(m_cells))
        cell->deleteLater();
    m_cells.clear();
    for (const PlaceRecord &record : std::as_const(m_mutableArray))
        m_cells.append(new PlaceSearchCell(record, this));
    emit tableReloaded();
    // Until the user picks a place, the one around them is the clock's place.
    if (nearby && !nearby->isEmpty() && !m_boolulmEU) {
        m_tara = nearby->first().countryName;
        m_oras = nearby->first().name;
        writePlaceCache(m_tara, m_oras);
    }
}

bool PlaceSearch::writePlaceCache(const QString &country, const QString &place)
{
    if (place.isEmpty())
        return false;
    if (!plist::writeFile(m_folders.documents + QStringLiteral("/temp.plist"),
                          QVariantList{country, place}))
        return false;
    emit placeCacheWritten();
    return true;
}

void PlaceSearch::didSelectRow(int row)
{
    if (row < 0 || row >= m_mutableArray.size())
        return;
    const PlaceRecord record = m_mutableArray[row];
    const std::optional<places::Coordinates> at =
        places::isGeographicalCoordinates(record.lat + QLatin1Char(',') + record.lng);
    // A place without usable coordinates cannot have a forecast.
    if (!at)
        return;
    m_boolulmEU = true;
    m_searchedLabel = record.name + QStringLiteral(", ") + record.countryName;
    emit searchedLabelChanged();
    if (m_delegate) {
        m_delegate->getCountry(record.countryName);
        m_delegate->getState(record.name);
    }
    writePlaceCache(record.countryName, record.name);
    ++m_shared->generation;
    m_debounce.stop();
    if (m_delegate)
        m_delegate->placeSearchDidSelectPlaceWithLatitude(at->lat, at->lng);
    shrinkViewAnimated(true);
    if (m_delegate)
        m_delegate->close();
}

void PlaceSearch::currentLocationButtonPressed()
{
    if (!m_position && m_locationServicesEnabled && m_locationServicesEnabled())
        setPositionSource(QGeoPositionInfoSource::createDefaultSource(nullptr));
    if (!m_position || !m_locationServicesEnabled || !m_locationServicesEnabled()) {
        m_alertVisible = true;
        emit alertChanged();
        return;
    }
    connect(m_position, &QGeoPositionInfoSource::positionUpdated, this, &PlaceSearch::onPosition,
            Qt::UniqueConnection);
    m_position->setPreferredPositioningMethods(QGeoPositionInfoSource::AllPositioningMethods);
    // One fix, not a stream of them, each of which would send a request.
    m_position->requestUpdate(kLocationTimeoutMs);
    textChanged(QString());
}

void PlaceSearch::onPosition(const QGeoPositionInfo &info)
{
    const QGeoCoordinate c = info.coordinate();
    if (c.isValid())
        searchByCoordinates(c.latitude(), c.longitude());
}

void PlaceSearch::dismissAlert()
{
    if (!m_alertVisible)
        return;
    m_alertVisible = false;
    emit alertChanged();
}

void PlaceSearch::extendShrinkButtonPressed()
{
    if (m_extended)
        shrinkViewAnimated(true);
    else
        extendView();
}

void PlaceSearch::extendView()
{
    textChanged(QString());
    if (!m_extended) {
        m_extended = true;
        emit extendedChanged();
    }
}

void PlaceSearch::shrinkViewAnimated(bool)
{
    // The view animates the change; here only the state matters.
    if (m_extended) {
        m_extended = false;
        emit extendedChanged();
    }
}
