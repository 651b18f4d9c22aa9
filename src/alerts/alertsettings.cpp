// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/alertsettings.h"

#include "core/alertrecords.h"
#include "platform/logging.h"
#include "platform/plist.h"

namespace {

const QString kNotify = QStringLiteral("notifyWhenComplete");
const QString kBetween = QStringLiteral("AlertsBetwwen");
const QString kType = QStringLiteral("Type");
const QString kState = QStringLiteral("state");
const QString kStart = QStringLiteral("startTime");
const QString kEnd = QStringLiteral("endTime");

// The fixed 24-hour form: the scheduler reads the hour before the colon on the 24-hour clock,
// so a 12-hour text ("10:30 PM") would be read as the morning.
const QString kTimeFormat = QStringLiteral("HH:mm");

struct EditedField
{
    const QString &type;
    const QString &key;
};
const EditedField kEditedFields[] = {
    {kNotify, kState}, {kBetween, kState}, {kBetween, kStart}, {kBetween, kEnd}};

} // namespace

AlertSettings::AlertSettings(Folders folders, bool tablet, QObject *parent)
    : QObject(parent), m_folders(std::move(folders)), m_tablet(tablet)
{
    initAlarmArray();
    showEntries();
    readCity();
}

void AlertSettings::readCity()
{
    const plist::ReadResult forecast =
        plist::readFile(m_folders.documents + QStringLiteral("/forecastList.plist"));
    if (forecast.ok() && forecast.value.typeId() == QMetaType::QVariantMap) {
        const QVariant city = forecast.value.toMap().value(QStringLiteral("city"));
        if (city.typeId() == QMetaType::QString)
            m_curLocation = city.toString();
    }
}

void AlertSettings::delay()
{
    readCity();
    emit stateChanged();
    emit update();
}

QString AlertSettings::globalfinalName() const
{
    return m_folders.documents + QStringLiteral("/Alert.plist");
}

void AlertSettings::initAlarmArray()
{
    // Without a usable file the switches work on the defaults, which leaving then writes.
    m_alarmArray = alertrecords::fromRead(plist::readFile(globalfinalName())).records;
    m_loaded = m_alarmArray;
}

void AlertSettings::showEntries()
{
    for (const QVariant &v : std::as_const(m_alarmArray)) {
        const QVariantMap entry = v.toMap();
        const QString type = entry.value(kType).toString();
        if (type == kBetween) {
            m_swith2 = entry.value(kState).toBool();
            m_starLbl = entry.value(kStart).toString();
            m_endLbl = entry.value(kEnd).toString();
        } else if (type == kNotify) {
            m_swith1 = entry.value(kState).toBool();
        }
    }
    emit stateChanged();
}

qsizetype AlertSettings::indexOfType(const QVariantList &list, const QString &type)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].toMap().value(kType).toString() == type)
            return i;
    }
    return -1;
}

bool AlertSettings::flip(const QString &type)
{
    const qsizetype i = indexOfType(m_alarmArray, type);
    if (i < 0)
        return false;
    QVariantMap entry = m_alarmArray[i].toMap();
    const bool state = !entry.value(kState).toBool();
    entry.insert(kState, state);
    m_alarmArray[i] = entry;
    return true;
}

void AlertSettings::notifyWhenComplete()
{
    if (!flip(kNotify))
        return;
    m_swith1 = m_alarmArray[indexOfType(m_alarmArray, kNotify)].toMap().value(kState).toBool();
    emit stateChanged();
}

void AlertSettings::turnOffAlertsBetwwen()
{
    if (!flip(kBetween))
        return;
    m_swith2 = m_alarmArray[indexOfType(m_alarmArray, kBetween)].toMap().value(kState).toBool();
    emit stateChanged();
}

void AlertSettings::startOff()
{
    m_off = true;
    m_timePickerVisible = !m_timePickerVisible;
    // The picker opens on the time it edits.
    const QTime shown = QTime::fromString(m_starLbl, kTimeFormat);
    if (m_timePickerVisible && shown.isValid())
        m_pickerTime = shown;
    emit stateChanged();
}

void AlertSettings::endOff()
{
    m_off = false;
    m_timePickerVisible = !m_timePickerVisible;
    const QTime shown = QTime::fromString(m_endLbl, kTimeFormat);
    if (m_timePickerVisible && shown.isValid())
        m_pickerTime = shown;
    emit stateChanged();
}

