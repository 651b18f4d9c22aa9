// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/batterycontroller.h"

#include "battery/pointtables.h"
#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "device/devicespectable.h"
#include "platform/kernelidentity.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace {

int validSkin(int index)
{
    // A batt.txt edited by hand must not leave the screen without a gauge.
    return index >= 0 && index < gauge::kSkinCount ? index : int(gauge::Classic);
}

QRectF rect(const gauge::Frame &f)
{
    return {f.x, f.y, f.width, f.height};
}

// The pictures of each skin's layers, phone and tablet; empty where a skin lacks the layer.
struct SkinImages
{
    const char *body;
    const char *fill;
    const char *surface;
    const char *electron;
    const char *core;
    const char *rotor;
};

const SkinImages &imagesFor(int skin, bool tablet)
{
    static const SkinImages phone[gauge::kSkinCount] = {
        {"1_skin0_body_320x180.png", "1_skin0_fill_250x100.png", "1_skin0_end_20x100.png", "", "",
         ""},
        {"1_skin1_sphere_320x180.png", "1_skin1_fill_122x122.png", "1_Battery_2_elipse_142x9.png",
         "1_Battery_5_Electron_18x18.png", "", ""},
        {"1_skin2_body_320x180.png", "1_skin2_liquid_320x156.png", "1_skin2_surface_120x10.png", "",
         "", ""},
        {"1_skin3_flask_320x180.png", "1_skin3_liquid_246x112.png", "1_skin3_surface_246x25.png",
         "", "", ""},
        // The coolant under the core is the flask's liquid, cropped to the reactor tube.
        {"1_skin4_station_320x260.png", "1_skin3_liquid_246x112.png", "", "",
         "1_skin4_core_60x60.png", "1_Battery-3-roata_225x225.png"},
    };
    static const SkinImages pad[gauge::kSkinCount] = {
        {"2_skin0_body_768x320.png", "2_skin0_fill_415x170.png", "2_skin0_end_20x170.png", "", "",
         ""},
        {"2_skin1_sphere_768x320.png", "2_skin1_fill_230x230.png", "2_skin1_surface_230x24.png",
         "2_skin1_electron_32x32.png", "", ""},
        {"2_skin2_body_768x320.png", "2_skin2_liquid_517x225.png", "2_skin2_surface_200x14.png", "",
         "", ""},
        {"2_skin3_flask_768x320.png", "2_skin3_liquid_406x195.png", "2_skin3_surface_406x49.png",
         "", "", ""},
        {"2_skin4_station_768x480.png", "2_skin3_liquid_406x195.png", "", "",
         "2_skin4_core_100x100.png", "2_skin4_rotor_400x400.png"},
    };
    return tablet ? pad[skin] : phone[skin];
}

} // namespace

BatteryController::BatteryController(AppState &app, bool tablet, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_skin(validSkin(app.currentBattery())),
      m_placement(gauge::skinPlacement(m_skin, tablet)),
      m_sliderLayout(gauge::sliderLayout(m_skin, tablet)),
      m_customSlider(m_sliderLayout.length, m_sliderLayout.thickness, 0, 100)
{
    Platform &platform = m_app.platform();

    // The nominal capacity, the way the device information screen finds it.
    m_capasity = DeviceSpecTable::nominalCapacity(
        platform.folders.resources + QStringLiteral("/devices.plist"),
        platformIdentifier(&platform.defaults), platform.roots);
    m_app.setLevel(m_capasity);

    platform.notifications.addObserver(QStringLiteral("restartAPP"), this,
                                       [this](const QVariant &) { removeAllObj(); });
    m_animationEnabled = false;

    m_electronTimer.setInterval(kElectronIntervalMs);
    connect(&m_electronTimer, &QTimer::timeout, this, &BatteryController::rotateSphere);
    m_rotorTimer.setInterval(kRotorIntervalMs);
    connect(&m_rotorTimer, &QTimer::timeout, this, &BatteryController::startNuclearRotation);
    m_glideTimer.setInterval(gauge::kRotorGlideFrameMs);
    m_glideTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_glideTimer, &QTimer::timeout, this, &BatteryController::glideStep);
    // With motion reduced the rotors jump from step to step.
    connect(&m_app.motion(), &MotionPolicy::reducedChanged, this, &BatteryController::updateTimers);

    if (m_skin == gauge::Atomic || m_skin == gauge::Hydraulic)
        loadPointTable();
    else if (m_skin == gauge::Nuclear)
        m_animationEnabled = true;
    updateTimers();

    // The skin shows its empty state until the first reading, 0.4 s from now. No delegate is
    // set yet, so nobody is told of this 0 %.
    testAnim();

    m_normInfo = new NRBatteryInfo(
        m_app.batteryMonitor(), [&app] { return app.privat(); }, this);
    m_normInfo->setDelegate(this);
}

BatteryController::~BatteryController()
{
    m_app.platform().notifications.removeObservers(this);
    if (m_normInfo)
        m_normInfo->setDelegate(nullptr);
}

