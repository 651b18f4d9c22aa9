// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/budilinikcontroller.h"

#include "alarm/alarmviewcontroller.h"
#include "alerts/alertsettings.h"
#include "battery/summary.h"
#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "platform/backlight.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

ClockWeather readClockWeather(const QString &path, bool celsius)
{
    // Read only: a file this screen cannot parse stays where it is for the panel that writes it.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QVariant root = plist::fromData(f.readAll());
    if (root.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariantMap record = root.toMap();
    const QString unit = celsius ? QStringLiteral("C") : QStringLiteral("F");
    auto degrees = [&](const char *celsiusKey, const char *fahrenheitKey) {
        const QString value =
            record.value(QLatin1String(celsius ? celsiusKey : fahrenheitKey)).toString();
        return value.isEmpty() ? QString() : value + unit;
    };
    ClockWeather w;
    w.shown = true;
    w.city = record.value(QStringLiteral("city")).toString();
    w.current = degrees("tempC", "tempF");
    w.maximum = degrees("tempMaximumC", "tempMaximumF");
    w.minimum = degrees("tempMinimumC", "tempMinimumF");
    w.icon = record.value(QStringLiteral("icon0")).toString();
    return w;
}

BudilinikController::BudilinikController(AppState &app, bool tablet,
                                         std::unique_ptr<Backlight> backlight,
                                         std::function<QDateTime()> now, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_backlight(std::move(backlight)),
      m_now(std::move(now))
{
    if (!m_backlight)
        m_backlight = std::make_unique<Backlight>(m_app.platform().roots);
    connect(m_backlight.get(), &Backlight::overlayChanged, this, &BudilinikController::dimChanged);

    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP"), this,
                                               [this](const QVariant &) { removeAllObj(); });

    m_firstTimer.setSingleShot(true);
    m_firstTimer.setInterval(kFirstAnimationMs);
    connect(&m_firstTimer, &QTimer::timeout, this, [this] {
        m_secAnimated = false;
        emit secondsChanged();
        m_secTimer.start();
    });
    m_secTimer.setInterval(kSecIntervalMs);
    connect(&m_secTimer, &QTimer::timeout, this, &BudilinikController::currentSec);

    currentTime();
    // One settings screen for the clock's whole life, so its choices persist between visits.
    Platform &p = m_app.platform();
    m_alarm = new AlarmViewController(p.defaults, p.folders, tablet, m_now, this);
    connectAlarm();
    connect(m_alarm, &AlarmViewController::closeRequested, this, [this] {
        m_alarmShown = false;
        emit alarmShownChanged();
        updateRunning();
    });
    verIfWeatherIsOn();
}

BudilinikController::~BudilinikController()
{
    restoreBrightness();
    m_app.platform().notifications.removeObservers(this);
    disconnectAlarm();
}

void BudilinikController::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_alarm->setLocale(locale);
    currentTime();
}

void BudilinikController::setTimeZone(const QTimeZone &zone)
{
    m_zone = zone;
    m_alarm->setTimeZone(zone);
    currentTime();
}

QDateTime BudilinikController::localNow() const
{
    return m_now().toTimeZone(m_zone);
}

void BudilinikController::setShown(bool shown)
{
    m_shown = shown;
    updateRunning();
}

void BudilinikController::updateRunning()
{
    const bool run = m_shown && !m_alarmShown;
    if (run == m_running)
        return;
    m_running = run;
    if (!run) {
        stopTimers();
        return;
    }
    currentTime();
    currentSecAnimation();
    // The charge-time label comes from the detailed reading, sent only in this mode.
    if (m_app.privat()) {
        m_reader = std::make_unique<NRBatteryInfo>(m_app.batteryMonitor(),
                                                   [&app = m_app] { return app.privat(); });
        m_reader->setDelegate(this);
    }
}

void BudilinikController::stopTimers()
{
    m_firstTimer.stop();
    m_secTimer.stop();
    m_reader.reset();
    m_gesture.end();
}

