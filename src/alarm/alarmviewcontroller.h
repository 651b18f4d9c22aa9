// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarmstore.h"
#include "platform/folders.h"
#include "platform/objectlist.h"

#include <QColor>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QSize>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

#include <functional>

class AlarmCell;
class AlarmNewViewController;
class AlertSettings;
class UserDefaults;
class WeatherViewController;

// The alarm and alert settings screen: the alarm list with its one editor, and the battery-alert
// section (alertSettings). Presented by the clock screen and by the settings menu, which connect
// the signals of the battery-alert section they serve (repeated here).
class AlarmViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("alarm/alarmnewviewcontroller.h")
    Q_MOC_INCLUDE("alerts/alertsettings.h")
    Q_MOC_INCLUDE("weather/weatherviewcontroller.h")
    QML_UNCREATABLE("Presented by the clock screen and the settings menu")
    Q_PROPERTY(QVariantList cells READ cellsForViews NOTIFY tableReloaded)
    Q_PROPERTY(int rowCount READ numberOfRows NOTIFY tableReloaded)
    Q_PROPERTY(AlarmNewViewController *alarm READ alarm CONSTANT)
    Q_PROPERTY(AlertSettings *alertSettings READ alertSettings CONSTANT)
    Q_PROPERTY(WeatherViewController *weather READ WeatherController CONSTANT)
    Q_PROPERTY(QString addBtnImage READ addBtnImage CONSTANT)
    Q_PROPERTY(QSize scrollContentSize READ scrollContentSize CONSTANT)
    Q_PROPERTY(QColor tintColor READ tintColor CONSTANT)

public:
    enum EditingStyle { EditingStyleNone, EditingStyleDelete, EditingStyleInsert };
    Q_ENUM(EditingStyle)

    AlarmViewController(UserDefaults &defaults, Folders folders, bool tablet,
                        std::function<QDateTime()> now = &QDateTime::currentDateTime,
                        QObject *parent = nullptr);
    ~AlarmViewController() override;

    void setLocale(const QLocale &locale);
    void setTimeZone(const QTimeZone &zone);

    AlarmNewViewController *alarm() const { return m_alarm; }
    AlertSettings *alertSettings() const { return m_alertSettings; }
    // The weather panel, opened by the location button of the weather section.
    WeatherViewController *WeatherController() const { return m_weather; }
    // Whether positioning is available (the system's answer unless set).
    void setLocationServicesEnabled(std::function<bool()> enabled);
    QString addBtnImage() const;
    QSize scrollContentSize() const { return m_tablet ? QSize(320, 1024) : QSize(320, 568); }
    // The colour of the highlight pattern (the times, the chosen days, the sound), which
    // follows the user's tint.
    QColor tintColor() const { return m_tintColor; }

    // The list, read afresh from the store.
    Q_INVOKABLE int numberOfRows() const { return m_store.count(); }
    Q_INVOKABLE AlarmCell *cellForRow(int row);
    QList<QObject *> cells() const;
    QVariantList cellsForViews() const { return objectList(cells()); }

    // addBtn: the editor, shown for a new alarm.
    Q_INVOKABLE void addNewAlarm();
    Q_INVOKABLE void viewDidAppear() { reloadData(); }
    // Swipe-to-delete; other styles do nothing.
    Q_INVOKABLE void commitEditingStyle(int style, int row);
    // A row switch's touch-up-inside; tag is the row.
    Q_INVOKABLE void onOffAlarm(int tag);
    // BackBtn.
    Q_INVOKABLE void goBack();

signals:
    void tableReloaded();
    void closeRequested();
    // Those of the battery-alert section, for the presenter.
    void weatherIsOn(bool on);
    void update();
    void changeTempformat();
    void unhideWheel();

private:
    void reloadData();
    QString timeText(const QVariantMap &record) const;

    AlarmStore m_store;
    Folders m_folders;
    bool m_tablet = false;
    QLocale m_locale;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QColor m_tintColor;
    AlarmNewViewController *m_alarm = nullptr;
    AlertSettings *m_alertSettings = nullptr;
    WeatherViewController *m_weather = nullptr;
    // Reused from one reload to the next, as table cells are.
    QList<AlarmCell *> m_cells;
};
