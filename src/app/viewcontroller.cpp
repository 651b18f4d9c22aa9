// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "alarm/alarmviewcontroller.h"
#include "alerts/calendarviewcontroller.h"
#include "alerts/carchingviewcontroller.h"
#include "alerts/chargehistorystore.h"
#include "alerts/settingsviewcontroller.h"
#include "appearance/tipsviewcontroller.h"
#include "battery/detailsviewcontroller.h"
#include "core/appstate.h"
#include "device/deviceproprietes.h"
#include "device/devicespectable.h"
#include "monitor/reachability.h"
#include "monitor/sysmonitorcontroller.h"
#include "platform/kernelidentity.h"
#include "platform/notificationcenter.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>

ViewController::ViewController(AppState &app, bool tablet, int screenHeight, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet),
      m_screenHeight(screenHeight), m_drawer{double(screenHeight), tablet}
{
    // The drawer starts open, where releasing it upwards brings it back to.
    m_wheelTop = m_drawer.openTop();

    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP1.5"), this,
                                               [this](const QVariant &) { restart(); });

    m_reachability = Reachability::reachabilityForInternetConnection(m_app.platform().roots);
    m_reachability->startNotifier(&m_app.platform().notifications);

    m_mainTimer.setInterval(kMonitorIntervalMs);
    connect(&m_mainTimer, &QTimer::timeout, this, &ViewController::monitor);
    m_mainTimer.start();

    m_nT.setInterval(kSnapIntervalMs);
    m_nT.setTimerType(Qt::PreciseTimer);
    connect(&m_nT, &QTimer::timeout, this, [this] { m_snappingUp ? goUp() : goDown(); });

    m_pageTimer.setSingleShot(true);
    m_pageTimer.setInterval(0);
    connect(&m_pageTimer, &QTimer::timeout, this, &ViewController::createNextDeferredPage);

    addComponentsOnLoad();
    // The status buttons show the network at once rather than after the first poll.
    monitor();
    gotoView(kFirstPage);
}

ViewController::~ViewController()
{
    m_app.platform().notifications.removeObservers(this);
}

AppState *ViewController::appObject() const
{
    return &m_app;
}

QStringList ViewController::pageTitles() const
{
    return {tr("Tips"),     tr("Charge calendar"), tr("Battery"),
            tr("Charging"), tr("Settings"),        tr("System monitor")};
}

QString ViewController::familyView(const char *screen) const
{
    return QString::fromLatin1(screen) +
           (m_tablet ? QStringLiteral("Tablet.qml") : QStringLiteral("Phone.qml"));
}

void ViewController::addComponentsOnLoad()
{
    // What the first frame shows: the gauge, the first page and the wheel. The other pages come
    // after that frame (createDeferredPages).
    // The gauge lies behind the pages; its reader drives the whole estimate chain.
    auto *gauge = new BatteryController(m_app, m_tablet, this);
    gauge->setDelegate(this);
    gauge->setAnimationsActive(m_windowVisible);
    m_batteryController = gauge;

    createPage(kFirstPage);

    m_history =
        new ChargeHistoryStore(m_app.platform().folders.documents, m_app.recordWriter(), this);

    // The wheel comes last: it lies in front of everything. Its readings make the history.
    auto *wheel = new WhellController(m_app, m_tablet, this);
    wheel->setDelegate(this);
    connect(wheel, &WhellController::batteryReading, m_history,
            &ChargeHistoryStore::calendarComplete);
    m_whell = wheel;
}

