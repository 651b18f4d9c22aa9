// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/monthview.h"

#include "alerts/chargehistory.h"

#include <QFileInfo>
#include <QLocale>

MonthView::MonthView(bool tablet, std::function<QDate()> today,
                     std::function<QString(const QString &)> imageUrl, QObject *parent)
    : QObject(parent), m_tablet(tablet), m_geometry(monthmath::geometry(tablet)),
      m_today(std::move(today)), m_imageUrl(std::move(imageUrl))
{
    const QDate now = m_today();
    m_month = {now.year(), now.month()};
    m_resetTimer.setSingleShot(true);
    m_resetTimer.setInterval(kResetDelayMs);
    connect(&m_resetTimer, &QTimer::timeout, this, [this] {
        m_resetPending = false;
        reset();
    });
}

QString MonthView::markImageName(int color, bool tablet)
{
    QString name;
    switch (color) {
    case chargehistory::Charging:
        name = tablet ? QStringLiteral("2_green1_75x377.png") : QStringLiteral("1_img0.png");
        break;
    case chargehistory::Full:
        name = tablet ? QStringLiteral("2_green_2_75x377") : QStringLiteral("1_img000.png");
        break;
    default:
        name = tablet ? QStringLiteral("2_green3_75x377.png") : QStringLiteral("1_img00.png");
        break;
    }
    // One of the names comes without its suffix; the file on disk has it.
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".png");
    return name;
}

QString MonthView::title() const
{
    return QLocale().toString(currentMonth(), QStringLiteral("MMMM yyyy"));
}

QStringList MonthView::weekdayNames() const
{
    const QLocale locale;
    QStringList names;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        names << locale.dayName(day, QLocale::ShortFormat);
    return names;
}

QVariantList MonthView::days() const
{
    const int first = monthmath::firstWeekDayInMonth(m_month);
    QVariantList out;
    for (int day = 1; day <= monthmath::numDaysInMonth(m_month); ++day) {
        const monthmath::Cell c = monthmath::cellOfDay(day, first);
        out << QVariantMap{
            {QStringLiteral("day"), day},
            {QStringLiteral("x"), c.column * m_geometry.pitchX()},
            {QStringLiteral("y"), m_geometry.topBarHeight + c.row * m_geometry.pitchY()}};
    }
    return out;
}

QVariantList MonthView::marks() const
{
    const int first = monthmath::firstWeekDayInMonth(m_month);
    QVariantList out;
    for (qsizetype i = 0; i < m_markedDates.size(); ++i) {
        const monthmath::Cell c = monthmath::cellOfDay(m_markedDates[i], first);
        out << QVariantMap{
            {QStringLiteral("day"), m_markedDates[i]},
            {QStringLiteral("x"), c.column * m_geometry.pitchX()},
            {QStringLiteral("y"), m_geometry.topBarHeight + c.row * m_geometry.pitchY()},
            {QStringLiteral("image"), m_markedColors.value(i)}};
    }
    return out;
}

QVariantList MonthView::markedDates() const
{
    QVariantList out;
    for (int d : m_markedDates)
        out << d;
    return out;
}

int MonthView::selectedDay() const
{
    if (!m_selectedDate.isValid() || m_selectedDate.year() != m_month.year ||
        m_selectedDate.month() != m_month.month)
        return 0;
    return m_selectedDate.day();
}

int MonthView::todayDay() const
{
    const QDate now = m_today();
    return now.year() == m_month.year && now.month() == m_month.month ? now.day() : 0;
}

void MonthView::markDates(const QVariantList &records)
{
    const int days = monthmath::numDaysInMonth(m_month);
    m_markedDates.clear();
    m_markedColors.clear();
    for (const QVariant &entry : records) {
        const std::optional<chargehistory::DayRecord> r = chargehistory::fromVariant(entry);
        // A record of a day this month lacks (29 February of a common year, a hand-edited 0 or
        // 32) is counted by the screen but has no cell to fill.
        if (!r || r->date < 1 || r->date > days)
            continue;
        m_markedDates << r->date;
        m_markedColors << m_imageUrl(markImageName(r->color, m_tablet));
    }
    emit marksChanged();
}

void MonthView::clearMarks()
{
    if (m_markedDates.isEmpty() && m_markedColors.isEmpty())
        return;
    m_markedDates.clear();
    m_markedColors.clear();
    emit marksChanged();
}

void MonthView::tellMonth(bool animated)
{
    if (m_delegate)
        m_delegate->calendarViewSwitchedToMonth(this, m_month.month, viewHeight(), animated);
}

void MonthView::moveBy(int months, bool animated)
{
    clearMarks();
    m_month = monthmath::offsetMonth(m_month, months);
    emit monthChanged();
    emit selectionChanged();
    tellMonth(animated);
    if (animated)
        emit slide(months > 0 ? 1 : -1);
}

void MonthView::showNextMonth()
{
    moveBy(1, true);
}

void MonthView::showPreviousMonth()
{
    moveBy(-1, true);
}

void MonthView::reset()
{
    const QDate now = m_today();
    const monthmath::YearMonth present{now.year(), now.month()};
    if (present != m_month) {
        clearMarks();
        const bool forward = present.year * 12 + present.month > m_month.year * 12 + m_month.month;
        m_month = present;
        emit monthChanged();
        emit selectionChanged();
        tellMonth(true);
        emit slide(forward ? 1 : -1);
    }
    tellMonth(false);
}

void MonthView::selectDate(int day)
{
    const monthmath::Date d = monthmath::rollDay(m_month, day);
    m_selectedDate = QDate(d.year, d.month, d.day);
    const monthmath::YearMonth target{d.year, d.month};
    if (target != m_month)
        moveBy(target.year * 12 + target.month - (m_month.year * 12 + m_month.month), true);
    emit selectionChanged();
    if (m_delegate)
        m_delegate->calendarViewDateSelected(this, m_selectedDate);
}

void MonthView::touch(double x, double y)
{
    const monthmath::Touch t = monthmath::touchAt(x, y, m_geometry, m_month);
    switch (t.target) {
    case monthmath::TouchTarget::None:
        break;
    case monthmath::TouchTarget::Previous:
        showPreviousMonth();
        break;
    case monthmath::TouchTarget::Next:
        showNextMonth();
        break;
    case monthmath::TouchTarget::Title:
        // The present month may be the one shown: the marks come back when the delegate hears.
        clearMarks();
        reset();
        break;
    case monthmath::TouchTarget::Day:
        selectDate(t.day);
        break;
    }
}

void MonthView::setShown(bool shown)
{
    if (shown && m_resetPending)
        m_resetTimer.start();
    else if (!shown)
        m_resetTimer.stop();
}
