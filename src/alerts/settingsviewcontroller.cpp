// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/settingsviewcontroller.h"

#include "core/appstate.h"
#include "platform/notificationcenter.h"

#include <utility>

SettingsViewController::SettingsViewController(AppState &app, bool tablet, int screenHeight,
                                               std::function<bool()> systemVersionBelow6,
                                               QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight),
      m_swithEnabled(!(systemVersionBelow6 && systemVersionBelow6())),
      m_precision(app.folders().documents + QStringLiteral("/Alert.plist"),
                  app.platform().notifications, [&app](bool on) { app.setPrivat(on); })
{
    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP"), this,
                                               [this](const QVariant &) { removeAllObj(); });
    m_precision.load();
    connect(&m_app.motion(), &MotionPolicy::settingChanged, this,
            &SettingsViewController::motionChanged);
}

SettingsViewController::~SettingsViewController()
{
    m_app.platform().notifications.removeObservers(this);
}

bool SettingsViewController::open(Show show)
{
    // The presenter hides the wheel when, and only when, it presents the screen.
    if (m_tornDown)
        return false;
    m_presented = false;
    emit(this->*show)();
    return std::exchange(m_presented, false);
}

bool SettingsViewController::gotoDeviceInfo()
{
    return open(&SettingsViewController::showDeviceInfo);
}

bool SettingsViewController::batthealth()
{
    return open(&SettingsViewController::showHealth);
}

bool SettingsViewController::gotoAlerts()
{
    return open(&SettingsViewController::showAlarms);
}

bool SettingsViewController::gotoAppearance()
{
    return open(&SettingsViewController::showChangeColor);
}

void SettingsViewController::highPrecision()
{
    if (!m_swithEnabled || m_tornDown)
        return;
    m_precision.highPrecision();
    emit swithChanged();
}

void SettingsViewController::reduceMotion()
{
    if (m_tornDown)
        return;
    m_app.motion().setSetting(motion::nextSetting(m_app.motion().setting()));
}

QString SettingsViewController::motionText() const
{
    switch (m_app.motion().setting()) {
    case MotionSetting::Always:
        return tr("Always");
    case MotionSetting::Never:
        return tr("Never");
    case MotionSetting::Automatic:
        break;
    }
    return tr("Automatic");
}

void SettingsViewController::removeAllObj()
{
    m_tornDown = true;
    disconnect(this, &SettingsViewController::unhideWheel, nullptr, nullptr);
    m_app.platform().notifications.removeObservers(this);
}

QString SettingsViewController::image(const char *phone, const char *tablet) const
{
    return m_app.libraryImage(QString::fromLatin1(m_tablet ? tablet : phone));
}

QString SettingsViewController::switchImage() const
{
    if (swithBTN())
        return image("1_switch-on_88x55.png", "2_switch_on_112x63.png");
    return image("1_switch-off_88x55.png", "2_switch_off_112x63.png");
}

QString SettingsViewController::backImage() const
{
    return m_tablet ? m_app.libraryImage(QStringLiteral("2_Settings back copy.jpeg")) : QString();
}

QString SettingsViewController::appearanceImage() const
{
    return image("1_Appearance_90x82.png", "2_appearance_86x84.png");
}

QString SettingsViewController::deviceInfoImage() const
{
    return image("1_Device-info_90x82.png", "2_device_info_86x83.png");
}

QString SettingsViewController::alertsImage() const
{
    return image("1_Alerts_90x82.png", "2_alert_86x84.png");
}

QString SettingsViewController::healthImage() const
{
    return image("1_Battery-Health_90x82.png", "2_battery_life_86x84.png");
}
