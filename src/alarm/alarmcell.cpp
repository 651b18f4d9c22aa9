// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmcell.h"

AlarmCell::AlarmCell(QString library, bool tablet, QObject *parent)
    : QObject(parent), m_library(std::move(library)), m_tablet(tablet)
{
}

QString AlarmCell::switchImage() const
{
    const char *name = m_tablet
                           ? (m_selected ? "2_switch_on_112x63.png" : "2_switch_off_112x63.png")
                           : (m_selected ? "1_switch-on_88x55.png" : "1_switch-off_88x55.png");
    return m_library + QLatin1Char('/') + QString::fromLatin1(name);
}

QString AlarmCell::timeColorImage() const
{
    return m_library +
           (m_tablet ? QStringLiteral("/2_probnik.png") : QStringLiteral("/1_probnik.png"));
}

void AlarmCell::fill(const QString &time, int tag, bool selected)
{
    m_timeLbl = time;
    m_tag = tag;
    m_selected = selected;
    emit cellChanged();
}

void AlarmCell::setSwitchSelected(bool selected)
{
    m_selected = selected;
    emit cellChanged();
}
