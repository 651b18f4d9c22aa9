// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/folders.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The battery-alert section of the alarm and alert settings screen: the switch for the
// charge-complete notification (swith1), the quiet-hours switch (swith2) with its start and end
// times, the time picker, the temperature-unit button and leaving the screen. Works on a copy of
// Alert.plist loaded when the screen is created; the file is written only when the screen is
// left, and then only with the entries changed here. It tells the screen that presented it (the
// clock screen or the settings menu) through its signals; a presenter connects those it serves.
class AlertSettings : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the alarm and alert settings screen")
    Q_PROPERTY(bool swith1 READ swith1 NOTIFY stateChanged)
    Q_PROPERTY(bool swith2 READ swith2 NOTIFY stateChanged)
    Q_PROPERTY(QString starLbl READ starLbl NOTIFY stateChanged)
    Q_PROPERTY(QString endLbl READ endLbl NOTIFY stateChanged)
    Q_PROPERTY(bool off READ off NOTIFY stateChanged)
    Q_PROPERTY(bool timePickerVisible READ timePickerVisible NOTIFY stateChanged)
    Q_PROPERTY(QTime pickerTime READ pickerTime NOTIFY stateChanged)
    Q_PROPERTY(int pickerHour READ pickerHour NOTIFY stateChanged)
    Q_PROPERTY(int pickerMinute READ pickerMinute NOTIFY stateChanged)
    Q_PROPERTY(bool weatherViewVisible READ weatherViewVisible NOTIFY stateChanged)
    Q_PROPERTY(QString tempFormatLbl READ tempFormatLbl NOTIFY stateChanged)
    Q_PROPERTY(QString CurLocation READ CurLocation NOTIFY stateChanged)
    Q_PROPERTY(QString switchOffImage READ switchOffImage CONSTANT)
    Q_PROPERTY(QString switchOnImage READ switchOnImage CONSTANT)
    Q_PROPERTY(QString offButtonImage READ offButtonImage CONSTANT)
    Q_PROPERTY(QString changeButtonImage READ changeButtonImage CONSTANT)
    Q_PROPERTY(QString backImage READ backImage CONSTANT)
    Q_PROPERTY(QString labelColorImage READ labelColorImage CONSTANT)
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    // tablet: the tablet image set; images are read from the Library folder.
    AlertSettings(Folders folders, bool tablet, QObject *parent = nullptr);

    QString globalfinalName() const;
    // The working copy: the file's array, or empty when there is no readable file.
    void initAlarmArray();
    const QVariantList &alarmArray() const { return m_alarmArray; }

    bool swith1() const { return m_swith1; }
    bool swith2() const { return m_swith2; }
    QString starLbl() const { return m_starLbl; }
    QString endLbl() const { return m_endLbl; }
    bool off() const { return m_off; }
    bool timePickerVisible() const { return m_timePickerVisible; }
    QTime pickerTime() const { return m_pickerTime; }
    int pickerHour() const { return m_pickerTime.hour(); }
    int pickerMinute() const { return m_pickerTime.minute(); }
    // The weather panel, opened and closed by currentLocationBtn (its selected state).
    bool weatherViewVisible() const { return m_weatherViewVisible; }
    QString tempFormatLbl() const { return m_tempFormatLbl; }
    QString CurLocation() const { return m_curLocation; }
    QString switchOffImage() const;
    QString switchOnImage() const;
    QString offButtonImage() const;
    QString changeButtonImage() const;
    QString backImage() const;
    QString labelColorImage() const;
    QString fontFamily() const { return QStringLiteral("DINMittelschriftStd"); }

    // swith1: flips "state" of the "notifyWhenComplete" entry.
    Q_INVOKABLE void notifyWhenComplete();
    // swith2: flips "state" of the "AlertsBetwwen" entry.
    Q_INVOKABLE void turnOffAlertsBetwwen();
    // Off1Btn / Off2Btn: the picker edits the start / the end; each press shows or hides it.
    Q_INVOKABLE void startOff();
    Q_INVOKABLE void endOff();
    // The picker's value: stored as "HH:mm" on the 24-hour clock under the edited end.
    Q_INVOKABLE void timeSelected(const QTime &time);
    // The same from the picker's hour and minute wheels, which know nothing of dates.
    Q_INVOKABLE void selectTime(int hour, int minute);
    // currentLocationBtn: opens or closes the weather panel.
    Q_INVOKABLE void ChangeLocation();
    // The weather panel is done.
    Q_INVOKABLE void hideWeatherview();
    // The weather cache was written: the city label shows its place, and the presenter (the
    // clock) reads the new forecast.
    Q_INVOKABLE void delay();
    // ChangeTempBTN: asks the presenter to switch the clock's unit (changeTempformat); a presenter
    // that has a clock answers with setCelsius.
    Q_INVOKABLE void ChangeFromCelsiusToFarengeit();
    // The unit the clock shows now, as its presenter answers a changeTempformat.
    void setCelsius(bool celsius);
    // BackBtn: saves, tells the presenter, and asks to be closed.
    Q_INVOKABLE void goBack();

signals:
    void stateChanged();
    void closeRequested();
    // The weather switch of the presenter's clock; never sent by this screen.
    void weatherIsOn(bool on);
    // The screen is going away, or the weather cache was written: the clock re-reads it.
    void update();
    // ChangeTempBTN: the clock switches its temperature unit.
    void changeTempformat();
    // Leaving the screen: the navigation wheel shows again.
    void unhideWheel();

private:
    void showEntries();
    void readCity();
    bool flip(const QString &type);
    static qsizetype indexOfType(const QVariantList &list, const QString &type);
    QString image(const char *phone, const char *tablet) const;
    bool save();

    Folders m_folders;
    bool m_tablet = false;
    QVariantList m_alarmArray;
    // The entries as loaded (or last saved), to tell which ones this screen changed.
    QVariantList m_loaded;
    bool m_swith1 = false;
    bool m_swith2 = false;
    QString m_starLbl = QStringLiteral("00:00");
    QString m_endLbl = QStringLiteral("00:00");
    bool m_off = true;
    bool m_timePickerVisible = false;
    QTime m_pickerTime{0, 0};
    bool m_weatherViewVisible = false;
    QString m_tempFormatLbl = tr("Celsius");
    QString m_curLocation;
};
