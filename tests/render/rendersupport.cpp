#include "rendersupport.h"

#include "appearance/fonts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QQuickView>
#include <QThread>

namespace {
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        RenderHarness::warnings() << message;
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

QStringList &RenderHarness::warnings()
{
    static QStringList list;
    return list;
}

void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static QTemporaryDir runtime;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    static int argc = 1;
    static char name[] = "render_tests";
    static char *argv[] = {name, nullptr};
    previousHandler = qInstallMessageHandler(recordMessage);
    new QGuiApplication(argc, argv);
    powerdeck::registerFontSubstitutions();
}

RenderHarness::RenderHarness(const RenderLayout &layout, const QString &platformId)
    : m_layout(layout), m_folders{m_dir.path() + "/Documents", m_dir.path() + "/Library",
                                  QStringLiteral(POWERDECK_SHARE_DIR)},
      m_defaults(m_dir.path() + "/defaults.plist")
{
    ensureGuiApplication();
    m_defaults.setValue("platform", platformId);
    m_battery.set(0.42, 1);
    // A battery that says what it draws at the moment: the pages show it until it is measured.
    m_battery.figures.meter = {MeterUnit::Energy, 21.0, 50.0, 7.8, 3.8, 50.0};
    m_platform = std::make_unique<Platform>(Platform{
        m_folders,
        SystemRoots{m_dir.path() + "/sys", m_dir.path() + "/proc", m_dir.path() + "/upower"},
        m_defaults, m_center, m_battery, [idiom = layout.idiom] { return idiom; },
        [] { return 0.8; }});
    const RenderLayout l = layout;
    m_app = std::make_unique<AppDelegate>(*m_platform, [this, l](AppDelegate &app, int idiom) {
        const QSize design = MainWindow::designSize(idiom, l.designHeight);
        auto window = std::make_unique<MainWindow>(app, idiom, l.designHeight, design);
        window->view().show();
        m_window = window.get();
        return window;
    });
    m_app->didFinishLaunching();
    settle(300);
}

RenderHarness::~RenderHarness()
{
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ViewController &RenderHarness::viewController()
{
    return m_window->viewController();
}

void RenderHarness::settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool RenderHarness::waitForAllPages(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!viewController().allPagesCreated() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return viewController().allPagesCreated();
}

bool RenderHarness::shoot(const QString &name)
{
    const QImage image = m_window->view().grabWindow();
    if (image.isNull())
        return false;
    QDir().mkpath(QStringLiteral(POWERDECK_SCREENSHOT_DIR));
    return image.save(QStringLiteral(POWERDECK_SCREENSHOT_DIR "/%1-%2.png")
                          .arg(QString::fromLatin1(m_layout.name), name));
}
