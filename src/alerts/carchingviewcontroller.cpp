// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/carchingviewcontroller.h"

#include "battery/bottomcontroller.h"
#include "battery/summary.h"
#include "core/alertrecords.h"
#include "core/appstate.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "platform/translation.h"

#include <utility>

namespace {

const QString kDischargeAlert = QStringLiteral("DischargeAlert");
const QString kState = QStringLiteral("state");

} // namespace

CarchingViewController::CarchingViewController(AppState &app, bool tablet, int screenHeight,
                                               QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight)
{
    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP"), this,
                                               [this](const QVariant &) { removeAllObj(); });
    m_slideTimer.setSingleShot(true);
    m_slideTimer.setInterval(kSlideMs);
    connect(&m_slideTimer, &QTimer::timeout, this, &CarchingViewController::finishSlide);

    // The working copy of the alert settings; the switch follows the first low-battery entry.
    const plist::ReadResult read = plist::readFile(globalfinalName());
    m_alarmArray = read.ok() ? read.value.toList() : QVariantList{};
    if (const qsizetype i = alertrecords::indexOfType(m_alarmArray, kDischargeAlert); i >= 0)
        m_swithBTN = m_alarmArray[i].toMap().value(kState).toBool();
}

CarchingViewController::~CarchingViewController()
{
    m_app.platform().notifications.removeObservers(this);
}

QString CarchingViewController::globalfinalName() const
{
    return m_app.folders().documents + QStringLiteral("/Alert.plist");
}

void CarchingViewController::updateInfoFromBAttery(float level)
{
    if (m_tornDown)
        return;
    m_procentsLbl = QString::fromStdString(summary::percentText(level));
    const BatteryReading &reading = m_app.batteryMonitor().reading();
    const std::optional<int> limit =
        chargestages::shownThreshold(reading.supply.chargeEndThreshold);
    m_thresholdLbl =
        limit ? uiText(reading.heldAtLimit ? chargestages::kHeldText : chargestages::kThresholdText)
                    .arg(*limit)
              : QString();
    // The charge type describes a charge: it says nothing while the battery runs the machine.
    const bool onPower = reading.externalPower || reading.state == BatteryState::Charging ||
                         reading.state == BatteryState::Full;
    m_chargeTypeLbl = onPower ? QString::fromStdString(chargestages::chargeTypeText(
                                    reading.supply.chargeType.toStdString()))
                              : QString();
    m_drawLbl = BottomController::drawText(reading);
    m_readLevel = level;
    m_readStage = chargestages::stageLevel(level, int(reading.state), reading.heldAtLimit);
    emit infoChanged();
}

void CarchingViewController::updateImagePosition(float level)
{
    if (m_tornDown)
        return;
    // The text shows the level as read; the stages go by what the battery reports with it (a
    // battery held at its charge limit is full).
    const double stage = level == m_readLevel ? m_readStage : double(level);
    m_latest = stage;
    if (!chargestages::apply(m_stages, stage, m_tablet))
        return;
    if (m_stages.finishing) {
        if (m_shown)
            m_slideTimer.start();
        else
            finishSlide();
    } else {
        m_slideTimer.stop();
    }
    emit stagesChanged();
}

void CarchingViewController::finishSlide()
{
    m_slideTimer.stop();
    if (m_tornDown)
        return;
    chargestages::finishSlide(m_stages, m_latest);
    emit stagesChanged();
}

void CarchingViewController::setShown(bool shown)
{
    m_shown = shown;
    // Nobody watches the slide: it ends at once.
    if (!shown && m_slideTimer.isActive())
        finishSlide();
}

void CarchingViewController::ChargeAlert()
{
    if (m_tornDown)
        return;
    const qsizetype i = alertrecords::indexOfType(m_alarmArray, kDischargeAlert);
    if (i < 0)
        return;
    QVariantMap entry = m_alarmArray[i].toMap();
    m_swithBTN = !entry.value(kState).toBool();
    entry.insert(kState, m_swithBTN);
    m_alarmArray[i] = entry;
    // The alarm and alert settings screen may have written since this copy was loaded.
    alertrecords::storeState(globalfinalName(), kDischargeAlert, m_swithBTN, m_alarmArray);
    emit swithChanged();
}

void CarchingViewController::gotoBudilinik()
{
    m_presented = false;
    if (!m_tornDown)
        emit showBudillinik();
    if (!std::exchange(m_presented, false))
        qCInfo(lcAlerts, "sleep button: the clock screen did not open");
}

void CarchingViewController::removeAllObj()
{
    m_tornDown = true;
    m_slideTimer.stop();
    m_app.platform().notifications.removeObservers(this);
}

QVariantList CarchingViewController::rings() const
{
    QVariantList list;
    for (const chargestages::Ring *ring : {&m_stages.fast, &m_stages.trickle, &m_stages.full})
        list << QVariantMap{{QStringLiteral("goal"), ring->goal},
                            {QStringLiteral("animated"), ring->animated}};
    return list;
}

QString CarchingViewController::labelImage(int stage) const
{
    if (m_stages.labelChecked[stage])
        return m_app.libraryImage(QStringLiteral("2_label_check_102x108.png"));
    return m_app.resourceImage(QStringLiteral("label_%1_102x108.png").arg(stage + 1));
}

QString CarchingViewController::iconImage(int stage) const
{
    if (m_stages.iconChecked[stage])
        return m_app.libraryImage(QStringLiteral("1_recharge_check_30x34.png"));
    return m_app.resourceImage(QStringLiteral("recharge_%1_30x34.png").arg(stage + 1));
}

QString CarchingViewController::image(const char *phone, const char *tablet) const
{
    return m_app.libraryImage(QString::fromLatin1(m_tablet ? tablet : phone));
}

QString CarchingViewController::padlojkaImage() const
{
    return m_app.libraryImage(QStringLiteral("1_fill_204x35.png"));
}

QString CarchingViewController::topFillImage() const
{
    return m_app.libraryImage(QStringLiteral("1_Group_43_204x35.png"));
}

QString CarchingViewController::pernaImage() const
{
    if (m_tablet || m_screenHeight < 568)
        return {};
    return m_app.resourceImage(QStringLiteral("Charging-perna-5_320x240.png"));
}

QString CarchingViewController::ringColorImage() const
{
    // The ring paints with the picture itself: its file, not a view's picture address.
    return m_app.libraryFile(QLatin1String(m_tablet ? "2_probnik.png" : "1_probnik.png"));
}

QString CarchingViewController::switchImage() const
{
    if (m_swithBTN)
        return image("1_switch-on_88x55.png", "2_switch_on_112x63.png");
    return image("1_switch-off_88x55.png", "2_switch_off_112x63.png");
}

QString CarchingViewController::sleepImage() const
{
    return image("1_Sleep_150x32.png", "2_Sleep_221x49.png");
}
