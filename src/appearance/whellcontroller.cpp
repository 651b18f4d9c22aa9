// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/whellcontroller.h"

#include "appearance/wheelmath.h"
#include "core/appstate.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"

#include <cmath>
#include <numbers>

namespace {

// The band at the top of the wheel's view that belongs to the main screen's drag handle.
double handleHeight(bool tablet)
{
    return tablet ? 40 : 26;
}

double viewWidth(bool tablet)
{
    return tablet ? 768 : 320;
}

} // namespace

WhellController::WhellController(AppState &app, bool tablet, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet)
{
    NotificationCenter &center = m_app.platform().notifications;
    m_removeAllObjToken = center.addObserver(QStringLiteral("restartAPP"), this,
                                             [this](const QVariant &) { removeAllObj(); });
    m_restartToken = center.addObserver(QStringLiteral("restartAPP"), this,
                                        [this](const QVariant &) { restart(); });

    m_verIfConnected = true;

    m_nrInfo = new NRBatteryInfo(
        m_app.batteryMonitor(), [&app = m_app] { return app.privat(); }, this);
    m_nrInfo->setDelegate(this);

    m_turnTimer.setSingleShot(true);
    m_turnTimer.setInterval(kTurnMs);
    connect(&m_turnTimer, &QTimer::timeout, this, &WhellController::completeTurn);

    m_loaded = true;
    setupGestureRecognizer();
    gotoBattery();
}

WhellController::~WhellController()
{
    m_app.platform().notifications.removeObservers(this);
}

QString WhellController::wheelImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_wheel_768x768.png")
                                       : QStringLiteral("1_wheel_320x320.png"));
}

QString WhellController::knobImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_knob-over_768x237.png")
                                       : QStringLiteral("1_Knob-over_320x126.png"));
}

QString WhellController::monitorImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_main_button_64x64.png")
                                       : QStringLiteral("1_main-system-button_68x56.png"));
}

QString WhellController::highlightImage() const
{
    return m_highlightName.isEmpty() ? QString() : m_app.libraryImage(m_highlightName);
}

QRectF WhellController::wheelRect() const
{
    // Only the upper arc shows above the bottom of the screen; the rest hangs below it.
    const double side = viewWidth(m_tablet);
    return QRectF(0, handleHeight(m_tablet), side, side);
}

QRectF WhellController::knobRect() const
{
    return m_tablet ? QRectF(0, handleHeight(true), 768, 237)
                    : QRectF(0, handleHeight(false), 320, 126);
}

QRectF WhellController::highlightRect() const
{
    // Centred on the page symbol at the top of the wheel, under the knob's pointer: the symbols
    // sit at four fifths of the wheel's radius.
    const QRectF wheel = wheelRect();
    const double radius = wheel.width() / 2 - 2 * wheel.width() / 320;
    const double cy = wheel.center().y() - 0.8 * radius;
    // The tablet wheel's symbols are drawn larger than its 70 x 65 highlight; shown at that size
    // the symbol's edges would stick out from under it.
    const QSizeF size = m_tablet ? QSizeF(91, 84.5) : QSizeF(60, 52);
    return QRectF(wheel.center().x() - size.width() / 2, cy - size.height() / 2, size.width(),
                  size.height());
}

QRectF WhellController::monitorRect() const
{
    // In the top right-hand corner above the wheel's rim, where no page symbol passes at any
    // angle the wheel can reach.
    return m_tablet ? QRectF(768 - 64 - 20, handleHeight(true) + 8, 64, 64)
                    : QRectF(320 - 68, handleHeight(false) - 10, 68, 56);
}

QRectF WhellController::baseRect() const
{
    // Below the knob the wheel is covered, so only its upper arc shows above the knob's hub,
    // wherever the drawer stands.
    const QRectF knob = knobRect();
    return QRectF(0, knob.bottom(), knob.width(), viewWidth(m_tablet));
}

QRectF WhellController::touchRect() const
{
    return wheelRect();
}