// ---- Pictures and fixed frames -----------------------------------------------------------------

double BatteryController::canvasWidth() const
{
    return gauge::skinCanvas(m_skin, m_tablet).width;
}

double BatteryController::canvasHeight() const
{
    return gauge::skinCanvas(m_skin, m_tablet).height;
}

QString BatteryController::bodyImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).body);
}

QString BatteryController::fillImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).fill);
}

QString BatteryController::surfaceImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).surface);
}

QString BatteryController::electronImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).electron);
}

QString BatteryController::coreImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).core);
}

QString BatteryController::rotorImage() const
{
    return QString::fromLatin1(imagesFor(m_skin, m_tablet).rotor);
}

QRectF BatteryController::liquidRest() const
{
    return rect(gauge::liquidRest(m_skin, m_tablet));
}

QPointF BatteryController::electronCenter() const
{
    const gauge::Point p = gauge::electronCenter(m_orbitAngle, m_tablet);
    return {p.x, p.y};
}

double BatteryController::rotorRotation() const
{
    return gauge::glidingRotorDegrees(m_degrees, m_glideSubsteps);
}

QVariantList BatteryController::bodyPieces() const
{
    QVariantList pieces;
    if (m_skin != gauge::Nuclear)
        return pieces;
    for (const gauge::Frame &f : gauge::aroundRotors(m_tablet))
        pieces.append(rect(f));
    return pieces;
}

QRectF BatteryController::rotorFrame() const
{
    return rect(gauge::rotorFrames(m_tablet)[0]);
}

QRectF BatteryController::rotor2Frame() const
{
    return rect(gauge::rotorFrames(m_tablet)[1]);
}

QRectF BatteryController::sliderFrame() const
{
    const gauge::SliderLayout &s = m_sliderLayout;
    return {s.center.x - s.length / 2, s.center.y - s.thickness / 2, s.length, s.thickness};
}

gauge::PointTable BatteryController::spherePointsArray() const
{
    return m_skin == gauge::Atomic ? m_points : gauge::PointTable{};
}

gauge::PointTable BatteryController::hydraulicPointsArray() const
{
    return m_skin == gauge::Hydraulic ? m_points : gauge::PointTable{};
}

// ---- Readings ----------------------------------------------------------------------------------

void BatteryController::updateNormInfo(const QVariantMap &reading)
{
    if (m_removed)
        return;
    const float p = reading.value(QStringLiteral("batteryLevel")).toFloat();
    // An unknown level (-100) is no known charge, never a negative one.
    m_app.setLevel(float(chargeForPercent(p, m_capasity)));
    setLevelUnknown(!std::isfinite(p) || p < 0);
    setSlider(m_levelUnknown ? 0.0 : std::clamp(double(p), 0.0, 100.0));
    testAnim();
}

void BatteryController::updateInfo(const QVariantMap &detailed)
{
    if (m_removed)
        return;
    const double p = detailed.value(QStringLiteral("Battery Level")).toDouble();
    const float capacity = detailed.value(QStringLiteral("Current Capacity")).toFloat();
    setSlider(p);
    setLevelUnknown(false);
    if (std::isfinite(capacity))
        m_app.setLevel(std::fabs(capacity));
    testAnim();
}

// ---- The slider --------------------------------------------------------------------------------

void BatteryController::setLevelUnknown(bool unknown)
{
    if (unknown == m_levelUnknown)
        return;
    m_levelUnknown = unknown;
    emit levelUnknownChanged();
}

void BatteryController::setSlider(double value)
{
    const double before = m_customSlider.value();
    m_customSlider.setValue(value);
    if (m_customSlider.value() != before)
        emit sliderChanged();
}

void BatteryController::setSliderValue(double value)
{
    if (m_removed)
        return;
    setSlider(value);
    setLevelUnknown(false);
    testAnim();
}

bool BatteryController::sliderPressed(double x, double y)
{
    if (m_removed)
        return false;
    const bool tracking = m_customSlider.beginTrackingWithTouch(x, y);
    if (tracking)
        emit trackingChanged();
    return tracking;
}

void BatteryController::sliderMoved(double x)
{
    if (m_removed || !m_customSlider.isTracking())
        return;
    if (m_customSlider.continueTrackingWithTouch(x)) {
        setLevelUnknown(false);
        emit sliderChanged();
        testAnim();
    }
}

void BatteryController::sliderReleased()
{
    if (!m_customSlider.isTracking())
        return;
    m_customSlider.endTracking();
    emit trackingChanged();
}

void BatteryController::testAnim()
{
    if (m_removed)
        return;
    const double v = m_customSlider.value();
    // Without a known level the view veils the skin, and the pages learn that the level is
    // unknown rather than a flat battery.
    if (m_delegate)
        m_delegate->currentLevel(m_levelUnknown ? -100.0f : float(v));
    const int level = int(v);
    switch (m_skin) {
    case gauge::Classic:
        drawClassic(v);
        break;
    case gauge::Atomic:
        setSphereLevel(level);
        break;
    case gauge::Hydraulic:
        setHydraulicLevel(level);
        break;
    case gauge::Lab:
        setLaboratoryLevel(level);
        break;
    case gauge::Nuclear:
        setNuclearLevel(level);
        break;
    default:
        break;
    }
}