void BudilinikController::currentTime()
{
    const QDateTime now = localNow();
    m_shownMinute = clockrules::wallMinute(now.toMSecsSinceEpoch(), now.offsetFromUtc());
    m_timeText = m_locale.toString(now, QStringLiteral("HH:mm"));
    currentDate();
}

void BudilinikController::currentDate()
{
    m_dateText = m_locale.toString(localNow(), QStringLiteral("ddd,dd-MM-yyyy"));
    emit timeChanged();
}

void BudilinikController::currentSecAnimation()
{
    m_secAnimated = true;
    currentSec();
    m_secTimer.stop();
    m_firstTimer.start();
}

void BudilinikController::currentSec()
{
    const QDateTime now = localNow();
    if (clockrules::wallMinute(now.toMSecsSinceEpoch(), now.offsetFromUtc()) != m_shownMinute)
        currentTime();
    rotation(now.time().second());
}

void BudilinikController::rotation(double seconds)
{
    m_secAngle = seconds * 6;
    emit secondsChanged();
}

void BudilinikController::verIfWeatherIsOn()
{
    m_weather = readClockWeather(weatherCachePath(), m_celsius);
    emit weatherChanged();
}

QString BudilinikController::weatherCachePath() const
{
    return m_app.folders().documents + QStringLiteral("/forecastList.plist");
}

QString BudilinikController::weatherImg() const
{
    if (m_weather.icon.isEmpty())
        return {};
    const QString name = (m_tablet ? QStringLiteral("2_") : QStringLiteral("1_")) + m_weather.icon;
    // A missing picture leaves the icon empty.
    return QFileInfo::exists(m_app.folders().library + QLatin1Char('/') + name)
               ? m_app.libraryImage(name)
               : QString();
}

void BudilinikController::weatherIsOn(bool)
{
    verIfWeatherIsOn();
}

void BudilinikController::update()
{
    verIfWeatherIsOn();
}

bool BudilinikController::changeTempformat()
{
    m_celsius = !m_celsius;
    verIfWeatherIsOn();
    return m_celsius;
}

void BudilinikController::goToAlarmView()
{
    if (m_alarmShown || !m_alarm)
        return;
    m_alarmShown = true;
    emit alarmShownChanged();
    m_alarm->viewDidAppear();
    updateRunning();
}

void BudilinikController::goBAck()
{
    m_shown = false;
    updateRunning();
    restoreBrightness();
    emit closeRequested();
}

void BudilinikController::removeAllObj()
{
    m_shown = false;
    updateRunning();
    restoreBrightness();
    disconnectAlarm();
}

void BudilinikController::connectAlarm()
{
    connect(m_alarm, &AlarmViewController::weatherIsOn, this, &BudilinikController::weatherIsOn);
    connect(m_alarm, &AlarmViewController::update, this, &BudilinikController::update);
    connect(m_alarm, &AlarmViewController::changeTempformat, this,
            [this] { m_alarm->alertSettings()->setCelsius(changeTempformat()); });
}

void BudilinikController::disconnectAlarm()
{
    if (!m_alarm)
        return;
    disconnect(m_alarm, &AlarmViewController::weatherIsOn, this, nullptr);
    disconnect(m_alarm, &AlarmViewController::update, this, nullptr);
    disconnect(m_alarm, &AlarmViewController::changeTempformat, this, nullptr);
}

void BudilinikController::touchesBegan(double x, double y, int touches)
{
    if (touches == 2)
        touchesMoved(x, y, touches);
}

void BudilinikController::touchesMoved(double x, double y, int touches)
{
    if (touches != 2) {
        m_gesture.end();
        return;
    }
    const clockrules::Point p{x, y};
    if (!m_gesture.active()) {
        // The brightness is read once, when the second finger comes down.
        m_gestureStart = m_backlight->brightness();
        m_gesture.begin(p, m_gestureStart, m_backlight->floor());
    }
    if (const auto light = m_gesture.move(p))
        setLight(*light, m_gestureStart);
}

