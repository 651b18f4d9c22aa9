// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/clockrules.h"
#include "core/nrbatteryinfo.h"
#include "platform/backlight.h"

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QTimeZone>
#include <QTimer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>
#include <optional>

class AlarmViewController;
class AppState;

// What the clock shows of the weather cache "forecastList.plist": hidden when the file is
// missing or unreadable.
struct ClockWeather
{
    bool shown = false;
    QString city;
    QString current;
    QString maximum;
    QString minimum;
    // The current condition's icon file name ("icon0"), empty when the record has none.
    QString icon;
};
// Reads the cache without changing it: the weather panel owns the file.
ClockWeather readClockWeather(const QString &path, bool celsius);

// The bedside clock: hours and minutes, the date, a seconds hand, the current weather from the
// forecast cache, a two-finger drag that dims or brightens the screen, the time left to full
// charge in the higher-precision mode, and a settings button that opens the alarm and alert
// settings screen over it. Its timers run only while it is shown.
class BudilinikController : public QObject, public NrBatteryInfoDelegate
{
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("alarm/alarmviewcontroller.h")
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QString currentTimeLabel READ currentTimeLabel NOTIFY timeChanged)
    Q_PROPERTY(QString currentDateLabel READ currentDateLabel NOTIFY timeChanged)
    Q_PROPERTY(double secAngle READ secAngle NOTIFY secondsChanged)
    Q_PROPERTY(bool secAnimated READ secAnimated NOTIFY secondsChanged)
    Q_PROPERTY(bool weatherVisible READ weatherVisible NOTIFY weatherChanged)
    Q_PROPERTY(QString currentLocation READ currentLocation NOTIFY weatherChanged)
    Q_PROPERTY(QString currentTemp READ currentTemp NOTIFY weatherChanged)
    Q_PROPERTY(QString maxTEmp READ maxTEmp NOTIFY weatherChanged)
    Q_PROPERTY(QString minimumTemp READ minimumTemp NOTIFY weatherChanged)
    Q_PROPERTY(QString weatherImg READ weatherImg NOTIFY weatherChanged)
    Q_PROPERTY(bool celsius READ celsius NOTIFY weatherChanged)
    Q_PROPERTY(QString NeedTimeForChearginc READ needTimeText NOTIFY chargeChanged)
    Q_PROPERTY(bool needTimeVisible READ needTimeVisible NOTIFY chargeChanged)
    Q_PROPERTY(double dimOpacity READ dimOpacity NOTIFY dimChanged)
    Q_PROPERTY(bool alarmShown READ alarmShown NOTIFY alarmShownChanged)
    Q_PROPERTY(AlarmViewController *alarmScreen READ alarm CONSTANT)
    Q_PROPERTY(QString alarmView READ alarmView CONSTANT)
    Q_PROPERTY(int timeFontSize READ timeFontSize CONSTANT)
    Q_PROPERTY(QStringList backgroundImages READ backgroundImages CONSTANT)
    Q_PROPERTY(QString clockFaceImage READ clockFaceImage CONSTANT)
    Q_PROPERTY(QString secImage READ secImage CONSTANT)
    Q_PROPERTY(QString locationImage READ locationImage CONSTANT)
    Q_PROPERTY(QString thermometerMinImage READ thermometerMinImage CONSTANT)
    Q_PROPERTY(QString thermometerMaxImage READ thermometerMaxImage CONSTANT)
    Q_PROPERTY(QString settingsImage READ settingsImage CONSTANT)
    Q_PROPERTY(QString backImage READ backImage CONSTANT)
    Q_PROPERTY(QString labelColorImage READ labelColorImage CONSTANT)

