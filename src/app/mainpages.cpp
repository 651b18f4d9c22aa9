// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainpages.h"

#include "alerts/calendarviewcontroller.h"
#include "alerts/carchingviewcontroller.h"
#include "alerts/chargehistorystore.h"
#include "alerts/settingsviewcontroller.h"
#include "app/viewcontroller.h"
#include "appearance/tipsviewcontroller.h"
#include "battery/bottomcontroller.h"
#include "core/appstate.h"
#include "monitor/sysmonitorcontroller.h"

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

MainPages::MainPages(ViewController &main, AppState &app, bool tablet, int screenHeight)
    : m_main(main), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight)
{
    m_pageTimer.setSingleShot(true);
    m_pageTimer.setInterval(0);
    connect(&m_pageTimer, &QTimer::timeout, this, &MainPages::createNextDeferredPage);
}

namespace {

// Building pages leaves freed memory behind in the allocator (the pictures' decoding, the
// views' compilation); once the pages wanted are there it goes back to the system.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

void MainPages::createPage(int page)
{
    if (page < 0 || page >= navigation::kPageCount || isPageCreated(page) || m_stopped)
        return;
    ViewController *main = &m_main;
    if (page == 0)
        setPage(page, new TipsViewController(m_app, m_tablet, main), "Tips");
    if (page == 1) {
        auto *calendar = new CalendarViewController(m_app, m_tablet, main);
        // The history's records may still be on their way to the file when the page shows.
        calendar->setRecentHistory(
            [this] { return m_history ? m_history->calendarArr() : QVariantList(); });
        setPage(page, calendar, "Calendar");
    }
    if (page == 2) {
        // The location service is asked once the first frame is out: its plugin is nothing
        // that frame needs.
        auto *bottom = new BottomController(
            m_app, m_tablet, m_screenHeight,
            [main, located = m_app.platform().locationServicesEnabled] {
                return main->firstFrameShown() && located && located();
            },
            main);
        bottom->setDelegate(main);
        m_bottomController = bottom;
        setPage(page, bottom, "BottomPanel");
        if (m_lastLevel)
            bottom->updateInfoFromBAttery(*m_lastLevel);
    } else if (page == 3) {
        auto *charging = new CarchingViewController(m_app, m_tablet, m_screenHeight, main);
        // The sleep button opens the clock.
        connect(charging, &CarchingViewController::showBudillinik, main, [main, charging] {
            if (main->showClock())
                charging->screenPresented();
        });
        setPage(page, charging, "Charging");
        // Made after the gauge's last reading: it starts from that, not from nothing.
        if (m_lastLevel) {
            charging->updateInfoFromBAttery(*m_lastLevel);
            charging->updateImagePosition(*m_lastLevel);
        }
    } else if (page == 4) {
        auto *settings = new SettingsViewController(m_app, m_tablet, m_screenHeight, {}, main);
        const auto answer = [main, settings](void (SettingsViewController::*request)(),
                                             bool (ViewController::*show)()) {
            connect(settings, request, main, [main, settings, show] {
                if ((main->*show)())
                    settings->screenPresented();
            });
        };
        answer(&SettingsViewController::showDeviceInfo, &ViewController::showDeviceInfo);
        answer(&SettingsViewController::showHealth, &ViewController::showHealth);
        answer(&SettingsViewController::showAlarms, &ViewController::showAlarms);
        answer(&SettingsViewController::showChangeColor, &ViewController::showChangeColor);
        connect(settings, &SettingsViewController::unhideWheel, main, &ViewController::unhideWheel);
        setPage(page, settings, "Settings");
    }
    if (page == 5) {
        const Platform &p = m_app.platform();
        auto *monitor = new sysMonitorController(p.roots, p.folders.documents, &p.notifications,
                                                 m_tablet, m_screenHeight, main);
        monitor->setDelegate(main);
        // With motion reduced the gauges refresh less often.
        const auto slowdown = [monitor](bool reduced) {
            monitor->setRefreshSlowdown(reduced ? motion::kRefreshSlowdown : 1);
        };
        slowdown(m_app.motion().reduced());
        connect(&m_app.motion(), &MotionPolicy::reducedChanged, monitor, slowdown);
        setPage(page, monitor, "SysMonitor");
    }
    // The view of the page follows the flag (the main screen's QML loads it).
    m_createdPages |= 1 << page;
    emit createdPagesChanged();
}

void MainPages::setPage(int page, QObject *controller, const char *view)
{
    m_pages[page] = controller;
    m_pageViews[page] = view;
}

QObject *MainPages::pageController(int page) const
{
    return page >= 0 && page < navigation::kPageCount ? m_pages[page] : nullptr;
}

QString MainPages::pageViewName(int page) const
{
    if (page < 0 || page >= navigation::kPageCount || !m_pageViews[page])
        return {};
    return QString::fromLatin1(m_pageViews[page]);
}

void MainPages::wantPagesAround(int from, int to)
{
    const int low = std::max(0, std::min(from, to) - 1);
    const int high = std::min(navigation::kPageCount - 1, std::max(from, to) + 1);
    for (int page = low; page <= high; ++page)
        m_wantedPages |= 1 << page;
}

void MainPages::createDeferredPages()
{
    if ((m_wantedPages & ~m_createdPages) != 0 && !m_stopped)
        m_pageTimer.start();
}

void MainPages::createNextDeferredPage()
{
    for (int page = 0; page < navigation::kPageCount; ++page) {
        if ((m_wantedPages & (1 << page)) && !isPageCreated(page)) {
            createPage(page);
            break;
        }
    }
    if ((m_wantedPages & ~m_createdPages) == 0)
        returnFreedMemory();
    createDeferredPages();
}

void MainPages::createAllPages()
{
    m_pageTimer.stop();
    for (int page = 0; page < navigation::kPageCount; ++page)
        createPage(page);
}

void MainPages::stop()
{
    m_stopped = true;
    m_pageTimer.stop();
}

void MainPages::currentLevel(float percent)
{
    // The summary panel and the charging monitor both take the reading in this same call.
    m_lastLevel = percent;
    if (m_bottomController)
        m_bottomController->updateInfoFromBAttery(percent);
    if (auto *charging =
            qobject_cast<CarchingViewController *>(m_pages[ViewController::kChargingPage])) {
        charging->updateInfoFromBAttery(percent);
        charging->updateImagePosition(percent);
    }
}
