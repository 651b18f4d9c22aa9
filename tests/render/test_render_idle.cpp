// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendersupport.h"

#include "core/appstate.h"
#include "core/batterymonitor.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMap>
#include <QQuickView>
#include <QTimer>

#include <iostream>

namespace {

// Counts every timer event of the interface thread and every frame the window draws while it
// is installed, by what received the timer events.
class IdleRecorder : public QObject
{
public:
    IdleRecorder(QQuickWindow &window, AppState &app) : m_app(app)
    {
        connect(
            &window, &QQuickWindow::frameSwapped, this, [this] { ++m_frames; },
            Qt::DirectConnection);
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~IdleRecorder() override { QCoreApplication::instance()->removeEventFilter(this); }

    void clear()
    {
        m_frames = 0;
        m_timers.clear();
    }
    int frames() const { return m_frames; }
    // "what: count" for every receiver of timer events, "" when there were none.
    QString listing() const
    {
        QStringList lines;
        for (auto it = m_timers.cbegin(); it != m_timers.cend(); ++it)
            lines << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
        return lines.join(QStringLiteral(", "));
    }
    // The events of repeating timers other than the battery monitor's reads, which run on
    // every screen (a read of the supplies that finds nothing new draws nothing). A single shot
    // left over from the screen's arrival costs once, not while the screen stays.
    int repeatingTimerEvents() const
    {
        int n = 0;
        for (auto it = m_timers.cbegin(); it != m_timers.cend(); ++it)
            if (!it.key().startsWith(QLatin1String("battery monitor")) &&
                !it.key().startsWith(QLatin1String("single shot")))
                n += it.value();
        return n;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ++m_timers[describe(watched)];
        return false;
    }

private:
    QString describe(const QObject *o) const
    {
        BatteryMonitor &monitor = m_app.batteryMonitor();
        if (o == &monitor.timer() || o == &monitor.liveTimer() || o == &monitor.firstReadingTimer())
            return QStringLiteral("battery monitor %1 ms")
                .arg(qobject_cast<const QTimer *>(o)->interval());
        const auto *timer = qobject_cast<const QTimer *>(o);
        // Qt's own single shots are plain objects that go once they have fired.
        if ((timer && timer->isSingleShot()) ||
            (!timer && o->metaObject() == &QObject::staticMetaObject))
            return QStringLiteral("single shot");
        QString what = QString::fromLatin1(o->metaObject()->className());
        if (timer)
            what += QStringLiteral(" %1 ms").arg(timer->interval());
        if (o->parent())
            what += QStringLiteral(" of ") +
                    QString::fromLatin1(o->parent()->metaObject()->className());
        return what;
    }

    AppState &m_app;
    int m_frames = 0;
    QMap<QString, int> m_timers;
};

using RenderIdle = RenderTest;

// With the classic skin and nothing changing, no page and no presented screen draws or ticks;
// the monitor screens refresh at their own timers' rate and the clock moves its second hand.
// Each screen's timers are listed.
TEST_P(RenderIdle, ScreensCostNothingWhenNothingChanges)
{
    RenderHarness h(GetParam(), platformFor(GetParam()));
    ASSERT_TRUE(h.waitForAllPages());
    ViewController &vc = h.viewController();
    IdleRecorder recorder(h.window().view(), h.app());

    struct Screen
    {
        const char *name;
        int page;
        bool (ViewController::*show)();
        bool refreshes; // its figures refresh on a timer: a monitor screen, the clock
    };
    const Screen screens[] = {
        {"tips", 0, nullptr, false},
        {"calendar", 1, nullptr, false},
        {"battery", 2, nullptr, false},
        {"charging", 3, nullptr, false},
        {"settings", 4, nullptr, false},
        {"system monitor", 5, nullptr, true},
        {"device information", 4, &ViewController::showDeviceInfo, false},
        {"alarms", 4, &ViewController::showAlarms, false},
        {"battery health", 4, &ViewController::showHealth, false},
        {"skins", 4, &ViewController::showChangeColor, false},
        {"clock", 4, &ViewController::showClock, true},
        {"processes", 5, &ViewController::showCpu, true},
        {"memory", 5, &ViewController::showRam, true},
        {"disk", 5, &ViewController::showHDD, true},
        {"network", 5, &ViewController::showNet, true},
    };
    for (const Screen &s : screens) {
        recorder.clear();
        vc.gotoView(s.page);
        if (s.show) {
            ASSERT_TRUE((vc.*s.show)()) << s.name;
        }
        // Whatever slides or fades in has finished; its frames show that frames are counted.
        RenderHarness::settle(700);
        EXPECT_GT(recorder.frames(), 0) << s.name << ": no frame counted while it came";
        recorder.clear();
        RenderHarness::settle(1100);
        std::cout << "[ timers   ] " << GetParam().name << ' ' << s.name << ": "
                  << (recorder.listing().isEmpty() ? "none" : recorder.listing().toStdString())
                  << "; " << recorder.frames() << " frames\n";
        if (!s.refreshes) {
            EXPECT_EQ(recorder.frames(), 0) << s.name;
            EXPECT_EQ(recorder.repeatingTimerEvents(), 0)
                << s.name << ": " << recorder.listing().toStdString();
        }
        if (s.show) {
            vc.closePresented();
            RenderHarness::settle(300);
            ASSERT_EQ(vc.presentedScreen(), nullptr) << s.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RenderIdle, ::testing::ValuesIn(kRenderLayouts),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