void BudilinikController::touchesEnded()
{
    m_gesture.end();
}

void BudilinikController::brightnessWheel(int angleDelta)
{
    constexpr int kNotch = 120;
    m_wheelRest += angleDelta;
    const int steps = m_wheelRest / kNotch;
    m_wheelRest -= steps * kNotch;
    if (steps != 0)
        brightnessStep(steps);
}

void BudilinikController::brightnessStep(int steps)
{
    if (steps == 0)
        return;
    const double before = m_backlight->brightness();
    const double light = std::clamp(before + steps * clockrules::BrightnessGesture::kStep,
                                    m_backlight->floor(), 1.0);
    setLight(light, before);
}

void BudilinikController::setLight(double light, double before)
{
    if (!m_originalLight)
        m_originalLight = before;
    m_backlight->setBrightness(light);
}

void BudilinikController::restoreBrightness()
{
    if (!m_originalLight)
        return;
    m_backlight->setBrightness(*m_originalLight);
    m_originalLight.reset();
}

double BudilinikController::dimOpacity() const
{
    return 1.0 - m_backlight->overlayLevel();
}

void BudilinikController::updateInfo(const QVariantMap &detailed)
{
    if (detailed.value(QStringLiteral("Device Charging")).toBool()) {
        calcTimeForCharge(detailed);
        return;
    }
    if (m_needTimeVisible) {
        m_needTimeVisible = false;
        emit chargeChanged();
    }
}

void BudilinikController::calcTimeForCharge(const QVariantMap &detailed)
{
    // The battery monitor measures the charge and works the time out (to the charge limit, on
    // the full capacity, slower near the top); it also keeps the shared estimate the
    // charge-complete notification is timed from.
    const QVariant hours = detailed.value(QStringLiteral("Time To Full"));
    if (!hours.isValid()) {
        // Still being measured: the time is unknown, not infinite.
        m_needTimeVisible = false;
    } else if (hours.toDouble() <= 0) {
        m_needTimeText = tr("Battery is full");
        m_needTimeVisible = true;
    } else {
        m_needTimeText = tr("Need: %1").arg(QString::fromStdString(::floatToTime(hours.toFloat())));
        m_needTimeVisible = true;
    }
    emit chargeChanged();
}

QString BudilinikController::alarmView() const
{
    return m_tablet ? QStringLiteral("AlarmsTablet.qml") : QStringLiteral("AlarmsPhone.qml");
}

QString BudilinikController::image(const char *phone, const char *tablet) const
{
    return m_app.libraryImage(QLatin1String(m_tablet ? tablet : phone));
}

QStringList BudilinikController::backgroundImages() const
{
    if (m_tablet)
        return {image("", "2_Dezuzeru_back_553x737.png")};
    return {image("1_Zozodov-Back-up_320x204.png", ""),
            image("1_Zozodov-back-down_320x364.png", "")};
}

QString BudilinikController::clockFaceImage() const
{
    return image("1_Zozodov-clock-base_320x331.png", "2_clock-base_540x504.png");
}

QString BudilinikController::secImage() const
{
    return image("1_zozodov-secundamer_195x195.png", "2_secunde_388x388.png");
}

QString BudilinikController::locationImage() const
{
    return image("1_curLocation_zai4ik_95x22.png", "2_current-location_154x39.png");
}

QString BudilinikController::thermometerMinImage() const
{
    return image("1_termometerUnfull_10x18.png", "2_Empty_7x16.png");
}

QString BudilinikController::thermometerMaxImage() const
{
    return image("1_termometerFull_9x18.png", "2_cald_7x15.png");
}

QString BudilinikController::settingsImage() const
{
    return image("1_settings-icon_29x30.png", "2_settings_3_29x29.png");
}

QString BudilinikController::backImage() const
{
    return image("1_back-4_52x47.png", "2_back_44x44.png");
}

QString BudilinikController::labelColorImage() const
{
    return image("1_probnik.png", "2_probnik.png");
}
