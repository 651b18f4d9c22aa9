// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/calendarviewcontroller.h"

#include "alerts/chargehistory.h"
#include "alerts/upowerhistory.h"
#include "core/appstate.h"
#include "platform/plist.h"

CalendarViewController::CalendarViewController(AppState &app, bool tablet, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet),
      m_now([] { return QDateTime::currentDateTime(); }), m_zone(QTimeZone::systemTimeZone()),
      m_monthView(
          tablet, [this] { return today(); },
          [&app](const QString &name) { return app.libraryImage(name); }, this)
{
    m_monthView.setDelegate(this);
    m_monthViewHeight = m_monthView.viewHeight();
    viewDidLoad();
}

CalendarViewController::~CalendarViewController()
{
    m_monthView.setDelegate(nullptr);
}

void CalendarViewController::setClock(std::function<QDateTime()> now, QTimeZone zone)
{
    m_now = std::move(now);
    m_zone = std::move(zone);
    // The month shown was taken from the clock the page was made with.
    m_monthView.reset();
}

QDate CalendarViewController::today() const
{
    return m_now().toTimeZone(m_zone).date();
}

QString CalendarViewController::bottomImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_indicator_553x136.png")
                                       : QStringLiteral("1_indicator copy.png"));
}

QString CalendarViewController::setkaImage() const
{
    return m_app.libraryImage(m_tablet ? QStringLiteral("2_setka_768x626.png")
                                       : QStringLiteral("1_calendar-over-1.png"));
}

QVariantList CalendarViewController::monthList(int month) const
{
    return month >= 1 && month <= 12 ? m_monthLists[month - 1] : QVariantList();
}

QVariantList CalendarViewController::readOwnHistory() const
{
    const QString path = m_app.folders().documents + QStringLiteral("/calendar.plist");
    const plist::ReadResult result = plist::readFile(path, plist::Shape::Array);
    const QVariantList stored = result.ok() ? result.value.toList() : QVariantList();
    return m_recent ? chargehistory::merged(stored, m_recent()) : stored;
}

void CalendarViewController::viewDidLoad()
{
    fill(readOwnHistory());
}

void CalendarViewController::fill(const QVariantList &own)
{
    m_calendarArr = chargehistory::merged(own, m_imported);

    for (QVariantList &list : m_monthLists)
        list.clear();
    m_full = m_partial = m_over = 0;
    for (const QVariant &entry : std::as_const(m_calendarArr)) {
        const std::optional<chargehistory::DayRecord> r = chargehistory::fromVariant(entry);
        if (!r)
            continue;
        if (r->color == chargehistory::Charging)
            ++m_partial;
        else if (r->color == chargehistory::Full)
            ++m_full;
        else if (r->color == chargehistory::Low)
            ++m_over;
        if (r->month >= 1 && r->month <= 12)
            m_monthLists[r->month - 1] << entry;
    }
    emit countsChanged();
}

void CalendarViewController::setShown(bool shown)
{
    if (shown) {
        const QVariantList own = readOwnHistory();
        if (!m_importChecked) {
            m_importChecked = true;
            const SystemRoots &roots = m_app.platform().roots;
            m_imported = upowerhistory::importOnce(roots.upowerHistory, systemBatteries(roots),
                                                   m_app.folders().documents, own, m_now(), m_zone,
                                                   &m_app.recordWriter());
        }
        fill(own);
        m_monthView.markDates(monthList(m_monthView.month()));
    }
    m_monthView.setShown(shown);
}

void CalendarViewController::calendarViewSwitchedToMonth(MonthView *view, int month,
                                                         double targetHeight, bool)
{
    if (targetHeight != m_monthViewHeight) {
        m_monthViewHeight = targetHeight;
        emit monthViewHeightChanged();
    }
    if (month >= 1 && month <= 12)
        view->markDates(monthList(month));
}

void CalendarViewController::calendarViewDateSelected(MonthView *, const QDate &)
{
    // Noted by the month view; nothing else changes.
}
