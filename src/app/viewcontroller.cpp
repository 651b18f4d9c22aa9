// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/viewcontroller.h"

#include "alarm/alarmviewcontroller.h"
#include "alerts/chargehistorystore.h"
#include "battery/detailsviewcontroller.h"
#include "core/appstate.h"
#include "device/deviceproprietes.h"
#include "device/devicespectable.h"
#include "monitor/reachability.h"
#include "platform/kernelidentity.h"
#include "platform/notificationcenter.h"

#include <QMetaObject>
#include <QThread>

ViewController::ViewController(AppState &app, bool tablet, int screenHeight, QObject *parent)
    : QObject(parent), m_app(app), m_tablet(tablet), m_screenHeight(screenHeight),
      m_wheelDrawer(double(screenHeight), tablet), m_mainPages(*this, app, tablet, screenHeight)
{
    connect(&m_wheelDrawer, &WheelDrawer::topChanged, this, &ViewController::wheelTopChanged);
    connect(&m_mainPages, &MainPages::createdPagesChanged, this, [this] {
        emit createdPagesChanged();
        updateShown();
    });

    m_app.platform().notifications.addObserver(QStringLiteral("restartAPP1.5"), this,
                                               [this](const QVariant &) { restart(); });

    // Until the first frame is out the routing table tells the network; Qt's network backend
    // and its change signals come after it (see createDeferredPages()).
    m_reachability = Reachability::reachabilityForInternetConnection(m_app.platform().roots);

    m_mainTimer.setInterval(kMonitorIntervalMs);
    connect(&m_mainTimer, &QTimer::timeout, this, &ViewController::monitor);
    m_mainTimer.start();

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

    m_mainPages.createPage(kFirstPage);

    m_history =
        new ChargeHistoryStore(m_app.platform().folders.documents, m_app.recordWriter(), this);
    m_mainPages.setHistory(m_history);

    // The wheel comes last: it lies in front of everything. Its readings make the history.
    auto *wheel = new WhellController(m_app, m_tablet, this);
    wheel->setDelegate(this);
    connect(wheel, &WhellController::batteryReading, m_history,
            &ChargeHistoryStore::calendarComplete);
    m_whell = wheel;
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

void ViewController::createDeferredPages()
{
    if (!m_firstFrameShown) {
        m_firstFrameShown = true;
        m_mainPages.wantPagesAround(m_page, m_page);
        // The system's network and location services: plugins and a system bus the first frame
        // does without. The status buttons take their answers at once.
        if (!m_tornDown)
            m_reachability->startNotifier(&m_app.platform().notifications);
        monitor();
    }
    m_mainPages.createDeferredPages();
}

void ViewController::createAllPages()
{
    m_mainPages.createAllPages();
}

QObject *ViewController::pageController(int page) const
{
    return m_mainPages.pageController(page);
}

QString ViewController::pageViewName(int page) const
{
    return m_mainPages.pageViewName(page);
}

void ViewController::gotoView(int page)
{
    if (page < 0 || page >= navigation::kPageCount)
        return;
    setLoadingNow(true);
    m_mainPages.createPage(page);
    // The pages the move scrolls past and the new page's neighbours come in the turns after.
    if (m_firstFrameShown) {
        m_mainPages.wantPagesAround(m_page, page);
        m_mainPages.createDeferredPages();
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
    m_mainPages.currentLevel(percent);
}

void ViewController::monitor()
{
    BottomController *bottom = bottomController();
    if (!bottom)
        return;
    bottom->updateButtons(periferikStatus(*m_reachability));
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

void ViewController::setWindowVisible(bool visible)
{
    if (visible == m_windowVisible)
        return;
    m_windowVisible = visible;
    m_wheelDrawer.setWindowVisible(visible);
    if (auto *gauge = qobject_cast<BatteryController *>(m_batteryController))
        gauge->setAnimationsActive(visible);
    emit windowVisibleChanged();
    updateShown();
}

void ViewController::touchesBegan(double y)
{
    m_wheelDrawer.touchesBegan(y);
}

void ViewController::touchesMoved(double y)
{
    m_wheelDrawer.touchesMoved(y);
}

void ViewController::touchesEnded(double y)
{
    m_wheelDrawer.touchesEnded(y);
}

void ViewController::restart()
{
    NotificationCenter &center = m_app.platform().notifications;
    center.removeObservers(this);
    m_mainTimer.stop();
    m_reachability->stopNotifier();
    m_tornDown = true;
    m_mainPages.stop();
    updateShown();
    m_wheelDrawer.stop();
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
