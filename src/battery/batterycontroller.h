// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/gaugegeometry.h"
#include "battery/myslider.h"
#include "core/nrbatteryinfo.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class AppState;

// Told the gauge's percent on every redraw, whether a reading or the user's finger moved it.
class BatteryControllerDelegate
{
public:
    virtual ~BatteryControllerDelegate() = default;
    virtual void currentLevel(float percent) = 0;
};

// The large battery picture behind the main screen's pages. Its subscription to the battery
// monitor drives the whole estimate chain; it keeps the shared charge Level up to date and draws
// the level in the skin the user chose (fixed for the gauge's life; a change of skin rebuilds
// the interface). The level lives in a slider that readings set and the user may drag.
//
// Every frame is in the skin's own coordinates (its canvas); the view places the canvas in the
// gauge with canvasX/canvasY/canvasScale.
class BatteryController : public QObject, public NrBatteryInfoDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Behind the main screen's pages")
    Q_PROPERTY(int skin READ skin CONSTANT)
    Q_PROPERTY(bool tablet READ isIpad CONSTANT)
    Q_PROPERTY(bool removed READ removed NOTIFY removedChanged)
    // Placement of the skin's canvas in the gauge.
    Q_PROPERTY(double canvasWidth READ canvasWidth CONSTANT)
    Q_PROPERTY(double canvasHeight READ canvasHeight CONSTANT)
    Q_PROPERTY(double canvasX READ canvasX CONSTANT)
    Q_PROPERTY(double canvasY READ canvasY CONSTANT)
    Q_PROPERTY(double canvasScale READ canvasScale CONSTANT)
    // Picture names (Library copies) of the skin's layers; empty when the skin has no such layer.
    Q_PROPERTY(QString bodyImage READ bodyImage CONSTANT)
    Q_PROPERTY(QString fillImage READ fillImage CONSTANT)
    Q_PROPERTY(QString surfaceImage READ surfaceImage CONSTANT)
    Q_PROPERTY(QString electronImage READ electronImage CONSTANT)
    Q_PROPERTY(QString coreImage READ coreImage CONSTANT)
    Q_PROPERTY(QString rotorImage READ rotorImage CONSTANT)
    // The slider's pictures, from the shipped resources.
    Q_PROPERTY(QString thumbImage READ thumbImage CONSTANT)
    Q_PROPERTY(QString trackImage READ trackImage CONSTANT)
    // The liquid: the picture's frame at a full battery, and the region of it shown now.
    Q_PROPERTY(QRectF liquidRest READ liquidRest CONSTANT)
    Q_PROPERTY(QRectF fillFrame READ fillFrame NOTIFY geometryChanged)
    Q_PROPERTY(QRectF surfaceFrame READ surfaceFrame NOTIFY geometryChanged)
    Q_PROPERTY(QRectF surface2Frame READ surface2Frame NOTIFY geometryChanged)
    Q_PROPERTY(QRectF coreFrame READ coreFrame NOTIFY geometryChanged)
    Q_PROPERTY(QRectF rotorFrame READ rotorFrame CONSTANT)
    Q_PROPERTY(QRectF rotor2Frame READ rotor2Frame CONSTANT)
    // The faceplate's pieces around the rotors (nuclear only; empty for the other skins).
    Q_PROPERTY(QVariantList bodyPieces READ bodyPieces CONSTANT)
    Q_PROPERTY(int degrees READ degrees NOTIFY rotorChanged)
    // Where the electron is drawn (at its latest step) and how far the rotors are turned (on
    // their way to the latest step).
    Q_PROPERTY(double electronX READ electronX NOTIFY electronChanged)
    Q_PROPERTY(double electronY READ electronY NOTIFY electronChanged)
    Q_PROPERTY(double rotorRotation READ rotorRotation NOTIFY glideChanged)
    // The rotor looks the same every 120°; every rotation it is drawn at is a multiple of this.
    Q_PROPERTY(int rotorPositionDegrees READ rotorPositionDegrees CONSTANT)
    // The slider, unturned: its frame in the canvas, turned by sliderRotation about its centre.
    Q_PROPERTY(QRectF sliderFrame READ sliderFrame CONSTANT)
    Q_PROPERTY(double sliderRotation READ sliderRotation CONSTANT)
    Q_PROPERTY(double thumbCenter READ thumbCenter NOTIFY sliderChanged)
    Q_PROPERTY(double thumbScale READ thumbScale CONSTANT)
    Q_PROPERTY(bool tracking READ tracking NOTIFY trackingChanged)
    // No level is known (no battery, or a reading without a level) and the user has not set one:
    // the view shows the skin veiled rather than as an empty battery.
    Q_PROPERTY(bool levelUnknown READ levelUnknown NOTIFY levelUnknownChanged)

