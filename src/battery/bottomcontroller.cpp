// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/bottomcontroller.h"

#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "device/devicespectable.h"
#include "monitor/reachability.h"
#include "platform/kernelidentity.h"
#include "platform/notificationcenter.h"
#include "platform/translation.h"

#include <QLocale>

#include <cmath>
#include <utility>

namespace {

const char *const kButtonNames[] = {"gpsBtn", "wifiBTN", "g3Btn", "lightBtn", "bluetoothBTN"};

} // namespace

BottomController::BottomController(AppState &app, bool tablet, int screenHeight,
                                   std::function<bool()> locationServicesEnabled, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight),
      m_locationServicesEnabled(std::move(locationServicesEnabled))
{
    Platform &platform = m_app.platform();
    const UserDefaults *defaults = &platform.defaults;

    // The percent is a share of the model's nominal capacity, not of the remaining charge the
    // gauge keeps in Level: that would apply the percent twice, and would not follow the
    // slider when the user drags it.
    m_nominalCapacity = DeviceSpecTable::nominalCapacity(
        platform.folders.resources + QStringLiteral("/devices.plist"), platformIdentifier(defaults),
        platform.roots);

    BatteryMonitor &monitor = m_app.batteryMonitor();
    const double nominal = m_nominalCapacity;
    const HostClass host = hostClass(platform.roots);
    m_timeForAction = std::make_unique<timeForAction>(
        [defaults] { return platformIdentifier(defaults).toStdString(); },
        float(platform.brightness ? platform.brightness() : 1.0),
        [&monitor, nominal, host] { return hostDrawOf(monitor.reading(), nominal, host); });

    platform.notifications.addObserver(QStringLiteral("restartAPP"), this,
                                       [this](const QVariant &) { removeAllObj(); });
    // A change of the network shows at once, not only at the main screen's next poll.
    platform.notifications.addObserver(
        QStringLiteral("kNetworkReachabilityChangedNotification"), this,
        [this](const QVariant &object) {
            if (const auto *reachability =
                    qobject_cast<const Reachability *>(object.value<QObject *>()))
                updateButtons(periferikStatus(*reachability));
        });

    // The tall phone screen has room for a tip from the start.
    if (summary::isTallPhone(m_tablet, m_screenHeight))
        setTips(summary::Brightness);
}

BottomController::~BottomController()
{
    m_app.platform().notifications.removeObservers(this);
}

QString BottomController::floatToTime(float hours)
{
    return QString::fromStdString(::floatToTime(hours));
}

float BottomController::standbyFor(int charge)
{
    if (!m_timeForAction)
        return 0;
    const Profile profile = m_timeForAction->checkDeviceModel(charge);
    const auto it = profile.find("stand");
    return it == profile.end() ? 0.0f : it->second;
}

void BottomController::updateInfoFromBAttery(float percent)
{
    if (!m_timeForAction)
        return; // torn down: the texts stay as they were
    m_charge = chargeForPercent(percent, m_nominalCapacity);
    const float standby = standbyFor(m_charge);
    const bool measuring = m_timeForAction->measuring();
    // Nothing measured yet is no time at all for the scheduler, rather than none left.
    m_app.setTimeBeforeDie(measuring ? QString()
                                     : QString::fromStdString(summary::timeBeforeDieText(standby)));
    // An unknown level on a machine without a battery says so; a battery that briefly reports
    // no level, or a level the user dragged in, is shown as usual.
    const BatteryReading &reading = m_app.batteryMonitor().reading();
    const bool noBattery = summary::isUnknownLevel(percent) && !reading.hasBattery;
    m_procentsLabel = noBattery ? uiText(summary::kNoBattery)
                                : QString::fromStdString(summary::percentText(percent));
    m_timeLabel = noBattery   ? QString::fromLatin1(summary::kNoTime)
                  : measuring ? uiText(summary::kCalculating)
                              : floatToTime(standby);
    m_drawLabel = drawText(reading);
    emit infoChanged();
}

QString BottomController::drawText(const BatteryReading &reading)
{
    const std::optional<double> watts = reading.shownWatts();
    if (!watts || !std::isfinite(*watts) || *watts < 0)
        return {};
    const bool charging = reading.state == BatteryState::Charging;
    return uiText(charging ? summary::kChargingAtText : summary::kDrawingText)
        .arg(QLocale().toString(*watts, 'f', 1));
}

void BottomController::updateButtons(int status)
{
    setSelected(summary::Gps, m_locationServicesEnabled && m_locationServicesEnabled());
    setSelected(summary::Brightness, true);
    const summary::NetworkButtons now = summary::networkButtonsFor(
        status, {isSelected(summary::Wifi), isSelected(summary::Cellular)});
    setSelected(summary::Wifi, now.wifi);
    setSelected(summary::Cellular, now.cellular);
}

bool BottomController::isSelected(int tag) const
{
    return summary::isStatusTag(tag) && m_selected[tag - summary::kFirstTag];
}

void BottomController::setSelected(int tag, bool selected)
{
    bool &slot = m_selected[tag - summary::kFirstTag];
    if (slot == selected)
        return;
    slot = selected;
    emit buttonsChanged();
}

QVariantList BottomController::buttons() const
{
    QVariantList list;
    for (int tag = summary::kFirstTag; tag <= summary::kLastTag; ++tag) {
        const bool selected = isSelected(tag);
        list << QVariantMap{
            {QStringLiteral("name"), QString::fromLatin1(kButtonNames[tag - summary::kFirstTag])},
            {QStringLiteral("tag"), tag},
            {QStringLiteral("selected"), selected},
            {QStringLiteral("image"), m_app.libraryImage(QString::fromLatin1(
                                          summary::statusImage(tag, m_tablet, selected)))},
        };
    }
    return list;
}

void BottomController::setTips(int tag)
{
    if (summary::tipCoversDetails(m_tablet, m_screenHeight))
        setDetailsEnabled(false);
    if (const char *image = summary::tipImage(tag, m_tablet))
        m_miniTipsImage = m_app.libraryImage(QString::fromLatin1(image));
    // Whatever the tip showed, the new one fades in from nothing.
    m_miniTipsOpacity = 1;
    emit miniTipsChanged();
    emit miniTipsFadeIn();
}

void BottomController::hideMiniTips()
{
    if (!summary::tipCoversDetails(m_tablet, m_screenHeight))
        return;
    m_miniTipsOpacity = 0;
    emit miniTipsChanged();
    emit miniTipsFadeOut();
    setDetailsEnabled(true);
}

void BottomController::setDetailsEnabled(bool enabled)
{
    if (enabled == m_detailsEnabled)
        return;
    m_detailsEnabled = enabled;
    emit detailsEnabledChanged();
}

void BottomController::gotoDetails()
{
    if (m_delegate && m_detailsEnabled)
        m_delegate->DetailsPresed();
}

QString BottomController::detailsImage() const
{
    return m_app.libraryImage(QString::fromLatin1(summary::detailsButtonImage(m_tablet)));
}

QString BottomController::pernaImage() const
{
    if (!summary::isTallPhone(m_tablet, m_screenHeight))
        return {};
    return m_app.resourceImage(QString::fromLatin1(summary::kTallPhoneBackground));
}

void BottomController::removeAllObj()
{
    m_app.platform().notifications.removeObservers(this);
    m_timeForAction.reset();
}
