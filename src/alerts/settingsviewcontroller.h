// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/alertsettings_highprecision.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

class AppState;

// The settings menu page: device information, battery health, the alarm and alert settings, the
// skin chooser, the higher-precision switch, which stores the mode and rebuilds the interface, and
// the reduce-motion setting. The screens are asked of the main screen through the show signals;
// it hides the navigation wheel itself when it presents one, and answers screenPresented; closing
// that screen brings the wheel back. The menu never hides the wheel on its own: a screen that does
// not open must not leave the user without it.
class SettingsViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A page of the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(int screenHeight READ screenHeight CONSTANT)
    Q_PROPERTY(bool swithBTN READ swithBTN NOTIFY swithChanged)
    Q_PROPERTY(bool swithEnabled READ swithEnabled CONSTANT)
    Q_PROPERTY(QString switchImage READ switchImage NOTIFY swithChanged)
    Q_PROPERTY(QString backImage READ backImage CONSTANT)
    Q_PROPERTY(QString appearanceImage READ appearanceImage CONSTANT)
    Q_PROPERTY(QString deviceInfoImage READ deviceInfoImage CONSTANT)
    Q_PROPERTY(QString alertsImage READ alertsImage CONSTANT)
    Q_PROPERTY(QString healthImage READ healthImage CONSTANT)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)
    Q_PROPERTY(QString motionText READ motionText NOTIFY motionChanged)

public:
    // systemVersionBelow6: the rule that freezes the precision switch on old systems; absent
    // means it never applies (the switch is live).
    SettingsViewController(AppState &app, bool tablet, int screenHeight,
                           std::function<bool()> systemVersionBelow6 = {},
                           QObject *parent = nullptr);
    ~SettingsViewController() override;

    bool isTablet() const { return m_tablet; }
    int screenHeight() const { return m_screenHeight; }
    bool swithBTN() const { return m_precision.swithBTN(); }
    bool swithEnabled() const { return m_swithEnabled; }
    QString switchImage() const;
    QString backImage() const;
    QString appearanceImage() const;
    QString deviceInfoImage() const;
    QString alertsImage() const;
    QString healthImage() const;
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }
    const HighPrecisionSwitch &precisionSwitch() const { return m_precision; }

    // The menu's buttons; each returns whether its screen opened (the presenter answered).
    Q_INVOKABLE bool gotoDeviceInfo();
    Q_INVOKABLE bool batthealth();
    Q_INVOKABLE bool gotoAlerts();
    Q_INVOKABLE bool gotoAppearance();
    // swithBTN: the higher-precision mode (rebuilds the interface).
    Q_INVOKABLE void highPrecision();
    // "Reduce motion": automatic, always, never in turn (stored in the user defaults).
    Q_INVOKABLE void reduceMotion();
    QString motionText() const;
    // The presenter's answer to a show signal: the screen asked for is up.
    void screenPresented() { m_presented = true; }
    // "restartAPP": the menu asks nothing more of the main screen and stops observing.
    void removeAllObj();

signals:
    void swithChanged();
    void motionChanged();
    void showDeviceInfo();
    void showHealth();
    void showAlarms();
    void showChangeColor();
    // Sent by the screens the menu opened, when they close.
    void unhideWheel();

private:
    using Show = void (SettingsViewController::*)();
    bool open(Show show);
    QString image(const char *phone, const char *tablet) const;

    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    bool m_swithEnabled;
    bool m_tornDown = false;
    bool m_presented = false;
    HighPrecisionSwitch m_precision;
};
