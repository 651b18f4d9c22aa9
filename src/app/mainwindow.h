// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSize>

#include <memory>

class AppDelegate;
class QQuickView;
class ViewController;

// The one window: a Qt Quick view showing the main screen in the phone or the tablet layout.
// The layout is designed in points (320 x 480 or 568 for phones, 768 x 1024 for tablets) and
// scaled uniformly to whatever size the window has.
class MainWindow : public QObject
{
    Q_OBJECT
public:
    // designHeight: 480 or 568 for the phone layout; ignored for the tablet layout (1024).
    MainWindow(AppDelegate &app, int idiom, int designHeight, QSize windowSize);
    ~MainWindow() override;

    ViewController &viewController() { return *m_viewController; }
    QQuickView &view() { return *m_view; }

    static QSize designSize(int idiom, int designHeight);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Timers and animations run while the window is shown and, once it has been drawn, exposed.
    void updateWindowVisible();

    AppDelegate &m_app;
    std::unique_ptr<ViewController> m_viewController;
    std::unique_ptr<QQuickView> m_view;
    bool m_shown = true;
    bool m_everExposed = false;
};
