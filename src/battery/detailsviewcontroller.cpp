// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/detailsviewcontroller.h"

#include "battery/summary.h"
#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "device/devicespectable.h"
#include "platform/kernelidentity.h"
#include "platform/notificationcenter.h"
#include "platform/translation.h"

#include <QImage>

#include <cmath>
#include <limits>

namespace {

// Level is a float the gauge writes; only a real, non-negative charge makes an estimate.
int remainingCharge(float level)
{
    if (!std::isfinite(level) || level <= 0)
        return 0;
    if (level >= float(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(level);
}

// The accent the image set is drawn in, for a sample that cannot be read.
const QColor kUntintedAccent(0x1f, 0xd6, 0x8a);

} // namespace

DetailsViewController::DetailsViewController(AppState &app, bool tablet, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet)
{
    Platform &platform = m_app.platform();
    const UserDefaults *defaults = &platform.defaults;
    // The charge is a share of the nominal capacity the gauge took it from.
    DeviceSpecTable table(platform.folders.resources + QStringLiteral("/devices.plist"),
                          platformIdentifier(defaults), platform.roots);
    table.normBAt();
    const double nominal = table.glCapasity();
    const HostClass host = hostClass(platform.roots);
    BatteryMonitor &monitor = m_app.batteryMonitor();
    m_timeForAction = std::make_unique<timeForAction>(
        [defaults] { return platformIdentifier(defaults).toStdString(); },
        float(platform.brightness ? platform.brightness() : 1.0),
        [&monitor, nominal, host] { return hostDrawOf(monitor.reading(), nominal, host); });
    platform.notifications.addObserver(QStringLiteral("restartAPP"), this,
                                       [this](const QVariant &) { removeAllObj(); });

    m_charge = remainingCharge(m_app.Level());
    const Profile profile = m_timeForAction->checkDeviceModel(m_charge);
    m_cells = detailsCells(profile, m_timeForAction->measuring());

    // The sample is a flat fill in the user's tint; its colour is the colour of the pattern.
    const QImage sample(
        platform.folders.library + QLatin1Char('/') +
        (m_tablet ? QStringLiteral("2_probnik.png") : QStringLiteral("1_probnik.png")));
    m_tintColor = sample.isNull() ? kUntintedAccent
                                  : sample.pixelColor(sample.width() / 2, sample.height() / 2);
}

DetailsViewController::~DetailsViewController()
{
    m_app.platform().notifications.removeObservers(this);
}

QString DetailsViewController::floatToTime(float hours)
{
    return QString::fromStdString(::floatToTime(hours));
}

QVariantList DetailsViewController::rows() const
{
    QVariantList list;
    for (const DetailsCell &cell : m_cells) {
        list << QVariantMap{
            {QStringLiteral("actionLabel"), uiText(cell.actionLabel)},
            // A time, or the marked text that the draw is still being measured.
            {QStringLiteral("timeLabel"), cell.timeLabel == summary::kCalculating
                                              ? uiText(summary::kCalculating)
                                              : QString::fromStdString(cell.timeLabel)},
            {QStringLiteral("progressTime"), double(cell.progressTime)},
        };
    }
    return list;
}

QString DetailsViewController::backImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_back_44x44.png")
                                       : QStringLiteral("1_back-4_52x47.png"));
}

void DetailsViewController::goBack()
{
    removeAllObj();
    emit closeRequested();
}

void DetailsViewController::removeAllObj()
{
    m_app.platform().notifications.removeObservers(this);
    m_timeForAction.reset();
}