void ViewController::createPage(int page)
{
    if (page < 0 || page >= navigation::kPageCount || isPageCreated(page) || m_tornDown)
        return;
    if (page == 0)
        setPage(page, new TipsViewController(m_app, m_tablet, this), "Tips");
    if (page == 1) {
        auto *calendar = new CalendarViewController(m_app, m_tablet, this);
        // The history's records may still be on their way to the file when the page shows.
        calendar->setRecentHistory(
            [this] { return m_history ? m_history->calendarArr() : QVariantList(); });
        setPage(page, calendar, "Calendar");
    }
    if (page == 2) {
        auto *bottom = new BottomController(m_app, m_tablet, m_screenHeight,
                                            m_app.platform().locationServicesEnabled, this);
        bottom->setDelegate(this);
        m_bottomController = bottom;
        setPage(page, bottom, "BottomPanel");
        if (m_lastLevel)
            bottom->updateInfoFromBAttery(*m_lastLevel);
    } else if (page == 3) {
        auto *charging = new CarchingViewController(m_app, m_tablet, m_screenHeight, this);
        // The sleep button opens the clock.
        connect(charging, &CarchingViewController::showBudillinik, this, [this, charging] {
            if (showClock())
                charging->screenPresented();
        });
        setPage(page, charging, "Charging");
        // Made after the gauge's last reading: it starts from that, not from nothing.
        if (m_lastLevel) {
            charging->updateInfoFromBAttery(*m_lastLevel);
            charging->updateImagePosition(*m_lastLevel);
        }
    } else if (page == 4) {
        auto *settings = new SettingsViewController(m_app, m_tablet, m_screenHeight, {}, this);
        const auto answer = [this, settings](void (SettingsViewController::*request)(),
                                             bool (ViewController::*show)()) {
            connect(settings, request, this, [this, settings, show] {
                if ((this->*show)())
                    settings->screenPresented();
            });
        };
        answer(&SettingsViewController::showDeviceInfo, &ViewController::showDeviceInfo);
        answer(&SettingsViewController::showHealth, &ViewController::showHealth);
        answer(&SettingsViewController::showAlarms, &ViewController::showAlarms);
        answer(&SettingsViewController::showChangeColor, &ViewController::showChangeColor);
        connect(settings, &SettingsViewController::unhideWheel, this, &ViewController::unhideWheel);
        setPage(page, settings, "Settings");
    }
    if (page == 5) {
        const Platform &p = m_app.platform();
        auto *monitor = new sysMonitorController(p.roots, p.folders.documents, &p.notifications,
                                                 m_tablet, m_screenHeight, this);
        monitor->setDelegate(this);
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
    updateShown();
}

void ViewController::setPage(int page, QObject *controller, const char *view)
{
    m_pages[page] = controller;
    m_pageViews[page] = view;
}

QObject *ViewController::pageController(int page) const
{
    return page >= 0 && page < navigation::kPageCount ? m_pages[page] : nullptr;
}

QString ViewController::pageViewName(int page) const
{
    if (page < 0 || page >= navigation::kPageCount || !m_pageViews[page])
        return {};
    return QString::fromLatin1(m_pageViews[page]);
}

void ViewController::updateShown()
{
    // The battery and charging pages show the live draw: it is read every few seconds only
    // while one of them is on screen.
    m_app.batteryMonitor().setLive(!m_tornDown && m_windowVisible && !m_presented &&
                                   (m_page == kBatteryPage || m_page == kChargingPage));
    QObject *shown = nullptr;
    if (!m_tornDown && m_windowVisible)
        shown = m_presented ? m_presented.get() : pageController(m_page);
    if (shown == m_shownScreen)
        return;
    auto tell = [](QObject *screen, bool on) {
        if (screen && screen->metaObject()->indexOfMethod("setShown(bool)") >= 0)
            QMetaObject::invokeMethod(screen, "setShown", Q_ARG(bool, on));
    };
    tell(std::exchange(m_shownScreen, shown), false);
    tell(shown, true);
}

void ViewController::wantPagesAround(int from, int to)
{
    const int low = std::max(0, std::min(from, to) - 1);
    const int high = std::min(navigation::kPageCount - 1, std::max(from, to) + 1);
    for (int page = low; page <= high; ++page)
        m_wantedPages |= 1 << page;
}

void ViewController::createDeferredPages()
{
    if (m_tornDown)
        return;
    if (!m_firstFrameShown) {
        m_firstFrameShown = true;
        wantPagesAround(m_page, m_page);
    }
    if ((m_wantedPages & ~m_createdPages) != 0)
        m_pageTimer.start();
}

void ViewController::createNextDeferredPage()
{
    for (int page = 0; page < navigation::kPageCount; ++page) {
        if ((m_wantedPages & (1 << page)) && !isPageCreated(page)) {
            createPage(page);
            break;
        }
    }
    createDeferredPages();
}

void ViewController::createAllPages()
{
    m_pageTimer.stop();
    for (int page = 0; page < navigation::kPageCount; ++page)
        createPage(page);
}

void ViewController::gotoView(int page)
{
    if (page < 0 || page >= navigation::kPageCount)
        return;
    setLoadingNow(true);
    createPage(page);
    // The pages the move scrolls past and the new page's neighbours come in the turns after.
    if (m_firstFrameShown) {
        wantPagesAround(m_page, page);
        createDeferredPages();
    }
    m_page = page;
    m_offset = navigation::pageOffset(page, m_tablet);
    emit pageChanged();
    updateShown();
    setLoadingNow(false);
}

void ViewController::currentLevel(float percent)
{
    // The summary panel and the charging monitor both take the reading in this same call.
    if (m_tornDown)
        return;
    m_lastLevel = percent;
    if (m_bottomController)
        QMetaObject::invokeMethod(m_bottomController, "updateInfoFromBAttery",
                                  Q_ARG(float, percent));
    if (auto *charging = qobject_cast<CarchingViewController *>(m_pages[kChargingPage])) {
        charging->updateInfoFromBAttery(percent);
        charging->updateImagePosition(percent);
    }
}

void ViewController::monitor()
{
    if (!m_bottomController)
        return;
    const int status = periferikStatus(*m_reachability);
    QMetaObject::invokeMethod(m_bottomController, "updateButtons", Q_ARG(int, status));
}

void ViewController::present(std::unique_ptr<QObject> screen, const QString &view)
{
    if (m_presented)
        releasePresented();
    m_presented = std::move(screen);
    m_presentedView = view;
    emit presentedChanged();
    updateShown();
}

void ViewController::DetailsPresed()
{
    auto screen = std::make_unique<DetailsViewController>(m_app, m_tablet);
    presentScreen(std::move(screen), "Details", Wheel::Shown);
}

bool ViewController::showDeviceInfo()
{
    const Platform &p = m_app.platform();
    auto screen = std::make_unique<deviceProprietes>(
        DeviceSpecTable(p.folders.resources + QStringLiteral("/devices.plist"),
                        platformIdentifier(&p.defaults), p.roots));
    screen->normBAt();
    presentScreen(std::move(screen), "DeviceInfo", Wheel::Hidden);
    return true;
}

bool ViewController::showAlarms()
{
    Platform &p = m_app.platform();
    auto screen = std::make_unique<AlarmViewController>(p.defaults, p.folders, m_tablet);
    screen->setLocationServicesEnabled(p.locationServicesEnabled);
    // Leaving it shows the wheel before it closes.
    presentScreen(std::move(screen), "Alarms", Wheel::Hidden, [this](AlarmViewController *alarms) {
        connect(alarms, &AlarmViewController::unhideWheel, this, &ViewController::unhideWheel);
    });
    return true;
}

void ViewController::releasePresented()
{
    // Deleted on a later turn of the event loop, or with this screen if that comes first: a
    // closed screen never outlives the shared state it was made with.
    QObject *screen = m_presented.release();
    screen->setParent(this);
    screen->deleteLater();
    updateShown();
}

void ViewController::closePresented()
{
    if (!m_presented)
        return;
    // The view still refers to the screen while it closes: let the event loop finish first.
    releasePresented();
    m_presentedView.clear();
    emit presentedChanged();
    unhideWheel();
}

void ViewController::hideWheel()
{
    if (m_wheelHidden)
        return;
    m_wheelHidden = true;
    emit wheelHiddenChanged();
}

void ViewController::unhideWheel()
{
    if (!m_wheelHidden)
        return;
    m_wheelHidden = false;
    emit wheelHiddenChanged();
}

void ViewController::runLoading()
{
    m_loadingRequested = true;
    QMetaObject::invokeMethod(
        this, [this] { setLoadingNow(m_loadingRequested); }, Qt::QueuedConnection);
}

void ViewController::stopLoading()
{
    m_loadingRequested = false;
    QMetaObject::invokeMethod(
        this, [this] { setLoadingNow(m_loadingRequested); }, Qt::QueuedConnection);
}

void ViewController::setLoadingNow(bool on)
{
    if (on == m_loading)
        return;
    m_loading = on;
    emit loadingChanged();
}

void ViewController::touchesBegan(double y)
{
    m_snapping = false;
    updateSnapTimer();
    touchesMoved(y);
}

void ViewController::touchesMoved(double y)
{
    const double top = m_drawer.follow(m_wheelTop, y);
    if (top != m_wheelTop) {
        m_wheelTop = top;
        emit wheelTopChanged();
    }
}

void ViewController::touchesEnded(double y)
{
    m_snappingUp = !m_drawer.releaseGoesDown(y);
    m_snapping = true;
    updateSnapTimer();
}

void ViewController::goUp()
{
    if (m_drawer.stepUp(m_wheelTop)) {
        emit wheelTopChanged();
        return;
    }
    m_snapping = false;
    updateSnapTimer();
}

void ViewController::goDown()
{
    if (m_drawer.stepDown(m_wheelTop)) {
        emit wheelTopChanged();
        return;
    }
    m_snapping = false;
    updateSnapTimer();
}

void ViewController::setWindowVisible(bool visible)
{
    if (visible == m_windowVisible)
        return;
    m_windowVisible = visible;
    updateSnapTimer();
    if (auto *gauge = qobject_cast<BatteryController *>(m_batteryController))
        gauge->setAnimationsActive(visible);
    emit windowVisibleChanged();
    updateShown();
}

void ViewController::updateSnapTimer()
{
    // The snapping is an animation: it pauses while nobody can see it.
    if (m_snapping && m_windowVisible)
        m_nT.start();
    else
        m_nT.stop();
}

void ViewController::restart()
{
    NotificationCenter &center = m_app.platform().notifications;
    center.removeObservers(this);
    m_mainTimer.stop();
    m_reachability->stopNotifier();
    m_tornDown = true;
    updateShown();
    m_pageTimer.stop();
    m_snapping = false;
    m_nT.stop();
    if (m_presented) {
        releasePresented();
        m_presentedView.clear();
        emit presentedChanged();
    }
    // The gauge, the pages and the wheel stay until this screen goes, right after its view: a
    // view never outlives the controller it shows. They have stopped on "restartAPP" already.
    // The application object builds the new main screen; this one must be off the stack first.
    QTimer::singleShot(20, &center, [&center] { center.post(QStringLiteral("restartAPP2")); });
}
