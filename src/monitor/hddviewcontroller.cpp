// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/hddviewcontroller.h"

#include "monitor/activitymonitor.h"
#include "monitor/monitorfigures.h"

HDDViewController::HDDViewController(QString documents, bool tablet, QObject *parent)
    : QObject(parent), m_documents(std::move(documents)), m_tablet(tablet)
{
    connect(&m_nt, &QTimer::timeout, this, &HDDViewController::refresh);
    refresh();
}

void HDDViewController::refresh()
{
    const auto figures =
        monitorfigures::diskFigures(ActivityMonitor::getFreeDiskspace(m_documents.toStdString()));
    if (!figures)
        return;
    m_freeMem = figures->freeRing;
    m_UsedMeem = figures->usedRing;
    m_fleeLbl = QString::fromStdString(figures->freeText);
    m_usedLbl = QString::fromStdString(figures->usedText);
    m_usedPrLbl = QString::fromStdString(figures->usedGBText);
    m_freePRLbl = QString::fromStdString(figures->freeGBText);
    // The size is shown as it was when the screen opened.
    if (!m_loaded)
        m_total = QString::fromStdString(figures->totalGBText);
    m_loaded = true;
    emit figuresChanged();
}

void HDDViewController::setShown(bool shown)
{
    m_nt.setShown(shown);
}

void HDDViewController::goBAckAction()
{
    m_nt.leave();
    emit closeRequested();
}
