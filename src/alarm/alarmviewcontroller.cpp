// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmviewcontroller.h"

#include "alarm/timetext.h"

#include "alarm/alarmcell.h"
#include "alarm/alarmnewviewcontroller.h"
#include "alerts/alertsettings.h"
#include "platform/location.h"
#include "weather/weatherviewcontroller.h"

#include <QImage>

AlarmViewController::AlarmViewController(UserDefaults &defaults, Folders folders, bool tablet,
                                         std::function<QDateTime()> now, QObject *parent)
    : QObject(parent), m_store(defaults), m_folders(std::move(folders)), m_tablet(tablet)
{
    m_alertSettings = new AlertSettings(m_folders, tablet, this);
    connect(m_alertSettings, &AlertSettings::closeRequested, this,
            &AlarmViewController::closeRequested);
    connect(m_alertSettings, &AlertSettings::weatherIsOn, this, &AlarmViewController::weatherIsOn);
    connect(m_alertSettings, &AlertSettings::update, this, &AlarmViewController::update);
    connect(m_alertSettings, &AlertSettings::changeTempformat, this,
            &AlarmViewController::changeTempformat);
    connect(m_alertSettings, &AlertSettings::unhideWheel, this, &AlarmViewController::unhideWheel);
    // One editor for the screen's whole life: its choices carry over from one alarm to the next.
    m_alarm = new AlarmNewViewController(m_store, m_folders.resources, m_folders.library, tablet,
                                         std::move(now), this);
    connect(m_alarm, &AlarmNewViewController::refreshTable, this, &AlarmViewController::reloadData);
    m_weather =
        new WeatherViewController(defaults, m_folders, tablet, &locationServicesEnabled, this);
    // The panel closes itself after a pick; the city label follows the forecast once it is
    // stored, whenever the reply comes.
    connect(m_weather, &WeatherViewController::closeRequested, m_alertSettings,
            &AlertSettings::hideWeatherview);
    connect(m_weather, &WeatherViewController::cacheWritten, m_alertSettings,
            &AlertSettings::delay);
    // The pattern is a flat fill in the user's tint: its colour is the colour of the texts drawn
    // with it. The untinted accent stands in when the copy is missing.
    const QImage sample(m_folders.library + (tablet ? QStringLiteral("/2_probnik.png")
                                                    : QStringLiteral("/1_probnik.png")));
    m_tintColor = sample.isNull() ? QColor(0x1f, 0xd6, 0x8a)
                                  : sample.pixelColor(sample.width() / 2, sample.height() / 2);
    reloadData();
}

AlarmViewController::~AlarmViewController() = default;

void AlarmViewController::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_alarm->setLocale(locale);
    reloadData();
}

void AlarmViewController::setTimeZone(const QTimeZone &zone)
{
    m_zone = zone;
    m_alarm->setTimeZone(zone);
    reloadData();
}

void AlarmViewController::setLocationServicesEnabled(std::function<bool()> enabled)
{
    m_weather->placeSearch()->setLocationServicesEnabled(std::move(enabled));
}

QString AlarmViewController::addBtnImage() const
{
    return m_folders.library + (m_tablet ? QStringLiteral("/2_add-new_198x36.png")
                                         : QStringLiteral("/1_Add-new-alarm_92x28.png"));
}

QString AlarmViewController::timeText(const QVariantMap &record) const
{
    const QVariant ora = record.value(QStringLiteral("ora"));
    if (ora.typeId() != QMetaType::QDateTime || !ora.toDateTime().isValid())
        return AlarmCell::kTimeUnknown;
    return timeOfDayText(m_locale, ora.toDateTime().toTimeZone(m_zone).time());
}

AlarmCell *AlarmViewController::cellForRow(int row)
{
    const QVariantList records = m_store.records();
    if (row < 0 || row >= records.size())
        return nullptr;
    while (m_cells.size() <= row) {
        auto *cell = new AlarmCell(m_folders.library, m_tablet, this);
        cell->initCellBtn();
        connect(cell, &AlarmCell::switchTouched, this, &AlarmViewController::onOffAlarm);
        m_cells.append(cell);
    }
    const QVariantMap record = records[row].toMap();
    AlarmCell *cell = m_cells[row];
    cell->fill(timeText(record), row, record.value(QStringLiteral("OnOff")).toBool());
    return cell;
}

QList<QObject *> AlarmViewController::cells() const
{
    QList<QObject *> out;
    const int rows = numberOfRows();
    for (int row = 0; row < rows && row < m_cells.size(); ++row)
        out.append(m_cells[row]);
    return out;
}

void AlarmViewController::reloadData()
{
    const int rows = numberOfRows();
    for (int row = 0; row < rows; ++row)
        cellForRow(row);
    emit tableReloaded();
}

void AlarmViewController::addNewAlarm()
{
    m_alarm->setNovii(true);
    m_alarm->show();
}

void AlarmViewController::commitEditingStyle(int style, int row)
{
    if (style != EditingStyleDelete)
        return;
    if (m_store.removeAt(row))
        reloadData();
}

void AlarmViewController::onOffAlarm(int tag)
{
    if (tag < 0 || tag >= m_cells.size())
        return;
    AlarmCell *cell = m_cells[tag];
    const bool on = !cell->switchSelected();
    cell->setSwitchSelected(on);
    m_store.setOnOff(tag, on);
    reloadData();
}

void AlarmViewController::goBack()
{
    m_alertSettings->goBack();
}
