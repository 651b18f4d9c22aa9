// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainpages.h"
#include "app/navigation.h"
#include "app/wheeldrawer.h"
#include "appearance/whellcontroller.h"
#include "battery/batterycontroller.h"
#include "battery/bottomcontroller.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <atomic>
#include <memory>

class AppState;
class ChargeHistoryStore;
class Reachability;

// The main screen: six pages side by side in one paged area (tips, charge calendar, battery
// summary over the gauge, charging monitor, settings, system monitor), the battery gauge behind
// them and the navigation wheel in a drawer in front. Forwards every battery reading to the pages
// that show it, polls the network status for the summary panel, and presents the full-screen
// screens. The pages are made by MainPages and the drawer moves by WheelDrawer; the properties
// the view binds to are this object's. Torn down by "restartAPP1.5", after which the
// application object builds a new one.
class ViewController : public QObject,
                       public WheelDelegate,
                       public BottomControllerDelegate,
                       public BatteryControllerDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application object")
    Q_MOC_INCLUDE("core/appstate.h")
    Q_PROPERTY(bool tablet READ isTablet CONSTANT)
    Q_PROPERTY(int screenWidth READ screenWidth CONSTANT)
    Q_PROPERTY(int screenHeight READ screenHeight CONSTANT)
    Q_PROPERTY(double pageWidth READ pageWidth CONSTANT)
    Q_PROPERTY(double contentWidth READ contentWidth CONSTANT)
    Q_PROPERTY(QStringList pageTitles READ pageTitles CONSTANT)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY pageChanged)
    Q_PROPERTY(double pageX READ pageX NOTIFY pageChanged)
    Q_PROPERTY(double pageY READ pageY NOTIFY pageChanged)
    Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)
    Q_PROPERTY(double wheelTop READ wheelTop NOTIFY wheelTopChanged)
    Q_PROPERTY(double wheelHeight READ wheelHeight CONSTANT)
    Q_PROPERTY(bool wheelHidden READ wheelHidden NOTIFY wheelHiddenChanged)
    Q_PROPERTY(
        bool windowVisible READ windowVisible WRITE setWindowVisible NOTIFY windowVisibleChanged)
    Q_PROPERTY(QObject *presentedScreen READ presentedScreen NOTIFY presentedChanged)
    Q_PROPERTY(QString presentedView READ presentedView NOTIFY presentedChanged)
    Q_PROPERTY(AppState *app READ appObject CONSTANT)
    Q_PROPERTY(BatteryController *batteryController READ batteryController CONSTANT)
    Q_PROPERTY(BottomController *bottomController READ bottomController NOTIFY createdPagesChanged)
    Q_PROPERTY(WhellController *whell READ whell CONSTANT)
    Q_PROPERTY(int createdPages READ createdPages NOTIFY createdPagesChanged)
    Q_PROPERTY(bool allPagesCreated READ allPagesCreated NOTIFY createdPagesChanged)

