// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "app/appdelegate.h"
#include "app/scenegraph.h"
#include "app/viewcontroller.h"
#include "appearance/librarypictures.h"
#include "appearance/turnedpictures.h"

#include <QEvent>
#include <QQmlEngine>
#include <QQuickView>

QSize MainWindow::designSize(int idiom, int designHeight)
{
    return idiom == 1 ? QSize(768, 1024) : QSize(320, designHeight == 568 ? 568 : 480);
}

MainWindow::MainWindow(AppDelegate &app, int idiom, int designHeight, QSize windowSize) : m_app(app)
{
    const QSize design = designSize(idiom, designHeight);
    m_viewController = std::make_unique<ViewController>(app.state(), idiom == 1, design.height());
    // Without a graphics processor the interface is drawn in software (see scenegraph.h).
    scenegraph::applyOnce();
    m_view = std::make_unique<QQuickView>();
    // The pictures of the Library folder and the shipped resources (AppState::libraryImage() and
    // resourceImage() name them; a Library picture's name carries the tint generation, so the
    // pictures Qt Quick cached before a tint are not reused).
    AppState &state = app.state();
    m_view->engine()->addImageProvider(QStringLiteral("turned"),
                                       new TurnedPictures(state.folders().library));
    m_view->engine()->addImageProvider(QStringLiteral("library"),
                                       new LibraryPictures(state.folders().library));
    m_view->engine()->addImageProvider(QStringLiteral("resources"),
                                       new LibraryPictures(state.folders().resources));
    m_view->setTitle(QStringLiteral("Powerdeck"));
    m_view->setColor(QColor(0x0d, 0x0f, 0x12));
    m_view->setResizeMode(QQuickView::SizeRootObjectToView);
    m_view->setInitialProperties(
        {{QStringLiteral("controller"), QVariant::fromValue<QObject *>(m_viewController.get())}});
    m_view->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Powerdeck/Root.qml")));
    m_view->resize(windowSize.isValid() ? windowSize : design);

    // The pages that are not shown come once the first frame is on screen. The frame may be
    // swapped on the render thread: the controller takes it on its own.
    connect(m_view.get(), &QQuickWindow::frameSwapped, m_viewController.get(),
            &ViewController::createDeferredPages,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));

    // A hidden or minimised window is the application leaving the foreground: animations pause
    // and the scheduler runs.
    connect(m_view.get(), &QWindow::visibilityChanged, this, [this](QWindow::Visibility v) {
        const bool visible = v != QWindow::Hidden && v != QWindow::Minimized;
        if (m_shown && !visible)
            m_app.applicationDidEnterBackground();
        m_shown = visible;
        updateWindowVisible();
    });
    // Without a window manager (or on a compositor that reports no minimising) an unmapped
    // window stays "visible": that it can no longer be drawn is what the exposure tells.
    m_view->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view.get() && event->type() == QEvent::Expose)
        QMetaObject::invokeMethod(this, &MainWindow::updateWindowVisible, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void MainWindow::updateWindowVisible()
{
    if (!m_view)
        return;
    // Until the first exposure the window counts as shown: the first frame needs the timers.
    if (m_view->isExposed())
        m_everExposed = true;
    m_viewController->setWindowVisible(m_shown && (m_view->isExposed() || !m_everExposed));
}

MainWindow::~MainWindow()
{
    // The view refers to the controller: it goes first, telling this window nothing on its way.
    m_view->removeEventFilter(this);
    disconnect(m_view.get(), nullptr, this, nullptr);
    m_view.reset();
}
