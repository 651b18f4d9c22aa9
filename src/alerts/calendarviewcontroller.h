// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/monthview.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <array>
#include <functional>

class AppState;

// The charge calendar page: a month with its days filled by charge event (charging, full, below
// 6 %) and the totals of each event. The history comes from "calendar.plist", read afresh each
// time the page is shown (another running copy may have added to it), together with the records
// this run has taken and not yet written; UPower's own history of the past week or so is added
// the first time.
class CalendarViewController : public QObject, public MonthViewDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A page of the main screen")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QString fullLbl READ fullLbl NOTIFY countsChanged)
    Q_PROPERTY(QString partialLbl READ partialLbl NOTIFY countsChanged)
    Q_PROPERTY(QString OverLbl READ overLbl NOTIFY countsChanged)
    Q_PROPERTY(QString bottomIMG READ bottomImage CONSTANT)
    Q_PROPERTY(QString setka READ setkaImage CONSTANT)
    Q_PROPERTY(MonthView *monthView READ monthView CONSTANT)
    Q_PROPERTY(double monthViewX READ monthViewX CONSTANT)
    Q_PROPERTY(double monthViewY READ monthViewY CONSTANT)
    Q_PROPERTY(double monthViewHeight READ monthViewHeight NOTIFY monthViewHeightChanged)
    Q_PROPERTY(int importedCount READ importedCount NOTIFY countsChanged)

public:
    CalendarViewController(AppState &app, bool tablet, QObject *parent = nullptr);
    ~CalendarViewController() override;

    // Where "now" comes from (tests fix it); also the month view's today.
    void setClock(std::function<QDateTime()> now, QTimeZone zone);

    bool isTablet() const { return m_tablet; }
    QString fullLbl() const { return QString::asprintf("%d", m_full); }
    QString partialLbl() const { return QString::asprintf("%d", m_partial); }
    QString overLbl() const { return QString::asprintf("%d", m_over); }
    QString bottomImage() const;
    QString setkaImage() const;
    MonthView *monthView() { return &m_monthView; }
    double monthViewX() const { return m_tablet ? 18 : 0; }
    double monthViewY() const { return m_tablet ? 83 : 47; }
    double monthViewHeight() const { return m_monthViewHeight; }
    // Records taken from UPower's history that Powerdeck had not recorded itself.
    int importedCount() const { return int(m_imported.size()); }

    // The records shown: Powerdeck's own, then the imported ones it lacks.
    const QVariantList &calendarArr() const { return m_calendarArr; }
    // The records of a month, 1 to 12.
    QVariantList monthList(int month) const;

    // The history this run holds in memory (the wheel's), which may be newer than the file.
    void setRecentHistory(std::function<QVariantList()> recent) { m_recent = std::move(recent); }

    // Reads the history and fills the counts and the month lists.
    void viewDidLoad();
    // Shown: the history is read again and the month shown marked with it.
    Q_INVOKABLE void setShown(bool shown);

    void calendarViewSwitchedToMonth(MonthView *view, int month, double targetHeight,
                                     bool animated) override;
    void calendarViewDateSelected(MonthView *view, const QDate &date) override;

signals:
    void countsChanged();
    void monthViewHeightChanged();

private:
    QDate today() const;
    // The file's records, then the recent ones it lacks.
    QVariantList readOwnHistory() const;
    void fill(const QVariantList &own);

    AppState &m_app;
    bool m_tablet;
    std::function<QDateTime()> m_now;
    QTimeZone m_zone;
    std::function<QVariantList()> m_recent;
    MonthView m_monthView;
    QVariantList m_calendarArr;
    QVariantList m_imported;
    bool m_importChecked = false;
    // JanARR ... DecARR.
    std::array<QVariantList, 12> m_monthLists;
    int m_full = 0;
    int m_partial = 0;
    int m_over = 0;
    double m_monthViewHeight = 0;
};
