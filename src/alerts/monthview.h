// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/monthmath.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>

class MonthView;

// What the month view tells the screen it sits on.
class MonthViewDelegate
{
public:
    virtual ~MonthViewDelegate() = default;
    // Another month is shown (1 to 12); targetHeight is the view's height for it.
    virtual void calendarViewSwitchedToMonth(MonthView *view, int month, double targetHeight,
                                             bool animated) = 0;
    virtual void calendarViewDateSelected(MonthView *view, const QDate &date) = 0;

protected:
    MonthViewDelegate() = default;
    MonthViewDelegate(const MonthViewDelegate &) = default;
    MonthViewDelegate &operator=(const MonthViewDelegate &) = default;
};

// One month of the charge calendar: a title bar with the month's name, arrows to the neighbouring
// months and the weekday names (Monday first), and a grid of the days, some filled with the
// colour of a charge event. Geometry is in the view's points; the view draws what the properties
// say and slides a new month in when `slide` is emitted.
class MonthView : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Part of the calendar page")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(QString title READ title NOTIFY monthChanged)
    Q_PROPERTY(QStringList weekdayNames READ weekdayNames CONSTANT)
    Q_PROPERTY(int year READ year NOTIFY monthChanged)
    Q_PROPERTY(int month READ month NOTIFY monthChanged)
    Q_PROPERTY(int rows READ rows NOTIFY monthChanged)
    Q_PROPERTY(double viewHeight READ viewHeight NOTIFY monthChanged)
    Q_PROPERTY(double viewWidth READ viewWidth CONSTANT)
    Q_PROPERTY(double topBarHeight READ topBarHeight CONSTANT)
    Q_PROPERTY(double weekdayBarHeight READ weekdayBarHeight CONSTANT)
    Q_PROPERTY(double arrowWidth READ arrowWidth CONSTANT)
    Q_PROPERTY(double cellWidth READ cellWidth CONSTANT)
    Q_PROPERTY(double cellHeight READ cellHeight CONSTANT)
    Q_PROPERTY(double pitchX READ pitchX CONSTANT)
    Q_PROPERTY(double pitchY READ pitchY CONSTANT)
    Q_PROPERTY(QVariantList days READ days NOTIFY monthChanged)
    Q_PROPERTY(QVariantList marks READ marks NOTIFY marksChanged)
    Q_PROPERTY(QVariantList markedDates READ markedDates NOTIFY marksChanged)
    Q_PROPERTY(QStringList markedColors READ markedColors NOTIFY marksChanged)
    Q_PROPERTY(QDate selectedDate READ selectedDate NOTIFY selectionChanged)
    Q_PROPERTY(int selectedDay READ selectedDay NOTIFY selectionChanged)
    Q_PROPERTY(int todayDay READ todayDay NOTIFY monthChanged)
    Q_PROPERTY(int slideMs READ slideMs CONSTANT)

public:
    static constexpr int kSlideMs = 350;
    static constexpr int kResetDelayMs = 100;

    // today gives the local date; imageUrl turns an image name of the Library folder into a URL.
    MonthView(bool tablet, std::function<QDate()> today,
              std::function<QString(const QString &)> imageUrl, QObject *parent = nullptr);

    // Not owned; must outlive the view or be cleared first.
    void setDelegate(MonthViewDelegate *delegate) { m_delegate = delegate; }

    // The image that fills a day of a record's "Color": charging, full, or anything else (low).
    static QString markImageName(int color, bool tablet);

    bool isTablet() const { return m_tablet; }
    QDate currentMonth() const { return QDate(m_month.year, m_month.month, 1); }
    monthmath::YearMonth yearMonth() const { return m_month; }
    QString title() const;
    QStringList weekdayNames() const;
    int year() const { return m_month.year; }
    int month() const { return m_month.month; }
    int rows() const { return monthmath::rowsInMonth(m_month); }
    double viewHeight() const { return m_geometry.heightForRows(rows()); }
    double viewWidth() const { return m_geometry.viewWidth; }
    double topBarHeight() const { return m_geometry.topBarHeight; }
    double weekdayBarHeight() const { return m_geometry.weekdayBarHeight; }
    double arrowWidth() const { return m_geometry.arrowWidth; }
    double cellWidth() const { return m_geometry.cellWidth; }
    double cellHeight() const { return m_geometry.cellHeight; }
    double pitchX() const { return m_geometry.pitchX(); }
    double pitchY() const { return m_geometry.pitchY(); }
    const monthmath::Geometry &geometry() const { return m_geometry; }
    // The month's days, {"day", "x", "y"}, in day order.
    QVariantList days() const;
    // The filled cells, {"day", "x", "y", "image"}, in drawing order (a later one lies on top).
    QVariantList marks() const;
    QVariantList markedDates() const;
    QStringList markedColors() const { return m_markedColors; }
    QDate selectedDate() const { return m_selectedDate; }
    // The selected day when it lies in the month shown, else 0.
    int selectedDay() const;
    // Today's day when today lies in the month shown, else 0.
    int todayDay() const;
    int slideMs() const { return kSlideMs; }

    // Marks the days of these records (dictionaries with "Date" and "Color") in the month shown;
    // a day the month does not have is left unmarked.
    Q_INVOKABLE void markDates(const QVariantList &records);
    // Selects a day of the month shown; a number outside it selects a day of the neighbouring
    // month, which is then shown.
    Q_INVOKABLE void selectDate(int day);
    // Back to the present month.
    Q_INVOKABLE void reset();
    Q_INVOKABLE void showNextMonth();
    Q_INVOKABLE void showPreviousMonth();
    // A tap on the view, in its points.
    Q_INVOKABLE void touch(double x, double y);

    // The view resets itself to the present month shortly after it first shows.
    void setShown(bool shown);
    QTimer &resetTimer() { return m_resetTimer; }

signals:
    void monthChanged();
    void marksChanged();
    void selectionChanged();
    // A new month slides in: +1 from the right (next), -1 from the left (previous).
    void slide(int direction);

private:
    void clearMarks();
    void moveBy(int months, bool animated);
    void tellMonth(bool animated);

    bool m_tablet;
    monthmath::Geometry m_geometry;
    std::function<QDate()> m_today;
    std::function<QString(const QString &)> m_imageUrl;
    MonthViewDelegate *m_delegate = nullptr;
    monthmath::YearMonth m_month;
    QList<int> m_markedDates;
    QStringList m_markedColors;
    QDate m_selectedDate;
    QTimer m_resetTimer;
    bool m_resetPending = true;
};