public:
    static constexpr int kFirstAnimationMs = 400;
    static constexpr int kSecIntervalMs = 1000;

    // backlight: where the brightness gesture goes; the system's backlight when null.
    BudilinikController(AppState &app, bool tablet, std::unique_ptr<Backlight> backlight = {},
                        std::function<QDateTime()> now = &QDateTime::currentDateTime,
                        QObject *parent = nullptr);
    ~BudilinikController() override;

    void setLocale(const QLocale &locale);
    void setTimeZone(const QTimeZone &zone);

    bool isTablet() const { return m_tablet; }
    QString currentTimeLabel() const { return m_timeText; }
    QString currentDateLabel() const { return m_dateText; }
    double secAngle() const { return m_secAngle; }
    bool secAnimated() const { return m_secAnimated; }
    bool weatherVisible() const { return m_weather.shown; }
    QString currentLocation() const { return m_weather.city; }
    QString currentTemp() const { return m_weather.current; }
    QString maxTEmp() const { return m_weather.maximum; }
    QString minimumTemp() const { return m_weather.minimum; }
    QString weatherImg() const;
    bool celsius() const { return m_celsius; }
    QString needTimeText() const { return m_needTimeText; }
    bool needTimeVisible() const { return m_needTimeVisible; }
    double dimOpacity() const;
    bool alarmShown() const { return m_alarmShown; }
    AlarmViewController *alarm() const { return m_alarm; }
    QString alarmView() const;
    int timeFontSize() const { return m_tablet ? 70 : 40; }
    QStringList backgroundImages() const;
    QString clockFaceImage() const;
    QString secImage() const;
    QString locationImage() const;
    QString thermometerMinImage() const;
    QString thermometerMaxImage() const;
    QString settingsImage() const;
    QString backImage() const;
    QString labelColorImage() const;
    QString weatherCachePath() const;

    // Runs the timers (and the battery subscription in the higher-precision mode) while the clock
    // is shown and no settings screen lies over it.
    Q_INVOKABLE void setShown(bool shown);

    Q_INVOKABLE void currentTime();
    Q_INVOKABLE void currentDate();
    // The first placement of the seconds hand (animated over 0.4 s); SecTimer starts after it.
    Q_INVOKABLE void currentSecAnimation();
    // SecTimer's tick.
    Q_INVOKABLE void currentSec();
    Q_INVOKABLE void rotation(double seconds);
    Q_INVOKABLE void verIfWeatherIsOn();
    // The settings button.
    Q_INVOKABLE void goToAlarmView();
    // The back button.
    Q_INVOKABLE void goBAck();

    // The brightness gesture; touches is the number of fingers down, (x, y) one finger's
    // position in points.
    Q_INVOKABLE void touchesBegan(double x, double y, int touches);
    Q_INVOKABLE void touchesMoved(double x, double y, int touches);
    Q_INVOKABLE void touchesEnded();
    // The same steps of the brightness from a mouse wheel (angleDelta in eighths of a degree,
    // 120 to a notch, gathered across a touchpad's small deltas) and the Up and Down keys
    // (steps: +1 brighter, -1 dimmer).
    Q_INVOKABLE void brightnessWheel(int angleDelta);
    Q_INVOKABLE void brightnessStep(int steps);

    // What the settings screen over the clock asks: re-read the weather cache, and switch the
    // temperature unit (true when it now shows Celsius).
    void weatherIsOn(bool on);
    void update();
    bool changeTempformat();

    // NrBatteryInfoDelegate: the detailed reading fills the charge-time label.
    void updateNormInfo(const QVariantMap &) override {}
    void updateInfo(const QVariantMap &detailed) override;
    void calcTimeForCharge(const QVariantMap &detailed);

    QTimer &secTimer() { return m_secTimer; }
    QTimer &firstTimer() { return m_firstTimer; }
    Backlight &backlight() { return *m_backlight; }
    NRBatteryInfo *batteryReader() const { return m_reader.get(); }

signals:
    void timeChanged();
    void secondsChanged();
    void weatherChanged();
    void chargeChanged();
    void dimChanged();
    void alarmShownChanged();
    void closeRequested();

private:
    void updateRunning();
    void stopTimers();
    void removeAllObj();
    // The settings screen's requests reach the clock, or (torn down) no longer do.
    void connectAlarm();
    void disconnectAlarm();
    QDateTime localNow() const;
    QString image(const char *phone, const char *tablet) const;
    // Sets the brightness, remembering the one from before the clock first changed it.
    void setLight(double light, double before);
    // Gives the screen back the brightness it had before the clock changed it.
    void restoreBrightness();

    AppState &m_app;
    bool m_tablet = false;
    std::unique_ptr<Backlight> m_backlight;
    std::function<QDateTime()> m_now;
    QLocale m_locale;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QString m_timeText;
    QString m_dateText;
    // The wall-clock minute the time text shows.
    qint64 m_shownMinute = 0;
    double m_secAngle = 0;
    bool m_secAnimated = false;
    bool m_celsius = true;
    ClockWeather m_weather;
    QString m_needTimeText;
    bool m_needTimeVisible = false;
    bool m_shown = false;
    bool m_running = false;
    bool m_alarmShown = false;
    clockrules::BrightnessGesture m_gesture;
    double m_gestureStart = 1.0;
    std::optional<double> m_originalLight;
    int m_wheelRest = 0;
    QTimer m_secTimer;
    QTimer m_firstTimer;
    std::unique_ptr<NRBatteryInfo> m_reader;
    AlarmViewController *m_alarm = nullptr;
};
