// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmnewviewcontroller.h"

#include "alarm/timetext.h"

#include "alarm/musiccell.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

AlarmNewViewController::AlarmNewViewController(AlarmStore store, QString resources, QString library,
                                               bool tablet, std::function<QDateTime()> now,
                                               QObject *parent)
    : QObject(parent), m_store(store), m_resources(std::move(resources)),
      m_library(std::move(library)), m_tablet(tablet), m_now(std::move(now))
{
    // The picker starts on the current minute.
    const QDateTime current = m_now().toTimeZone(m_zone);
    m_date = current.addSecs(-current.time().second()).addMSecs(-current.time().msec());
    m_firstPickerDay = m_date.date();
    m_timeLabel = formatDate(m_date);
}

void AlarmNewViewController::setLocale(const QLocale &locale)
{
    m_locale = locale;
    m_timeLabel = formatDate(m_date);
    emit stateChanged();
    emit pickerDaysChanged();
}

void AlarmNewViewController::setTimeZone(const QTimeZone &zone)
{
    m_zone = zone;
    m_date = m_date.toTimeZone(zone);
    // "Today" is today where the alarm will ring.
    m_firstPickerDay = m_now().toTimeZone(zone).date();
    m_timeLabel = formatDate(m_date);
    emit stateChanged();
    emit pickerDaysChanged();
}

QString AlarmNewViewController::formatDate(const QDateTime &date) const
{
    const QDateTime local = date.toTimeZone(m_zone);
    return m_locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           timeOfDayText(m_locale, local.time());
}

QVariantList AlarmNewViewController::recursivePathsForResourcesOfType(const QString &extension,
                                                                      const QString &folder)
{
    const QDir root(folder);
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).suffix() == extension)
            names << root.relativeFilePath(path);
    }
    // The file system lists in no particular order; a sorted list reads the same every time.
    names.sort();
    QVariantList entries;
    for (const QString &name : std::as_const(names))
        entries.append(QVariantMap{{QStringLiteral("path"), folder + QLatin1Char('/') + name},
                                   {QStringLiteral("name"), name}});
    return entries;
}

void AlarmNewViewController::viewDidLoad()
{
    m_loaded = true;
    m_vibrating = false;
    m_vibratingStateLabel = tr("No");
    m_removeAlarmEnabled = !m_novii;
    m_songArr = recursivePathsForResourcesOfType(QStringLiteral("caf"), m_resources);
    emit songsChanged();
}

void AlarmNewViewController::setNovii(bool on)
{
    if (m_novii == on)
        return;
    m_novii = on;
    emit stateChanged();
}

void AlarmNewViewController::show()
{
    if (!m_loaded)
        viewDidLoad();
    m_shown = true;
    emit stateChanged();
}

void AlarmNewViewController::close()
{
    m_shown = false;
    m_dayViewVisible = false;
    m_musicViewVisible = false;
    emit stateChanged();
}

void AlarmNewViewController::save()
{
    m_store.append(AlarmStore::makeRecord(m_date, m_vibrating, m_musicLbl, m_days));
    emit refreshTable();
    close();
}

void AlarmNewViewController::cancel()
{
    close();
}

void AlarmNewViewController::removeAlarmAction()
{
    close();
}

void AlarmNewViewController::toggleVibrating()
{
    m_vibrating = !m_vibrating;
    m_vibratingStateLabel = m_vibrating ? tr("Yes") : tr("No");
    emit stateChanged();
}

void AlarmNewViewController::toggleDay(int index)
{
    if (index < 0 || index > 6)
        return;
    m_days[size_t(index)] = !m_days[size_t(index)];
    emit stateChanged();
}

void AlarmNewViewController::addDayView()
{
    m_dayViewVisible = true;
    emit stateChanged();
}

void AlarmNewViewController::removeDAyView()
{
    m_dayViewVisible = false;
    m_highlighted = m_days;
    emit stateChanged();
}

