// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "appearance/fonts.h"

#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWindow>
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
    waitForPictures();
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

bool RenderHarness::waitForWantedPages(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    const auto done = [this] {
        const ViewController &vc = viewController();
        return vc.wantedPages() != 0 && (vc.wantedPages() & ~vc.createdPages()) == 0;
    };
    while (!done() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

bool RenderHarness::waitForAllPages(int timeoutMs)
{
    if (!waitForWantedPages(timeoutMs))
        return false;
    viewController().createAllPages();
    return viewController().allPagesCreated();
}

namespace {

bool anyPictureLoading(const QQuickItem *item)
{
    constexpr int kLoading = 2; // Image.Loading
    if (item->inherits("QQuickImageBase") && item->property("status").toInt() == kLoading)
        return true;
    const QList<QQuickItem *> children = item->childItems();
    return std::any_of(children.begin(), children.end(), anyPictureLoading);
}

} // namespace

bool RenderHarness::waitForPictures(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    const auto loading = [this] { return anyPictureLoading(m_window->view().contentItem()); };
    while (loading() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    // The frame that draws the last of them.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !loading();
}

bool RenderHarness::shoot(const QString &name)
{
    waitForPictures();
    const QImage image = m_window->view().grabWindow();
    if (image.isNull())
        return false;
    QDir().mkpath(QStringLiteral(POWERDECK_SCREENSHOT_DIR));
    return image.save(QStringLiteral(POWERDECK_SCREENSHOT_DIR "/%1-%2.png")
                          .arg(QString::fromLatin1(m_layout.name), name));
}

namespace {

// The opacity the item is drawn with, its own times its ancestors'.
qreal drawnOpacity(const QQuickItem *item)
{
    qreal opacity = 1;
    for (; item; item = item->parentItem())
        opacity *= item->opacity();
    return opacity;
}

// Where a Text's words are drawn inside its box, by its alignment (Qt's values: Text.AlignRight
// 2, Text.AlignHCenter 4, Text.AlignBottom 0x40, Text.AlignVCenter 0x80), in the window.
QRectF drawnRect(const QQuickItem *item, qreal contentWidth, qreal contentHeight)
{
    const int h = item->property("effectiveHorizontalAlignment").toInt();
    const int v = item->property("verticalAlignment").toInt();
    const qreal spareX = item->width() - contentWidth;
    const qreal spareY = item->height() - contentHeight;
    const qreal x = h == 2 ? spareX : h == 4 ? spareX / 2 : 0;
    const qreal y = v == 0x40 ? spareY : v == 0x80 ? spareY / 2 : 0;
    return item->mapRectToScene(QRectF(x, y, contentWidth, contentHeight));
}

// The part of a scene rectangle the item's clipping ancestors let through.
QRectF clippedRect(const QQuickItem *item, QRectF rect)
{
    for (const QQuickItem *p = item->parentItem(); p; p = p->parentItem()) {
        if (p->clip())
            rect &= p->mapRectToScene(QRectF(0, 0, p->width(), p->height()));
    }
    return rect;
}

void collectOverflows(QQuickItem *item, qreal windowWidth, QStringList &out)
{
    if (!item->isVisible() || drawnOpacity(item) <= 0.01)
        return;
    for (QQuickItem *child : item->childItems())
        collectOverflows(child, windowWidth, out);
    // QQuickText, whose class is private: known by its properties.
    if (!item->inherits("QQuickText"))
        return;
    const QString text = item->property("text").toString();
    // Qt's values: Text.ElideNone is 3, Text.NoWrap 0, Text.FixedSize 0. A text that elides or
    // shrinks has been told how to fit.
    const bool elides = item->property("elide").toInt() != 3;
    const bool wraps = item->property("wrapMode").toInt() != 0;
    const bool shrinks = item->property("fontSizeMode").toInt() != 0;
    if (text.trimmed().isEmpty() || elides || shrinks)
        return;
    const qreal contentWidth = item->property("contentWidth").toReal();
    const qreal contentHeight = item->property("contentHeight").toReal();
    // Sub-pixel differences come from rounding glyph advances, not from words that overflow.
    const qreal slack = 1.0;
    auto report = [&](const QString &why) { out << QStringLiteral("\"%1\": %2").arg(text, why); };
    // A line wider than the box (with wrapping: a word too long to break).
    if (contentWidth > item->width() + slack)
        report(QStringLiteral("%1 px wide in a box of %2").arg(contentWidth).arg(item->width()));
    // A box whose height the layout set (not the text's own) must hold all its lines.
    const bool setHeight = !qFuzzyCompare(item->height(), item->implicitHeight());
    if (wraps && setHeight && contentHeight > item->height() + slack)
        report(QStringLiteral("%1 px of lines in a box %2 high")
                   .arg(contentHeight)
                   .arg(item->height()));
    // Words partly out of the window run off the screen; words wholly out belong to a page or
    // a panel that is not shown, as do words of which a clipping ancestor lets through less than
    // a pixel (a neighbour page while a pager settles).
    const QRectF drawn = drawnRect(item, contentWidth, contentHeight);
    if (clippedRect(item, drawn).width() < 1)
        return;
    if ((drawn.left() < -slack && drawn.right() > 0) ||
        (drawn.right() > windowWidth + slack && drawn.left() < windowWidth))
        report(QStringLiteral("runs out of the window (%1 to %2 of %3)")
                   .arg(drawn.left())
                   .arg(drawn.right())
                   .arg(windowWidth));
}

} // namespace

QStringList overflowingTexts(QQuickItem *root)
{
    QStringList out;
    if (root && root->window())
        collectOverflows(root, root->window()->contentItem()->width(), out);
    return out;
}

QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}
