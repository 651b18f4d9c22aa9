// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "appearance/onefingerrotationgesturerecognizer.h"
#include "core/nrbatteryinfo.h"

#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class AppState;

// The screen that shows the pages the wheel picks.
class WheelDelegate
{
public:
    virtual ~WheelDelegate() = default;
    virtual void gotoView(int page) = 0;
};

// The navigation wheel at the bottom of the main screen. One finger turns it; when the finger
// lifts it settles on the nearest page (tips, calendar, battery, charging, settings) and asks the
// main screen to show it. A button beside it opens the system monitor. It also watches the
// battery: it reports each reading (batteryReading, for the charge history), turns to the
// charging page when charging starts, and says once that the device is full.
//
// Geometry is in the points of the wheel's view, whose top edge is the drawer's top edge; the
// topmost band of that view is the main screen's drag handle and is left alone.
class WhellController : public QObject,
                        public NrBatteryInfoDelegate,
                        public OneFingerRotationGestureRecognizerDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The main screen's navigation wheel")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(bool loaded READ loaded NOTIFY loadedChanged)
    Q_PROPERTY(float imageAngle READ imageAngle NOTIFY imageAngleChanged)
    Q_PROPERTY(double displayAngle READ displayAngle NOTIFY displayAngleChanged)
    Q_PROPERTY(bool turning READ turning NOTIFY turningChanged)
    Q_PROPERTY(int turnDuration READ turnDuration CONSTANT)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(QString wheelImage READ wheelImage NOTIFY imagesChanged)
    Q_PROPERTY(QString knobImage READ knobImage NOTIFY imagesChanged)
    Q_PROPERTY(QString monitorImage READ monitorImage NOTIFY imagesChanged)
    Q_PROPERTY(QString highlightImage READ highlightImage NOTIFY highlightChanged)
    Q_PROPERTY(bool highlightVisible READ highlightVisible NOTIFY highlightChanged)
    Q_PROPERTY(QRectF wheelRect READ wheelRect CONSTANT)
    Q_PROPERTY(QRectF knobRect READ knobRect CONSTANT)
    Q_PROPERTY(QRectF highlightRect READ highlightRect CONSTANT)
    Q_PROPERTY(QRectF monitorRect READ monitorRect CONSTANT)
    Q_PROPERTY(QRectF baseRect READ baseRect CONSTANT)
    Q_PROPERTY(QRectF touchRect READ touchRect CONSTANT)
    Q_PROPERTY(bool alertVisible READ alertVisible NOTIFY alertChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle CONSTANT)
    Q_PROPERTY(QString alertMessage READ alertMessage CONSTANT)
    Q_PROPERTY(QString alertButton READ alertButton CONSTANT)

public:
    // The settling turn to a page.
    static constexpr int kTurnMs = 200;

    // Loads at once: observes "restartAPP", arms, subscribes to the battery monitor and turns to
    // the battery page.
    WhellController(AppState &app, bool tablet, QObject *parent = nullptr);
    ~WhellController() override;

    // The main screen; not owned. Cleared by the tear-down.
    void setDelegate(WheelDelegate *delegate) { m_delegate = delegate; }
    WheelDelegate *delegate() const { return m_delegate; }

    bool isTablet() const { return m_tablet; }
    bool loaded() const { return m_loaded; }
    float imageAngle() const { return m_imageAngle; }
    // The angle the view shows or is turning to, in degrees.
    double displayAngle() const { return m_displayAngle; }
    // True while the settling turn runs; the view animates displayAngle only then.
    bool turning() const { return m_pendingPage.has_value(); }
    int turnDuration() const { return kTurnMs; }
    // The page the wheel last settled on, -1 before the first.
    int currentPage() const { return m_currentPage; }
    QString wheelImage() const;
    QString knobImage() const;
    QString monitorImage() const;
    QString highlightImage() const;
    bool highlightVisible() const { return m_highlightVisible; }
    QRectF wheelRect() const;
    QRectF knobRect() const;
    QRectF highlightRect() const;
    QRectF monitorRect() const;
    QRectF baseRect() const;
    QRectF touchRect() const;
    bool alertVisible() const { return m_alertVisible; }
    QString alertTitle() const { return tr("Device is full"); }
    QString alertMessage() const { return tr("deconect please "); }
    QString alertButton() const { return tr("ok"); }

    bool verIfConnected() const { return m_verIfConnected; }
    NRBatteryInfo *nrInfo() const { return m_nrInfo; }
    OneFingerRotationGestureRecognizer *gestureRecognizer() const { return m_recognizer.get(); }
    QTimer &turnTimer() { return m_turnTimer; }

    // From the recogniser.
    void rotation(float degrees) override;
    void finalAngle(float degrees) override;
    // From the battery reader.
    void updateNormInfo(const QVariantMap &reading) override;
    void updateInfo(const QVariantMap &detailed) override;

    // Touches on the wheel's view, in its points; fingers counts the fingers down now.
    Q_INVOKABLE void touchBegan(double x, double y, int fingers = 1);
    Q_INVOKABLE void touchMoved(double x, double y);
    Q_INVOKABLE void touchEnded();
    Q_INVOKABLE void touchCancelled();

    Q_INVOKABLE void gotoBattery();
    Q_INVOKABLE void gotoCalendar();
    Q_INVOKABLE void gotoTips();
    Q_INVOKABLE void gotoCharging();
    Q_INVOKABLE void gotoSettings();
    Q_INVOKABLE void gotoActivityMonitor();
    Q_INVOKABLE void dismissAlert();

    // Settles a released wheel on the page whose sector holds its rotation.
    void verImageAngle();
    // Applies the end of a running settling turn now (what the turn timer does when it fires).
    void completeTurn();
    void setupGestureRecognizer();
    void removeAllObj();
    void restart();

signals:
    void loadedChanged();
    void imageAngleChanged();
    void displayAngleChanged();
    void turningChanged();
    void currentPageChanged();
    void imagesChanged();
    void highlightChanged();
    void alertChanged();
    // Each reading of the battery reader, {"batteryLevel", "batteryState"}, as it comes.
    void batteryReading(const QVariantMap &reading);

private:
    void turnTo(int page);
    void setImageAngle(float degrees);
    void setDisplayAngle(double degrees);
    void setHighlight(const QString &name, bool visible);
    void showFullAlert();
    void stopWatching();

    AppState &m_app;
    bool m_tablet;
    bool m_loaded = false;
    WheelDelegate *m_delegate = nullptr;
    float m_imageAngle = 0;
    // The rotation the wheel carries, in radians as applied; the snapping reads its sine.
    double m_appliedRadians = 0;
    double m_displayAngle = 0;
    std::optional<int> m_pendingPage;
    int m_currentPage = -1;
    QString m_highlightName;
    bool m_highlightVisible = false;
    bool m_alertVisible = false;
    bool m_verIfConnected = false;
    // "Device is full" was shown since the detailed readings last said unplugged.
    bool m_fullShownThisPlugIn = false;
    NRBatteryInfo *m_nrInfo = nullptr;
    std::unique_ptr<OneFingerRotationGestureRecognizer> m_recognizer;
    QTimer m_turnTimer;
    int m_removeAllObjToken = 0;
    int m_restartToken = 0;
};