void AlertSettings::timeSelected(const QTime &time)
{
    if (!time.isValid())
        return;
    m_pickerTime = QTime(time.hour(), time.minute());
    const QString text = m_pickerTime.toString(kTimeFormat);
    if (m_off)
        m_starLbl = text;
    else
        m_endLbl = text;
    const qsizetype i = indexOfType(m_alarmArray, kBetween);
    if (i >= 0) {
        QVariantMap entry = m_alarmArray[i].toMap();
        entry.insert(m_off ? kStart : kEnd, text);
        m_alarmArray[i] = entry;
    }
    emit stateChanged();
}

void AlertSettings::selectTime(int hour, int minute)
{
    timeSelected(QTime(hour, minute));
}

void AlertSettings::ChangeLocation()
{
    m_weatherViewVisible = !m_weatherViewVisible;
    emit stateChanged();
}

void AlertSettings::hideWeatherview()
{
    if (!m_weatherViewVisible)
        return;
    m_weatherViewVisible = false;
    emit stateChanged();
}

void AlertSettings::ChangeFromCelsiusToFarengeit()
{
    // Opened from the settings menu there is no clock whose unit could change: nobody answers
    // and the label stays.
    emit changeTempformat();
}

void AlertSettings::setCelsius(bool celsius)
{
    m_tempFormatLbl = celsius ? tr("Celsius") : tr("Fahrenheit");
    emit stateChanged();
}

bool AlertSettings::save()
{
    // Other screens write Alert.plist too (the charging screen, the settings menu) while this
    // copy is open; writing the whole stale copy back would undo their switches. So the file is
    // read again and only the fields changed here are put into it.
    const alertrecords::Loaded fresh = alertrecords::fromRead(plist::readFile(globalfinalName()));
    if (fresh.leaveAlone) {
        qCWarning(lcAlerts, "%s cannot be read; the settings are not saved",
                  qPrintable(globalfinalName()));
        return false;
    }
    QVariantList merged = fresh.records;
    for (const EditedField &field : kEditedFields) {
        const qsizetype w = indexOfType(m_alarmArray, field.type);
        if (w < 0)
            continue;
        const QVariantMap now = m_alarmArray[w].toMap();
        const qsizetype l = indexOfType(m_loaded, field.type);
        const QVariantMap before = l >= 0 ? m_loaded[l].toMap() : QVariantMap{};
        // Into a file written anew every value of the screen goes, changed or not.
        if (!fresh.missing && now.contains(field.key) == before.contains(field.key) &&
            now.value(field.key) == before.value(field.key))
            continue;
        const qsizetype target = indexOfType(merged, field.type);
        if (target < 0 || !now.contains(field.key))
            continue;
        QVariantMap entry = merged[target].toMap();
        entry.insert(field.key, now.value(field.key));
        merged[target] = entry;
    }
    if (!plist::writeFile(globalfinalName(), merged)) {
        qCWarning(lcAlerts, "could not write %s", qPrintable(globalfinalName()));
        return false;
    }
    m_loaded = m_alarmArray;
    return true;
}

void AlertSettings::goBack()
{
    save();
    emit unhideWheel();
    emit update();
    emit closeRequested();
}

QString AlertSettings::image(const char *phone, const char *tablet) const
{
    return m_folders.library + QLatin1Char('/') + QString::fromLatin1(m_tablet ? tablet : phone);
}

QString AlertSettings::switchOffImage() const
{
    return image("1_switch-off_88x55.png", "2_switch_off_112x63.png");
}

QString AlertSettings::switchOnImage() const
{
    return image("1_switch-on_88x55.png", "2_switch_on_112x63.png");
}

QString AlertSettings::offButtonImage() const
{
    return image("1_small_change_button_40x17.png", "2_enter_62x27.png");
}

QString AlertSettings::changeButtonImage() const
{
    return image("1_Change_button_53x25.png", "2_change_90x42.png");
}

QString AlertSettings::backImage() const
{
    return image("1_back-4_52x47.png", "2_back_44x44.png");
}

QString AlertSettings::labelColorImage() const
{
    return image("1_probnik.png", "2_probnik.png");
}