public:
    static constexpr int kMonitorIntervalMs = 30000;
    static constexpr int kSnapIntervalMs = WheelDrawer::kSnapIntervalMs;
    static constexpr int kBatteryPage = 2;
    static constexpr int kChargingPage = 3;
    // The page shown when the main screen opens.
    static constexpr int kFirstPage = kBatteryPage;

    // screenHeight is the layout's height in points: 480 or 568 for phones, 1024 for tablets.
    ViewController(AppState &app, bool tablet, int screenHeight, QObject *parent = nullptr);
    ~ViewController() override;

    bool isTablet() const { return m_tablet; }
    int screenWidth() const { return m_tablet ? 768 : 320; }
    int screenHeight() const { return m_screenHeight; }
    double pageWidth() const { return navigation::pageWidth(m_tablet); }
    double contentWidth() const { return pageWidth() * navigation::kPageCount; }
    QStringList pageTitles() const;
    int currentPage() const { return m_page; }
    double pageX() const { return m_offset.x; }
    double pageY() const { return m_offset.y; }
    bool loading() const { return m_loading; }
    double wheelTop() const { return m_wheelDrawer.top(); }
    double wheelHeight() const { return m_tablet ? 240 : 150; }
    bool wheelHidden() const { return m_wheelHidden; }
    bool windowVisible() const { return m_windowVisible; }
    void setWindowVisible(bool visible);
    QObject *presentedScreen() const { return m_presented.get(); }
    QString presentedView() const { return m_presentedView; }
    AppState *appObject() const;
    BatteryController *batteryController() const
    {
        return static_cast<BatteryController *>(m_batteryController);
    }
    BottomController *bottomController() const { return m_mainPages.bottomController(); }
    WhellController *whell() const { return static_cast<WhellController *>(m_whell); }
    AppState &app() const { return m_app; }

    // The pages that exist, one bit per page number. The main screen opens with the page it shows
    // first; once the first frame is on screen (createDeferredPages) its neighbours follow, the
    // pages a swipe brings into view. Each page shown brings its neighbours, and the pages a
    // move scrolls past; a page asked for is created at once. A page never visited costs nothing.
    int createdPages() const { return m_mainPages.createdPages(); }
    bool isPageCreated(int page) const { return m_mainPages.isPageCreated(page); }
    bool allPagesCreated() const { return m_mainPages.allPagesCreated(); }
    // The window has shown its first frame (see createDeferredPages()).
    bool firstFrameShown() const { return m_firstFrameShown; }
    // Creates the wanted pages that do not exist yet, one per turn of the event loop, so that
    // input is handled between them. Called when the window has shown its first frame.
    Q_INVOKABLE void createDeferredPages();
    // The pages wanted soon (one bit per page): the shown page's neighbours and the pages the
    // latest move passes.
    int wantedPages() const { return m_mainPages.wantedPages(); }
    // Creates every missing page now (tools and tests that need all of them at once).
    Q_INVOKABLE void createAllPages();

    // Shows a page: 0 tips, 1 calendar, 2 battery, 3 charging, 4 settings, 5 system monitor.
    Q_INVOKABLE void gotoView(int page) override;
    // A new battery percent for the pages that show it.
    Q_INVOKABLE void currentLevel(float percent) override;
    // Passes the network status to the summary panel.
    Q_INVOKABLE void monitor();
    // Full-screen screens.
    Q_INVOKABLE void DetailsPresed() override;
    Q_INVOKABLE bool showDeviceInfo();
    // The alarm and alert settings screen; leaving it shows the wheel again.
    Q_INVOKABLE bool showAlarms();
    // The screens opened from the pages. Each hides the wheel only when it presents its screen
    // and reports whether it did.
    Q_INVOKABLE bool showHealth();
    Q_INVOKABLE bool showChangeColor();
    Q_INVOKABLE bool showClock();
    Q_INVOKABLE bool showCpu();
    Q_INVOKABLE bool showRam();
    Q_INVOKABLE bool showHDD();
    Q_INVOKABLE bool showNet();

    // The controller of a created page (null before it exists) and the base name of its view
    // ("" before it exists); the view file adds "Phone.qml"/"Tablet.qml".
    Q_INVOKABLE QObject *pageController(int page) const;
    Q_INVOKABLE QString pageViewName(int page) const;
    Q_INVOKABLE void closePresented();
    Q_INVOKABLE void hideWheel();
    Q_INVOKABLE void unhideWheel();
    // The loading overlay; safe to call from any thread.
    Q_INVOKABLE void runLoading();
    Q_INVOKABLE void stopLoading();
    // The wheel drawer's handle, with the finger's y in the screen's points.
    Q_INVOKABLE void touchesBegan(double y);
    Q_INVOKABLE void touchesMoved(double y);
    Q_INVOKABLE void touchesEnded(double y);
    // The keyboard, for the window's key presses (Qt::Key, Qt::KeyboardModifiers): Left/Right
    // and Page Up/Down move to the neighbouring page as the wheel would, Escape and Backspace
    // close a presented screen as its back button does, Ctrl+Q quits. Returns whether it was used.
    Q_INVOKABLE bool keyPressed(int key, int modifiers);
    // Turns to the page delta steps away, stopping at the first and the last (keys, mouse-wheel
    // notches over the wheel); false when nothing moves or while a screen is presented.
    Q_INVOKABLE bool stepPage(int delta);
    // The mouse wheel over the navigation wheel, in eighths of a degree (120 a notch, less per
    // event on a touchpad): one page per notch, away from the reader turning to the next page.
    Q_INVOKABLE void mouseWheel(int angleDelta);

    QTimer &mainTimer() { return m_mainTimer; }
    QTimer &snapTimer() { return m_wheelDrawer.snapTimer(); }
    // Presents a screen controller with the given view; the main screen owns it until it closes.
    void present(std::unique_ptr<QObject> screen, const QString &view);

    // Whether the navigation wheel goes away while a screen is presented.
    enum class Wheel { Shown, Hidden };
    // Presents a screen in the device family's view of `view` ("Health" gives "HealthPhone.qml"
    // or "HealthTablet.qml"): its close request closes it on the next turn of the event loop, the
    // wheel hides when asked, and connectSignals(screen) connects what else the screen tells.
    template <typename Screen, typename Connect = void (*)(Screen *)>
    Screen *presentScreen(
        std::unique_ptr<Screen> screen, const char *view, Wheel wheel,
        Connect connectSignals = [](Screen *) {})
    {
        Screen *shown = screen.get();
        connectSignals(shown);
        connect(shown, &Screen::closeRequested, this, &ViewController::closePresented,
                Qt::QueuedConnection);
        if (wheel == Wheel::Hidden)
            hideWheel();
        present(std::move(screen), familyView(view));
        return shown;
    }

signals:
    void pageChanged();
    void loadingChanged();
    void wheelTopChanged();
    void wheelHiddenChanged();
    void windowVisibleChanged();
    void presentedChanged();
    void createdPagesChanged();

private:
    void releasePresented();
    void addComponentsOnLoad();
    void restart();
    void setLoadingNow(bool on);
    // Tells every page and the presented screen whether it is shown now (its page is current, no
    // screen lies over it, the window is visible): screens with a `setShown(bool)` method run
    // their timers only while shown.
    void updateShown();
    QString familyView(const char *screen) const;

    AppState &m_app;
    bool m_tablet;
    int m_screenHeight;
    WheelDrawer m_wheelDrawer;
    int m_page = -1;
    navigation::PageOffset m_offset{0, 0};
    std::atomic<bool> m_loadingRequested{false};
    bool m_loading = false;
    bool m_wheelHidden = false;
    bool m_windowVisible = true;
    int m_wheelDelta = 0;
    std::unique_ptr<QObject> m_presented;
    QString m_presentedView;
    QTimer m_mainTimer;
    // The network status the poll reads; its notifier tells the summary panel of changes at once.
    std::unique_ptr<Reachability> m_reachability;
    bool m_tornDown = false;
    bool m_firstFrameShown = false;
    // Child screens; owned through the QObject tree.
    QObject *m_batteryController = nullptr;
    QObject *m_whell = nullptr;
    // The charge history the wheel's readings add to and the calendar page shows.
    ChargeHistoryStore *m_history = nullptr;
    MainPages m_mainPages;
    QObject *m_shownScreen = nullptr;
};