public:
    static constexpr int kElectronIntervalMs = 80;
    static constexpr int kRotorIntervalMs = 600;

    // Does what loading the gauge does: the nominal capacity from the device table, Level := that
    // capacity, the reader, the skin of app.currentBattery().
    BatteryController(AppState &app, bool tablet, QObject *parent = nullptr);
    ~BatteryController() override;

    // Not owned; must outlive the gauge or be cleared first.
    void setDelegate(BatteryControllerDelegate *delegate) { m_delegate = delegate; }
    BatteryControllerDelegate *delegate() const { return m_delegate; }

    int skin() const { return m_skin; }
    bool isIpad() const { return m_tablet; }
    double capasity() const { return m_capasity; }
    bool removed() const { return m_removed; }
    double canvasWidth() const;
    double canvasHeight() const;
    double canvasX() const { return m_placement.x; }
    double canvasY() const { return m_placement.y; }
    double canvasScale() const { return m_placement.scale; }
    QString bodyImage() const;
    QString fillImage() const;
    QString surfaceImage() const;
    QString electronImage() const;
    QString coreImage() const;
    QString rotorImage() const;
    QString thumbImage() const { return QStringLiteral("roti6ika1.png"); }
    QString trackImage() const { return QStringLiteral("bat1Nude.png"); }
    QRectF liquidRest() const;
    QRectF fillFrame() const { return m_fillFrame; }
    QRectF surfaceFrame() const { return m_surfaceFrame; }
    QRectF surface2Frame() const { return m_surface2Frame; }
    QRectF coreFrame() const { return m_coreFrame; }
    QPointF electronCenter() const;
    QRectF rotorFrame() const;
    QRectF rotor2Frame() const;
    QVariantList bodyPieces() const;
    int degrees() const { return m_degrees; }
    QPointF electronPosition() const { return electronCenter(); }
    double electronX() const { return electronCenter().x(); }
    double electronY() const { return electronCenter().y(); }
    double rotorRotation() const;
    static int rotorPositionDegrees() { return gauge::kRotorPositionDegrees; }
    QRectF sliderFrame() const;
    double sliderRotation() const { return m_sliderLayout.vertical ? -90 : 0; }
    double sliderValue() const { return m_customSlider.value(); }
    double thumbCenter() const { return m_customSlider.thumbCenter(); }
    double thumbScale() const { return gauge::thumbScale(m_tablet); }
    bool tracking() const { return m_customSlider.isTracking(); }
    bool levelUnknown() const { return m_levelUnknown; }
    double orbitAngle() const { return m_orbitAngle; }
    bool animationEnabled() const { return m_animationEnabled; }
    // The point table of the skin (empty for the skins without one).
    const gauge::PointTable &pointTable() const { return m_points; }
    // The same by skin: the sphere's table on the atomic skin, the tubes' on the hydraulic one.
    gauge::PointTable spherePointsArray() const;
    gauge::PointTable hydraulicPointsArray() const;

    // Readings (Part of the reader's delegate interface).
    void updateNormInfo(const QVariantMap &reading) override;
    void updateInfo(const QVariantMap &detailed) override;

    // Redraws the skin for the slider's value and reports the value to the delegate.
    void testAnim();
    // The user's drag, or any other setting of the slider; the value is clamped to 0..100.
    void setSliderValue(double value);
    // Touches on the slider, in its own unturned coordinates. A press outside the widened
    // bounds or away from the thumb is refused (returns false) and the slider does not move.
    Q_INVOKABLE bool sliderPressed(double x, double y);
    Q_INVOKABLE void sliderMoved(double x);
    Q_INVOKABLE void sliderReleased();

    // Level setters of the skins (0 to 100); each acts only on its own skin.
    void setSphereLevel(int level);
    void setHydraulicLevel(int level);
    void setLaboratoryLevel(int level);
    void setNuclearLevel(int level);

    // One tick of the electron's orbit (skin 1) and one quarter turn of the rotor (skin 4).
    void rotateSphere();
    void startNuclearRotation();

    // The repeating animations run only while someone can see them.
    void setAnimationsActive(bool active);

    // Teardown on "restartAPP": the views go, the reader and the animations stop.
    void removeAllObj();

    NRBatteryInfo *normInfo() const { return m_normInfo; }
    QTimer &electronTimer() { return m_electronTimer; }
    QTimer &rotorTimer() { return m_rotorTimer; }
    QTimer &glideTimer() { return m_glideTimer; }

signals:
    void removedChanged();
    void geometryChanged();
    void electronChanged();
    void rotorChanged();
    void glideChanged();
    void sliderChanged();
    void trackingChanged();
    void levelUnknownChanged();

private:
    // Loads the point table of the skin (the atomic and hydraulic skins have one).
    void loadPointTable();
    void drawClassic(double value);
    void updateTimers();
    void setSlider(double value);
    void setLevelUnknown(bool unknown);
    void reportFailure(const std::string &reason) const;

    AppState &m_app;
    bool m_tablet;
    int m_skin = 0;
    float m_capasity = 0;
    BatteryControllerDelegate *m_delegate = nullptr;
    QPointer<NRBatteryInfo> m_normInfo;
    gauge::Placement m_placement;
    gauge::SliderLayout m_sliderLayout;
    mySlider m_customSlider;
    gauge::PointTable m_points;

    QRectF m_fillFrame;
    QRectF m_surfaceFrame;
    QRectF m_surface2Frame;
    QRectF m_coreFrame;

    double m_orbitAngle = 0;
    int m_degrees = 0;
    bool m_animationEnabled = false;
    bool m_animationsActive = true;
    bool m_removed = false;
    // The last reading had no level and the user has not set one since: the pages say so.
    bool m_levelUnknown = false;
    QTimer m_electronTimer;
    QTimer m_rotorTimer;
    // The rotors' sub-steps between their steps, restarted by each step; the count is of the
    // sub-steps drawn since.
    QTimer m_glideTimer;
    int m_glideSubsteps = gauge::kRotorGlideSteps;
    void glideStep();
};