void AlarmNewViewController::selectMusic()
{
    m_musicViewVisible = true;
    emit stateChanged();
}

void AlarmNewViewController::valueChanged(const QDateTime &date)
{
    if (!date.isValid())
        return;
    m_date = date.toTimeZone(m_zone);
    m_timeLabel = formatDate(m_date);
    emit stateChanged();
}

void AlarmNewViewController::pickDate(int dayIndex, int hour, int minute)
{
    if (dayIndex < 0 || dayIndex >= kPickerDays)
        return;
    const QTime time(hour, minute);
    if (!time.isValid())
        return;
    valueChanged(QDateTime(m_firstPickerDay.addDays(dayIndex), time, m_zone));
}

QStringList AlarmNewViewController::pickerDays() const
{
    QStringList days;
    days.reserve(kPickerDays);
    days << tr("Today");
    const QString format = QStringLiteral("ddd d MMM");
    for (int i = 1; i < kPickerDays; ++i)
        days << m_locale.toString(m_firstPickerDay.addDays(i), format);
    return days;
}

int AlarmNewViewController::pickerDayIndex() const
{
    const qint64 days = m_firstPickerDay.daysTo(m_date.toTimeZone(m_zone).date());
    return int(std::clamp<qint64>(days, 0, kPickerDays - 1));
}

QObject *AlarmNewViewController::cellForRow(int row)
{
    if (row < 0 || row >= m_songArr.size())
        return nullptr;
    while (m_musicCells.size() <= row) {
        auto *cell = new MusicCell(this);
        cell->initLBL();
        m_musicCells.append(cell);
    }
    MusicCell *cell = m_musicCells[row];
    cell->setMusicLbl(m_songArr[row].toMap().value(QStringLiteral("name")).toString());
    return cell;
}

QList<QObject *> AlarmNewViewController::musicCells() const
{
    QList<QObject *> cells;
    for (int row = 0; row < m_songArr.size(); ++row)
        cells.append(const_cast<AlarmNewViewController *>(this)->cellForRow(row));
    return cells;
}

void AlarmNewViewController::didSelectRow(int row)
{
    if (row < 0 || row >= m_songArr.size())
        return;
    m_musicViewVisible = false;
    m_musicLbl = m_songArr[row].toMap().value(QStringLiteral("name")).toString();
    emit stateChanged();
}

QVariantList AlarmNewViewController::daysOfWeek() const
{
    QVariantList out;
    for (bool on : m_days)
        out.append(on);
    return out;
}

QVariantList AlarmNewViewController::dayLabelHighlighted() const
{
    QVariantList out;
    for (bool on : m_highlighted)
        out.append(on);
    return out;
}

QStringList AlarmNewViewController::dayLBL() const
{
    QStringList names;
    // Sunday first, as the day indexes count.
    for (int day : {7, 1, 2, 3, 4, 5, 6})
        names << m_locale.standaloneDayName(day, QLocale::ShortFormat);
    return names;
}

QString AlarmNewViewController::image(const char *phone, const char *tablet) const
{
    return m_library + QLatin1Char('/') + QString::fromLatin1(m_tablet ? tablet : phone);
}

QString AlarmNewViewController::doneImage() const
{
    return image("1_done_62x25.png", "2_done_108x44.png");
}

QString AlarmNewViewController::changeImage() const
{
    return image("1_Change_button_53x25.png", "2_change_90x42.png");
}

QString AlarmNewViewController::dayPanelImage() const
{
    return image("1_calendar_enter_28x25.png", "2_drop_down_day_40x25.png");
}

QString AlarmNewViewController::dayOnImage() const
{
    return image("1_Check2_25x25.png", "2_day_on_42x42.png");
}

QString AlarmNewViewController::dayOffImage() const
{
    return image("1_Check2-off_25x25.png", "2_day_off_42x42.png");
}

QString AlarmNewViewController::labelColorImage() const
{
    return image("1_probnik.png", "2_probnik.png");
}
