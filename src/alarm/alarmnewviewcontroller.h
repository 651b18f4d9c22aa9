// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarmstore.h"
#include "platform/objectlist.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

#include <array>
#include <functional>

class MusicCell;

// The alarm editor: a date-and-time picker, the seven day buttons, the vibration toggle and the
// sound list. One editor serves every new alarm of an alarm screen, so its choices stay from one
// use to the next; each save appends one record to the store.
class AlarmNewViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the alarm screen")
    Q_PROPERTY(bool novii READ novii WRITE setNovii NOTIFY stateChanged)
    Q_PROPERTY(bool shown READ shown NOTIFY stateChanged)
    Q_PROPERTY(bool vibrating READ vibrating NOTIFY stateChanged)
    Q_PROPERTY(QString vibratingStateLabel READ vibratingStateLabel NOTIFY stateChanged)
    Q_PROPERTY(QString musicLbl READ musicLbl NOTIFY stateChanged)
    Q_PROPERTY(QString timeLabel READ timeLabel NOTIFY stateChanged)
    Q_PROPERTY(QDateTime date READ date NOTIFY stateChanged)
    Q_PROPERTY(QStringList pickerDays READ pickerDays NOTIFY pickerDaysChanged)
    Q_PROPERTY(int pickerDayIndex READ pickerDayIndex NOTIFY stateChanged)
    Q_PROPERTY(int pickerHour READ pickerHour NOTIFY stateChanged)
    Q_PROPERTY(int pickerMinute READ pickerMinute NOTIFY stateChanged)
    Q_PROPERTY(QVariantList daysOfWeek READ daysOfWeek NOTIFY stateChanged)
    Q_PROPERTY(QVariantList dayLabelHighlighted READ dayLabelHighlighted NOTIFY stateChanged)
    Q_PROPERTY(QStringList dayLBL READ dayLBL CONSTANT)
    Q_PROPERTY(bool dayViewVisible READ dayViewVisible NOTIFY stateChanged)
    Q_PROPERTY(bool musicViewVisible READ musicViewVisible NOTIFY stateChanged)
    Q_PROPERTY(bool removeAlarmEnabled READ removeAlarmEnabled NOTIFY stateChanged)
    Q_PROPERTY(QVariantList songArr READ songArr NOTIFY songsChanged)
    Q_PROPERTY(QVariantList musicCells READ musicCellsForViews NOTIFY songsChanged)
    Q_PROPERTY(int pickerHeight READ pickerHeight CONSTANT)
    Q_PROPERTY(QString pickerBackground READ pickerBackground CONSTANT)
    Q_PROPERTY(QString doneImage READ doneImage CONSTANT)
    Q_PROPERTY(QString changeImage READ changeImage CONSTANT)
    Q_PROPERTY(QString dayPanelImage READ dayPanelImage CONSTANT)
    Q_PROPERTY(QString dayOnImage READ dayOnImage CONSTANT)
    Q_PROPERTY(QString dayOffImage READ dayOffImage CONSTANT)
    Q_PROPERTY(QString labelColorImage READ labelColorImage CONSTANT)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    static inline const QString kNoSound = QStringLiteral("Default");
    // The picker's day wheel: the first day it shows and how many days follow.
    static constexpr int kPickerDays = 366;

    // resources: searched for the "caf" sounds; library: the interface images.
    AlarmNewViewController(AlarmStore store, QString resources, QString library, bool tablet,
                           std::function<QDateTime()> now = &QDateTime::currentDateTime,
                           QObject *parent = nullptr);

    // The locale and zone of the texts (tests fix them; the application keeps the system's).
    void setLocale(const QLocale &locale);
    void setTimeZone(const QTimeZone &zone);

    // Every file below the folder whose extension is exactly `extension`, as
    // {"path": folder/relative, "name": relative}, in name order.
    static QVariantList recursivePathsForResourcesOfType(const QString &extension,
                                                         const QString &folder);

    bool novii() const { return m_novii; }
    void setNovii(bool on);
    bool shown() const { return m_shown; }
    bool vibrating() const { return m_vibrating; }
    QString vibratingStateLabel() const { return m_vibratingStateLabel; }
    // The chosen sound; the record stores kNoSound as it is, the editor shows it translated.
    QString musicLbl() const { return m_musicLbl == kNoSound ? tr("Default") : m_musicLbl; }
    QString timeLabel() const { return m_timeLabel; }
    QDateTime date() const { return m_date; }
    // The date-and-time picker as three wheels: a day (0 is the day the editor was made, shown
    // as "Today"), the hour and the minute of the picker's date in the editor's zone.
    QStringList pickerDays() const;
    int pickerDayIndex() const;
    int pickerHour() const { return m_date.toTimeZone(m_zone).time().hour(); }
    int pickerMinute() const { return m_date.toTimeZone(m_zone).time().minute(); }
    QVariantList daysOfWeek() const;
    QVariantList dayLabelHighlighted() const;
    QStringList dayLBL() const;
    bool dayViewVisible() const { return m_dayViewVisible; }
    bool musicViewVisible() const { return m_musicViewVisible; }
    bool removeAlarmEnabled() const { return m_removeAlarmEnabled; }
    QVariantList songArr() const { return m_songArr; }
    QList<QObject *> musicCells() const;
    QVariantList musicCellsForViews() const { return objectList(musicCells()); }
    int pickerHeight() const { return 191; }
    QString pickerBackground() const { return QStringLiteral("black"); }
    QString doneImage() const;
    QString changeImage() const;
    QString dayPanelImage() const;
    QString dayOnImage() const;
    QString dayOffImage() const;
    QString labelColorImage() const;
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }

    // Shows the editor; the first showing loads it (sound list, vibration off).
    void show();

    Q_INVOKABLE void save();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void removeAlarmAction();
    // vibrating: flips the toggle; the label says "Yes" or "No".
    Q_INVOKABLE void toggleVibrating();
    // daysOfWeek: (0 Sunday ... 6 Saturday) flips that day button.
    Q_INVOKABLE void toggleDay(int index);
    Q_INVOKABLE void addDayView();
    Q_INVOKABLE void removeDAyView();
    Q_INVOKABLE void selectMusic();
    // The picker's value-changed action.
    Q_INVOKABLE void valueChanged(const QDateTime &date);
    // The wheels' value: that day of the day wheel at hour:minute in the editor's zone.
    Q_INVOKABLE void pickDate(int dayIndex, int hour, int minute);
    // The sound table: a chosen row closes the panel and names the sound.
    Q_INVOKABLE int numberOfRows() const { return int(m_songArr.size()); }
    Q_INVOKABLE QObject *cellForRow(int row);
    Q_INVOKABLE void didSelectRow(int row);

signals:
    void stateChanged();
    void songsChanged();
    void pickerDaysChanged();
    // An alarm was saved: the list reads the store again.
    void refreshTable();

private:
    void viewDidLoad();
    void close();
    QString formatDate(const QDateTime &date) const;
    QString image(const char *phone, const char *tablet) const;

    AlarmStore m_store;
    QString m_resources;
    QString m_library;
    bool m_tablet = false;
    std::function<QDateTime()> m_now;
    QLocale m_locale;
    QTimeZone m_zone = QTimeZone::systemTimeZone();

    bool m_loaded = false;
    bool m_novii = false;
    bool m_shown = false;
    bool m_vibrating = false;
    QString m_vibratingStateLabel = tr("No");
    QString m_musicLbl = kNoSound;
    QDateTime m_date;
    QDate m_firstPickerDay;
    QString m_timeLabel;
    std::array<bool, 7> m_days{};
    std::array<bool, 7> m_highlighted{};
    bool m_dayViewVisible = false;
    bool m_musicViewVisible = false;
    bool m_removeAlarmEnabled = false;
    QVariantList m_songArr;
    QList<MusicCell *> m_musicCells;
};