// ---- The skins ---------------------------------------------------------------------------------

void BatteryController::reportFailure(const std::string &reason) const
{
    qCWarning(lcBattery, "gauge: %s", reason.c_str());
}

void BatteryController::drawClassic(double value)
{
    const gauge::ClassicGeometry g = gauge::classic(value, m_tablet);
    m_fillFrame = rect(g.fill);
    m_surfaceFrame = rect(g.end);
    emit geometryChanged();
}

void BatteryController::loadPointTable()
{
    m_points = pointtables::load(m_app.platform().folders.resources,
                                 pointtables::resourceName(m_skin, m_tablet));
}

void BatteryController::setSphereLevel(int level)
{
    if (m_skin != gauge::Atomic)
        return;
    // The liquid shows the level even when the surface cannot be placed.
    m_fillFrame = rect(gauge::sphereFill(level, m_tablet));
    const gauge::Lookup surface = gauge::sphereSurface(level, m_tablet, m_points);
    if (surface.frame)
        m_surfaceFrame = rect(*surface.frame);
    emit geometryChanged();
    if (!surface.frame)
        reportFailure(surface.error);
}

void BatteryController::setHydraulicLevel(int level)
{
    if (m_skin != gauge::Hydraulic)
        return;
    m_fillFrame = rect(gauge::hydraulicColumn(level, m_tablet));
    const gauge::Lookup surfaces = gauge::hydraulicSurfaces(level, m_points);
    if (surfaces.frame && surfaces.frame2) {
        m_surfaceFrame = rect(*surfaces.frame);
        m_surface2Frame = rect(*surfaces.frame2);
    }
    emit geometryChanged();
    if (!surfaces.frame)
        reportFailure(surfaces.error);
}

void BatteryController::setLaboratoryLevel(int level)
{
    if (m_skin != gauge::Lab)
        return;
    const gauge::LabGeometry g = gauge::laboratory(level, m_tablet);
    m_fillFrame = rect(g.liquid);
    m_surfaceFrame = rect(g.surface);
    emit geometryChanged();
}

void BatteryController::setNuclearLevel(int level)
{
    if (m_skin != gauge::Nuclear)
        return;
    m_coreFrame = rect(gauge::nuclearCore(level, m_tablet));
    m_fillFrame = rect(gauge::nuclearCoolant(level, m_tablet));
    emit geometryChanged();
}

// ---- Animations --------------------------------------------------------------------------------

void BatteryController::rotateSphere()
{
    m_orbitAngle = gauge::nextOrbitAngle(m_orbitAngle);
    emit electronChanged();
}

void BatteryController::startNuclearRotation()
{
    if (!m_animationEnabled)
        return;
    m_degrees = gauge::nextRotorDegrees(m_degrees);
    // The sub-steps count from this step; without them the step is drawn where it ends.
    if (m_glideTimer.isActive()) {
        m_glideSubsteps = 0;
        m_glideTimer.start();
    }
    emit rotorChanged();
    emit glideChanged();
}

void BatteryController::glideStep()
{
    if (m_glideSubsteps >= gauge::kRotorGlideSteps)
        return;
    ++m_glideSubsteps;
    emit glideChanged();
}

void BatteryController::setAnimationsActive(bool active)
{
    if (active == m_animationsActive)
        return;
    m_animationsActive = active;
    updateTimers();
}

void BatteryController::updateTimers()
{
    const bool running = m_animationsActive && !m_removed;
    if (running && m_skin == gauge::Atomic)
        m_electronTimer.start();
    else
        m_electronTimer.stop();
    if (running && m_skin == gauge::Nuclear && m_animationEnabled)
        m_rotorTimer.start();
    else
        m_rotorTimer.stop();
    if (m_rotorTimer.isActive() && !m_app.motion().reduced()) {
        if (!m_glideTimer.isActive())
            m_glideTimer.start();
    } else if (m_glideTimer.isActive() || m_glideSubsteps != gauge::kRotorGlideSteps) {
        m_glideTimer.stop();
        // Shown again later, the rotors start from their latest step.
        m_glideSubsteps = gauge::kRotorGlideSteps;
        emit glideChanged();
    }
}

void BatteryController::removeAllObj()
{
    if (m_removed)
        return;
    m_removed = true;
    m_app.platform().notifications.removeObservers(this);
    m_animationEnabled = false;
    updateTimers();
    if (m_customSlider.isTracking())
        m_customSlider.endTracking();
    if (m_normInfo) {
        // The reader may be the one calling us: it goes once it has returned.
        m_normInfo->stop();
        m_normInfo->deleteLater();
        m_normInfo = nullptr;
    }
    m_points.clear();
    emit removedChanged();
}