void WhellController::setupGestureRecognizer()
{
    const QRectF frame = wheelRect();
    const wheelmath::Ring ring =
        wheelmath::ringForFrame(frame.x(), frame.y(), frame.width(), frame.height());
    m_recognizer = std::make_unique<OneFingerRotationGestureRecognizer>(ring.mid, ring.innerRadius,
                                                                        ring.outerRadius, this);
}

void WhellController::touchBegan(double x, double y, int fingers)
{
    if (m_recognizer)
        m_recognizer->touchesBegan({x, y}, fingers);
}

void WhellController::touchMoved(double x, double y)
{
    if (m_recognizer)
        m_recognizer->touchesMoved({x, y});
}

void WhellController::touchEnded()
{
    if (m_recognizer)
        m_recognizer->touchesEnded();
}

void WhellController::touchCancelled()
{
    if (m_recognizer)
        m_recognizer->touchesCancelled();
}

void WhellController::rotation(float degrees)
{
    // A finger that catches the wheel while it settles ends the settling where it was headed,
    // so the turn continues from the page's angle rather than from the release angle.
    completeTurn();
    setHighlight(m_highlightName, false);
    setImageAngle(wheelmath::clampAngle(m_imageAngle + degrees));
    m_appliedRadians = double(m_imageAngle * float(std::numbers::pi) / 180.0f);
    setDisplayAngle(m_imageAngle);
}

void WhellController::finalAngle(float degrees)
{
    Q_UNUSED(degrees);
    verImageAngle();
}

void WhellController::verImageAngle()
{
    // The sectors are tested on the sine of the rotation the wheel carries; a sine in one of the
    // gaps leaves the wheel where it was released.
    const std::optional<int> page = wheelmath::pageForSine(std::sin(m_appliedRadians));
    if (!page)
        return;
    switch (*page) {
    case wheelmath::Settings:
        gotoSettings();
        break;
    case wheelmath::Charging:
        gotoCharging();
        break;
    case wheelmath::Battery:
        gotoBattery();
        break;
    case wheelmath::Calendar:
        gotoCalendar();
        break;
    case wheelmath::Tips:
        gotoTips();
        break;
    default:
        break;
    }
}

void WhellController::turnTo(int page)
{
    const std::optional<double> radians = wheelmath::pageAngleRadians(page);
    const std::optional<float> degrees = wheelmath::pageAngleDegrees(page);
    if (!radians || !degrees)
        return;
    // A new turn replaces one still running: only the last page asked for is shown.
    const bool wasTurning = turning();
    m_pendingPage = page;
    m_appliedRadians = *radians;
    // The highlight marks a page the wheel stands on, not one it passes.
    setHighlight(m_highlightName, false);
    if (!wasTurning)
        emit turningChanged();
    setDisplayAngle(*degrees);
    m_turnTimer.start();
}

void WhellController::completeTurn()
{
    if (!m_pendingPage)
        return;
    const int page = *m_pendingPage;
    m_pendingPage.reset();
    m_turnTimer.stop();
    emit turningChanged();
    setImageAngle(*wheelmath::pageAngleDegrees(page));
    setDisplayAngle(m_imageAngle);
    setHighlight(QString::fromLatin1(wheelmath::highlightImage(page, m_tablet)), true);
    if (m_currentPage != page) {
        m_currentPage = page;
        emit currentPageChanged();
    }
    if (m_delegate)
        m_delegate->gotoView(page);
}

void WhellController::gotoBattery()
{
    turnTo(wheelmath::Battery);
}

void WhellController::gotoCalendar()
{
    // The charge history went to disk as each record was taken, and the page adds the ones still
    // on their way: nothing is written here.
    turnTo(wheelmath::Calendar);
}

void WhellController::gotoTips()
{
    turnTo(wheelmath::Tips);
}

void WhellController::gotoCharging()
{
    setImageAngle(*wheelmath::pageAngleDegrees(wheelmath::Charging));
    turnTo(wheelmath::Charging);
}

