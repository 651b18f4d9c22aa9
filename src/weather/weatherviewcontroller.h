// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/folders.h"
#include "weather/forecast.h"
#include "weather/placesearch.h"
#include "weather/replycache.h"
#include "weather/requestpacer.h"
#include "weather/weatherconfig.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class UserDefaults;

// The weather panel: fetches the five-day forecast of the place picked in its place search,
// writes it as the weather cache "forecastList.plist" for the clock, and holds the three unit
// switches ("celsius", "man", "kilometri"). Requests run asynchronously on the interface
// thread's event loop; one at a time, with a total deadline and a size limit.
class WeatherViewController : public QObject, public PlaceSearchProtocol
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the alarm and alert settings screen")
    Q_PROPERTY(PlaceSearch *placeSearch READ placeSearch CONSTANT)
    Q_PROPERTY(QStringList forecastDays READ forecastDays NOTIFY forecastChanged)
    Q_PROPERTY(QStringList forecastTemps READ forecastTemps NOTIFY forecastChanged)
    Q_PROPERTY(QStringList forecastTempsLow READ forecastTempsLow NOTIFY forecastChanged)
    Q_PROPERTY(bool celsius READ celsius NOTIFY unitsChanged)
    Q_PROPERTY(bool man READ man NOTIFY unitsChanged)
    Q_PROPERTY(bool kilometri READ kilometri NOTIFY unitsChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool alertVisible READ alertVisible NOTIFY alertChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged)
    Q_PROPERTY(QString alertMessage READ alertMessage NOTIFY alertChanged)
    Q_PROPERTY(QString alertButton READ alertButton NOTIFY alertChanged)
    Q_PROPERTY(QString searchPlaceholder READ searchPlaceholder CONSTANT)
    Q_PROPERTY(QString attribution READ attribution NOTIFY sourceChanged)

public:
    static constexpr qint64 kMaxReplyBytes = 1024 * 1024;
    static constexpr int kDeadlineMs = 60000;
    static constexpr int kSelectDelayMs = 500;

    WeatherViewController(
        UserDefaults &defaults, Folders folders, bool tablet,
        std::function<bool()> locationServicesEnabled = [] { return false; },
        QObject *parent = nullptr);
    ~WeatherViewController() override;

    // Sources and endpoints are read from the user defaults when the panel is made; a test or a
    // settings change can set them again.
    void setConfig(const WeatherConfig &config);
    const WeatherConfig &config() const { return m_config; }
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }
    void setSelectDelayMs(int ms) { m_selectDelayMs = ms; }
    void setClock(std::function<QDateTime()> now);
    // The rate limiter of the forecast requests and of the place search's; the application's
    // shared one unless a test sets another.
    void setPacer(RequestPacer &pacer);
    RequestPacer &pacer() const { return *m_pacer; }

    PlaceSearch *placeSearch() const { return m_placeSearch; }
    QString forecastListPath() const;
    QString tempPlistPath() const;

    QStringList forecastDays() const;
    QStringList forecastTemps() const;
    QStringList forecastTempsLow() const;
    bool celsius() const { return m_celsius; }
    bool man() const { return m_man; }
    bool kilometri() const { return m_kilometri; }
    bool busy() const { return m_busy; }
    bool alertVisible() const { return !m_alertMessage.isEmpty() || !m_alertTitle.isEmpty(); }
    QString alertTitle() const { return m_alertTitle; }
    QString alertMessage() const { return m_alertMessage; }
    QString alertButton() const { return tr("Ok"); }
    QString searchPlaceholder() const { return tr("Type the City ,State or ZIP Code"); }
    // The credit the chosen services ask to be shown with their data; "" for the keyed feed.
    QString attribution() const;
    double Lat() const { return m_lat; }
    double Long() const { return m_long; }

    // The request for the current coordinates; nothing before a place or a fix gave some.
    Q_INVOKABLE void SearchAndRead();
    Q_INVOKABLE void FunctiaMeafloatLat(double lat, double lng);
    Q_INVOKABLE void searchBarSearchButtonClicked() { SearchAndRead(); }
    Q_INVOKABLE void startWithString(const QString &) { SearchAndRead(); }
    // Unit switches: tag 1 the first choice (Celsius, man, kilometres), 2 the second.
    Q_INVOKABLE void celsiusOrFarengheit(int tag);
    Q_INVOKABLE void manOrWoman(int tag);
    Q_INVOKABLE void kmOrMph(int tag);
    Q_INVOKABLE void dismissAlert();
    // Each time the panel is shown.
    Q_INVOKABLE void viewWillAppear();

    // What the place search tells the panel.
    void getCountry(const QString &country) override { m_state = country; }
    void getState(const QString &city) override { m_city = city; }
    void placeSearchDidSelectPlaceWithLatitude(double lat, double lng) override;
    void close() override { emit closeRequested(); }

signals:
    void forecastChanged();
    void unitsChanged();
    void busyChanged();
    void alertChanged();
    // The weather cache was written with a new forecast.
    void cacheWritten();
    // The panel is done (its delegate closes it: hideWeatherview).
    void closeRequested();
    void sourceChanged();

private:
    enum class Outcome { Written, ServiceError, Invalid, NoConnection };
    void startRequest(const QUrl &url);
    void onReadyRead();
    void onFinished(QNetworkReply *reply);
    void onDeadline();
    void dropReply();
    void handleBody(const QByteArray &body, const QString &cacheKey);
    void finish(Outcome outcome);
    void showAlert(const QString &title, const QString &message);
    void setBusy(bool busy);
    void loadUnits();
    void setUnit(int tag, const char *key, bool &field);
    void loadCachedForecast();

    UserDefaults &m_defaults;
    Folders m_folders;
    bool m_tablet = false;
    WeatherConfig m_config;
    PlaceSearch *m_placeSearch = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QString m_replyKey;
    QTimer m_deadline;
    QTimer m_selectTimer;
    // Holds a request until the pacer's slot for its service.
    QTimer m_paceTimer;
    QUrl m_pacedUrl;
    RequestPacer *m_pacer = &RequestPacer::shared();
    int m_deadlineMs = kDeadlineMs;
    int m_selectDelayMs = kSelectDelayMs;
    ReplyCache m_cache;

    double m_lat = 0;
    double m_long = 0;
    bool m_haveCoordinates = false;
    QString m_city, m_state;
    QVariantMap m_record;
    bool m_celsius = false;
    bool m_man = false;
    bool m_kilometri = false;
    bool m_busy = false;
    QString m_alertTitle, m_alertMessage;
};
