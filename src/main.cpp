#include <QGuiApplication>
#include <QQuickWindow>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Powerdeck"));
    QQuickWindow window;
    window.setTitle(QStringLiteral("Powerdeck"));
    window.resize(320, 480);
    window.show();
    return app.exec();
}
