// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/folders.h"
#include "platform/objectlist.h"
#include "weather/placerecords.h"
#include "weather/requestpacer.h"
#include "weather/weatherconfig.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>
#include <optional>

class QGeoPositionInfo;
class QGeoPositionInfoSource;
class QThread;

// What the place search tells its owner (the weather panel).
class PlaceSearchProtocol
{
public:
    virtual ~PlaceSearchProtocol() = default;
    virtual void getCountry(const QString &country) = 0;
    virtual void getState(const QString &city) = 0;
    virtual void placeSearchDidSelectPlaceWithLatitude(double lat, double lng) = 0;
    virtual void close() = 0;

protected:
    PlaceSearchProtocol() = default;
    PlaceSearchProtocol(const PlaceSearchProtocol &) = default;
    PlaceSearchProtocol &operator=(const PlaceSearchProtocol &) = default;
};

// One row of the result list: "Paris, France" over "capital of a political entity".
class PlaceSearchCell : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the place search")
    Q_PROPERTY(QString placeName READ placeName CONSTANT)
    Q_PROPERTY(QString placeType READ placeType CONSTANT)

public:
    PlaceSearchCell(const PlaceRecord &record, QObject *parent);
    QString placeName() const { return m_placeName; }
    QString placeType() const { return m_placeType; }

private:
    QString m_placeName;
    QString m_placeType;
};

// The search box at the top of the weather panel. While the user types it asks the place
// service by name, by coordinates ("45.5,-73.6") and by postal code, on a worker thread, and
// shows the results. The keyless source asks only by name while the user types: OpenStreetMap
// Nominatim (postal codes, the place around typed coordinates) allows no search as you type, so
// those wait for Return or the search button. Every request is booked with the application's
// RequestPacer; a pick hands the place to the delegate and writes the place cache
// "temp.plist" (country, place). Each typed text gets a generation number: results of an older
// one are dropped when they arrive.
class PlaceSearch : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the weather panel")
    Q_PROPERTY(QString searchedLabel READ searchedLabel NOTIFY searchedLabelChanged)
    Q_PROPERTY(QString searchText READ searchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool extended READ extended NOTIFY extendedChanged)
    Q_PROPERTY(QVariantList cells READ cellsForViews NOTIFY tableReloaded)
    Q_PROPERTY(int rowCount READ numberOfRows NOTIFY tableReloaded)
    Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)
    Q_PROPERTY(QString extendShrinkImage READ extendShrinkImage CONSTANT)
    Q_PROPERTY(bool alertVisible READ alertVisible NOTIFY alertChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle CONSTANT)
    Q_PROPERTY(QString alertMessage READ alertMessage CONSTANT)

public:
    static constexpr int kDebounceMs = 300;
    static constexpr int kLocationTimeoutMs = 30000;
    static constexpr int kMaxRows = 5;

    PlaceSearch(PlaceSearchProtocol *delegate, Folders folders, bool tablet,
                std::function<bool()> locationServicesEnabled, QObject *parent = nullptr);
    ~PlaceSearch() override;

    void setConfig(const WeatherConfig &config) { m_config = config; }
    void setLocationServicesEnabled(std::function<bool()> enabled)
    {
        m_locationServicesEnabled = std::move(enabled);
    }
    // Tests shorten the waits.
    void setDebounceMs(int ms) { m_debounce.setInterval(ms); }
    // The rate limiter every request is booked with; RequestPacer::shared() unless a test or
    // the owner sets another.
    void setPacer(RequestPacer &pacer);
    RequestPacer &pacer() const;
    // Replaces the system's position source (tests); the search takes it over.
    void setPositionSource(QGeoPositionInfoSource *source);

    QString searchedLabel() const { return m_searchedLabel; }
    QString searchText() const { return m_searchText; }
    bool extended() const { return m_extended; }
    QList<QObject *> cells() const;
    QVariantList cellsForViews() const { return objectList(cells()); }
    const PlaceList &mutableArray() const { return m_mutableArray; }
    bool searching() const { return m_searching; }
    QString extendShrinkImage() const;
    bool boolulmEU() const { return m_boolulmEU; }
    quint64 generation() const;
    bool alertVisible() const { return m_alertVisible; }
    QString alertTitle() const { return tr("Location Services Disabled"); }
    QString alertMessage() const
    {
        return tr("You currently have all location services for this device disabled. If you "
                  "proceed, you will be asked to confirm whether location services should be "
                  "reenabled.");
    }

    Q_INVOKABLE int numberOfRows() const { return static_cast<int>(m_mutableArray.size()); }
    // The text field changed to text.
    Q_INVOKABLE void textChanged(const QString &text);
    // Return or the search button: every query for the text now, the keyless postal-code and
    // nearby ones included.
    Q_INVOKABLE void searchButtonPressed();
    Q_INVOKABLE void didSelectRow(int row);
    Q_INVOKABLE void currentLocationButtonPressed();
    Q_INVOKABLE void extendShrinkButtonPressed();
    Q_INVOKABLE void extendView();
    Q_INVOKABLE void shrinkViewAnimated(bool animated);
    Q_INVOKABLE void dismissAlert();
    // The places around a point (a location fix); replaces the list.
    void searchByCoordinates(double lat, double lng);
    // The value of key in record index; "" outside the list.
    QString getNameFromArrayForKey(const QString &key, int index) const;

signals:
    void searchedLabelChanged();
    void searchTextChanged();
    void extendedChanged();
    void tableReloaded();
    void searchingChanged();
    void alertChanged();
    void placeCacheWritten();

private:
    struct Shared;
    struct Job;
    void queue(Job job);
    void runTextSearch(bool submitted);
    void deliver(quint64 generation, const PlaceList &list, const std::optional<PlaceList> &nearby);
    void onPosition(const QGeoPositionInfo &info);
    bool writePlaceCache(const QString &country, const QString &place);
    void setSearching(bool searching);
    static void run(const std::shared_ptr<Shared> &shared, const Job &job);

    PlaceSearchProtocol *m_delegate = nullptr;
    Folders m_folders;
    bool m_tablet = false;
    std::function<bool()> m_locationServicesEnabled;
    WeatherConfig m_config;
    std::shared_ptr<Shared> m_shared;
    QThread *m_thread = nullptr;
    QObject *m_worker = nullptr;
    QTimer m_debounce;
    QPointer<QGeoPositionInfoSource> m_position;
    int m_pending = 0;

    QString m_searchedLabel = tr("No selected place...");
    QString m_searchText;
    bool m_extended = false;
    bool m_searching = false;
    bool m_alertVisible = false;
    bool m_boolulmEU = false;
    QString m_tara, m_oras;
    PlaceList m_mutableArray;
    QList<PlaceSearchCell *> m_cells;
};
