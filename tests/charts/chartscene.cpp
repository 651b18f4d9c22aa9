// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartscene.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

namespace {

QtMessageHandler g_chained = nullptr;

void keepWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        ChartScene::warnings().push_back(text);
    if (g_chained)
        g_chained(type, context, text);
}

void startGui()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    static int argc = 1;
    static char arg0[] = "charts_tests";
    static char *argv[] = {arg0, nullptr};
    g_chained = qInstallMessageHandler(keepWarnings);
    new QGuiApplication(argc, argv);
}

} // namespace

QStringList &ChartScene::warnings()
{
    static QStringList seen;
    return seen;
}

ChartScene::ChartScene()
{
    startGui();
    QImage pattern(5, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            pattern.setPixel(x, y, (x + y) % 2 ? qRgb(0x1f, 0xd6, 0x8a) : qRgb(0x0b, 0x7a, 0x4b));
    pattern.save(patternPath());
    m_view = std::make_unique<QQuickView>();
    m_view->setColor(QColor(0x0d, 0x0d, 0x0d));
}

ChartScene::~ChartScene()
{
    m_view.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool ChartScene::load(const QString &body, QSize size)
{
    const QString source = QStringLiteral("import QtQuick\nimport Powerdeck.Charts\n") + body;
    QQmlComponent component(m_view->engine());
    component.setData(source.toUtf8(), QUrl());
    QObject *root = component.create();
    if (!root) {
        warnings() << component.errorString();
        return false;
    }
    auto *item = qobject_cast<QQuickItem *>(root);
    if (!item) {
        delete root;
        return false;
    }
    item->setParentItem(m_view->contentItem());
    item->setParent(m_view.get());
    m_root = item;
    m_view->resize(size);
    m_view->show();
    settle(100);
    return true;
}

QQuickItem *ChartScene::find(const QString &objectName) const
{
    // Walks the visual tree: items a Repeater makes are not its QObject children.
    QList<QQuickItem *> pending{m_view->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (item->objectName() == objectName)
            return item;
        pending += item->childItems();
    }
    return nullptr;
}

bool ChartScene::shoot(const QString &name)
{
    const QImage image = m_view->grabWindow();
    if (image.isNull())
        return false;
    QDir().mkpath(QStringLiteral(POWERDECK_SCREENSHOT_DIR));
    return image.save(QStringLiteral(POWERDECK_SCREENSHOT_DIR "/charts-%1.png").arg(name));
}

void ChartScene::settle(int ms)
{
    QTest::qWait(ms);
}