void WhellController::gotoSettings()
{
    turnTo(wheelmath::Settings);
}

void WhellController::gotoActivityMonitor()
{
    qCDebug(lcAppearance, "activiti monitor %s", "gotoActivityMonitor");
    if (m_delegate)
        m_delegate->gotoView(wheelmath::ActivityMonitor);
}

void WhellController::updateNormInfo(const QVariantMap &reading)
{
    emit batteryReading(reading);
    const int state = reading.value(QStringLiteral("batteryState")).toInt();
    if (m_verIfConnected) {
        if (state == 2) {
            gotoCharging();
            m_verIfConnected = false;
        } else if (state == 3) {
            showFullAlert();
            m_verIfConnected = false;
        }
        return;
    }
    // Only an unknown state re-arms: the warnings come once per plug-in as the platform sees it.
    if (state == 0)
        m_verIfConnected = true;
}

void WhellController::updateInfo(const QVariantMap &detailed)
{
    const bool charging = detailed.value(QStringLiteral("Device Charging")).toBool();
    const bool externalPower = detailed.value(QStringLiteral("External Power")).toBool();
    const bool fullyCharged = detailed.value(QStringLiteral("Fully Charged")).toBool();
    // A supply being online says nothing about the charge (a laptop on mains whose status stays
    // unknown, a battery held below full): only the battery's own word, or a level at the top on
    // external power, is full.
    const float level = detailed.value(QStringLiteral("Battery Level"), -1.0f).toFloat();
    const bool full = fullyCharged || (externalPower && level >= 99.0f);
    // Unplugged: the next plug-in may say "full" again.
    const bool unplugged = !externalPower && !charging && !fullyCharged;
    if (unplugged)
        m_fullShownThisPlugIn = false;
    if (m_verIfConnected) {
        if (charging) {
            gotoCharging();
            m_verIfConnected = false;
        } else if (full && !m_fullShownThisPlugIn) {
            showFullAlert();
            m_verIfConnected = false;
        }
        return;
    }
    if (unplugged)
        m_verIfConnected = true;
}

void WhellController::showFullAlert()
{
    m_fullShownThisPlugIn = true;
    if (m_alertVisible)
        return;
    m_alertVisible = true;
    emit alertChanged();
}

void WhellController::dismissAlert()
{
    if (!m_alertVisible)
        return;
    m_alertVisible = false;
    emit alertChanged();
}

void WhellController::stopWatching()
{
    // Nothing of a torn-down wheel may fire any more: no reading, no late page change.
    if (m_nrInfo) {
        m_nrInfo->stop();
        m_nrInfo->deleteLater();
        m_nrInfo = nullptr;
    }
    m_pendingPage.reset();
    m_turnTimer.stop();
}

void WhellController::removeAllObj()
{
    NotificationCenter &center = m_app.platform().notifications;
    center.removeObserver(m_removeAllObjToken);
    m_removeAllObjToken = 0;
    if (m_recognizer)
        m_recognizer->setTarget(nullptr);
    m_recognizer.reset();
    stopWatching();
    m_delegate = nullptr;
    if (m_loaded) {
        m_loaded = false;
        emit loadedChanged();
    }
}

void WhellController::restart()
{
    m_app.platform().notifications.removeObserver(m_restartToken);
    m_restartToken = 0;
    m_recognizer.reset();
    stopWatching();
    if (m_loaded) {
        m_loaded = false;
        emit loadedChanged();
    }
}

void WhellController::setImageAngle(float degrees)
{
    if (degrees == m_imageAngle)
        return;
    m_imageAngle = degrees;
    emit imageAngleChanged();
}

void WhellController::setDisplayAngle(double degrees)
{
    if (degrees == m_displayAngle)
        return;
    m_displayAngle = degrees;
    emit displayAngleChanged();
}

void WhellController::setHighlight(const QString &name, bool visible)
{
    if (name == m_highlightName && visible == m_highlightVisible)
        return;
    m_highlightName = name;
    m_highlightVisible = visible;
    emit highlightChanged();
}
