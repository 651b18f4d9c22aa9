// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folders.h"
#include "platform/localnotifications.h"
#include "platform/localnotifications_systemd.h"
#include "platform/localnotifications_systemdtypes.h"
#include "privatebus.h"
#include "recordingnotifications.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>
#include <QTimer>

using namespace systemdbus;

namespace {

void ensureCoreApplication()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "platform_tests";
        static char *argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives as long as the test process
    }
}

struct RecordedUnit
{
    QString name;
    QString mode;
    QVariantMap properties; // complex values already taken apart
    QList<QPair<QString, QVariantMap>> aux;
};

QVariant plainValue(const QString &name, const QDBusVariant &value)
{
    const QVariant v = value.variant();
    if (v.userType() != qMetaTypeId<QDBusArgument>())
        return v;
    const auto arg = v.value<QDBusArgument>();
    if (name == QLatin1String("ExecStart"))
        return QVariant::fromValue(qdbus_cast<ExecCommands>(arg));
    if (name == QLatin1String("TimersCalendar"))
        return QVariant::fromValue(qdbus_cast<CalendarTimers>(arg));
    return {};
}

QVariantMap plainProperties(const UnitProperties &properties)
{
    QVariantMap out;
    for (const UnitProperty &p : properties)
        out.insert(p.name, plainValue(p.name, p.value));
    return out;
}

// Just enough of org.freedesktop.systemd1.Manager: records the transient units it is asked
// for and lists and stops them by name.
class FakeManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Manager")
public:
    bool refuseWakeSystem = false;
    int refusals = 0;
    // A manager that hangs: every answer comes this late.
    int answerAfterMs = 0;
    int calls = 0;
    QList<RecordedUnit> started;
    QStringList loaded{QStringLiteral("other-reminder.timer")};
    QStringList stopped;
    mutable QMutex mutex;

public slots:
    QDBusObjectPath StartTransientUnit(const QString &name, const QString &mode,
                                       const QList<systemdbus::UnitProperty> &properties,
                                       const QList<systemdbus::AuxUnit> &aux)
    {
        QMutexLocker lock(&mutex);
        if (answerLate())
            return {};
        RecordedUnit unit{name, mode, plainProperties(properties), {}};
        if (refuseWakeSystem && unit.properties.contains(QStringLiteral("WakeSystem"))) {
            ++refusals;
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("Cannot set property WakeSystem"));
            return {};
        }
        if (loaded.contains(name)) {
            sendErrorReply(QStringLiteral("org.freedesktop.systemd1.UnitExists"),
                           QStringLiteral("Unit %1 was already loaded").arg(name));
            return {};
        }
        for (const AuxUnit &a : aux)
            unit.aux.append({a.name, plainProperties(a.properties)});
        started.append(unit);
        if (name.endsWith(QLatin1String(".timer")))
            loaded.append(name);
        return QDBusObjectPath(
            QStringLiteral("/org/freedesktop/systemd1/job/%1").arg(started.size()));
    }

    QList<systemdbus::UnitStatus> ListUnitsByPatterns(const QStringList &states,
                                                      const QStringList &patterns)
    {
        Q_UNUSED(states);
        QMutexLocker lock(&mutex);
        if (answerLate())
            return {};
        UnitStatuses out;
        for (const QString &name : std::as_const(loaded)) {
            bool match = patterns.isEmpty();
            for (const QString &p : patterns) {
                match =
                    match || QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                                 .match(name)
                                 .hasMatch();
            }
            if (!match)
                continue;
            UnitStatus s;
            s.name = name;
            s.loadState = QStringLiteral("loaded");
            s.activeState = QStringLiteral("active");
            s.subState = QStringLiteral("waiting");
            s.path = QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/unit/x"));
            s.jobPath = QDBusObjectPath(QStringLiteral("/"));
            out.append(s);
        }
        return out;
    }

    QDBusObjectPath StopUnit(const QString &name, const QString &mode)
    {
        Q_UNUSED(mode);
        QMutexLocker lock(&mutex);
        if (answerLate())
            return {};
        if (!loaded.removeOne(name)) {
            sendErrorReply(QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"), name);
            return {};
        }
        stopped.append(name);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/stop"));
    }

private:
    bool answerLate()
    {
        ++calls;
        if (answerAfterMs <= 0)
            return false;
        setDelayedReply(true);
        QTimer::singleShot(answerAfterMs, this,
                           [bus = connection(), reply = message().createReply()] {
                               QDBusConnection(bus).send(reply);
                           });
        return true;
    }
};

// A notification server that keeps what it is asked to show.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown
    {
        QString appName;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    QList<Shown> shown;
    mutable QMutex mutex;

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int timeout)
    {
        Q_UNUSED(replacesId);
        Q_UNUSED(icon);
        Q_UNUSED(actions);
        Q_UNUSED(timeout);
        QMutexLocker lock(&mutex);
        shown.append({appName, summary, body, hints});
        return uint(shown.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }
};

class SystemdBackend : public testing::Test
{
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        registerTypes();
        if (m_bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
        m_serverName = QStringLiteral("fake-server-%1").arg(++s_count);
        m_clientName = QStringLiteral("client-%1").arg(s_count);
        m_server.reset(
            new QDBusConnection(QDBusConnection::connectToBus(m_bus.address(), m_serverName)));
        m_client.reset(
            new QDBusConnection(QDBusConnection::connectToBus(m_bus.address(), m_clientName)));
        ASSERT_TRUE(m_server->isConnected());
        ASSERT_TRUE(m_client->isConnected());
        // The fakes answer on a thread of their own, since the backend's calls block.
        m_thread.start();
        m_manager.moveToThread(&m_thread);
        m_notifications.moveToThread(&m_thread);
        ASSERT_TRUE(m_server->registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                             &m_notifications, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_server->registerService(QStringLiteral("org.freedesktop.Notifications")));
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toLocal8Bit());
    }
    void TearDown() override
    {
        if (m_server) {
            m_server->unregisterObject(SystemdLocalNotifications::kPath);
            m_server->unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        }
        m_thread.quit();
        m_thread.wait();
        m_server.reset();
        m_client.reset();
        QDBusConnection::disconnectFromBus(m_serverName);
        QDBusConnection::disconnectFromBus(m_clientName);
    }
    void startManager()
    {
        ASSERT_TRUE(m_server->registerObject(SystemdLocalNotifications::kPath, &m_manager,
                                             QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_server->registerService(SystemdLocalNotifications::kService));
    }
    std::unique_ptr<SystemdLocalNotifications>
    backend(QDateTime now, std::unique_ptr<LocalNotifications> fallback = {})
    {
        return std::make_unique<SystemdLocalNotifications>(
            *m_client, QStringLiteral("/usr/bin/notify-send"), [now] { return now; },
            std::move(fallback));
    }
    // Lets the queued requests reach the manager and their answers come back.
    static bool settle(const SystemdLocalNotifications &b)
    {
        QElapsedTimer waited;
        waited.start();
        while (b.busy() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return !b.busy();
    }
    // Runs the command a recorded service would run, against the fake notification server.
    bool runService(const QVariantMap &service)
    {
        const auto commands = service.value(QStringLiteral("ExecStart")).value<ExecCommands>();
        if (commands.size() != 1)
            return false;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &assignment :
             service.value(QStringLiteral("Environment")).toStringList())
            env.insert(assignment.section(QLatin1Char('='), 0, 0),
                       assignment.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(env);
        process.start(commands[0].path, commands[0].argv.mid(1));
        return process.waitForFinished(10000) && process.exitCode() == 0;
    }

    PrivateBus m_bus;
    QString m_serverName;
    QString m_clientName;
    std::unique_ptr<QDBusConnection> m_server;
    std::unique_ptr<QDBusConnection> m_client;
    QThread m_thread;
    FakeManager m_manager;
    FakeNotificationServer m_notifications;
    static inline int s_count = 0;
};

const QDateTime kNow(QDate(2024, 3, 5), QTime(21, 30), QTimeZone::utc());
const QTimeZone kBerlin("Europe/Berlin");

TEST_F(SystemdBackend, IsAvailableOnlyWhenTheManagerIsOnTheBus)
{
    EXPECT_FALSE(SystemdLocalNotifications::isAvailable(*m_client));
    startManager();
    EXPECT_TRUE(SystemdLocalNotifications::isAvailable(*m_client));
    QTemporaryDir dir;
    auto chosen = createLocalNotifications(Folders::under(dir.path()), *m_client);
    if (!QStandardPaths::findExecutable(QStringLiteral("notify-send")).isEmpty()) {
        EXPECT_EQ(chosen->backendName(), "systemd user timers");
    }
}

TEST_F(SystemdBackend, SchedulesOneTransientTimerWithItsService)
{
    startManager();
    auto b = backend(kNow);
    const QDateTime fire(QDate(2024, 3, 6), QTime(7, 0), kBerlin);
    ASSERT_TRUE(b->schedule(fire, QStringLiteral("Alarm"), true));
    ASSERT_TRUE(settle(*b));
    EXPECT_TRUE(b->lastError().isEmpty()) << b->lastError().toStdString();

    QMutexLocker lock(&m_manager.mutex);
    ASSERT_EQ(m_manager.started.size(), 1);
    const RecordedUnit &timer = m_manager.started[0];
    EXPECT_TRUE(timer.name.startsWith("powerdeck-notify-20240306-060000-"))
        << timer.name.toStdString();
    EXPECT_TRUE(timer.name.endsWith(".timer"));
    EXPECT_EQ(timer.mode, "fail");
    const auto calendar = timer.properties["TimersCalendar"].value<CalendarTimers>();
    ASSERT_EQ(calendar.size(), 1);
    EXPECT_EQ(calendar[0].base, "OnCalendar");
    // 07:00 in Berlin in winter, as an absolute UTC time.
    EXPECT_EQ(calendar[0].spec, "2024-03-06 06:00:00 UTC");
    EXPECT_EQ(timer.properties["AccuracyUSec"].toULongLong(), 1000000u);
    EXPECT_EQ(timer.properties["WakeSystem"], QVariant(true));

    ASSERT_EQ(timer.aux.size(), 1);
    QString serviceName = timer.name;
    serviceName.replace(".timer", ".service");
    EXPECT_EQ(timer.aux[0].first, serviceName);
    const auto exec = timer.aux[0].second["ExecStart"].value<ExecCommands>();
    ASSERT_EQ(exec.size(), 1);
    EXPECT_EQ(exec[0].path, "/usr/bin/notify-send");
    EXPECT_EQ(exec[0].argv,
              SystemdLocalNotifications::notifyCommand("/usr/bin/notify-send", "Alarm", true));
    EXPECT_TRUE(exec[0].argv.contains("--hint=string:sound-name:alarm-clock-elapsed"));
    EXPECT_TRUE(exec[0].argv.contains("--urgency=critical"));
    EXPECT_TRUE(exec[0].argv.contains("--hint=string:desktop-entry:io.github.powerdeck.Powerdeck"));
}

TEST_F(SystemdBackend, TheServicePostsTheTextToTheNotificationServer)
{
    if (QStandardPaths::findExecutable(QStringLiteral("notify-send")).isEmpty())
        GTEST_SKIP() << "notify-send is not installed";
    startManager();
    auto b = backend(kNow);
    ASSERT_TRUE(b->schedule(kNow.addSecs(3600), QStringLiteral("Alarm"), true));
    ASSERT_TRUE(b->schedule(kNow.addSecs(7200), QStringLiteral("Battey is full"), false));
    ASSERT_TRUE(settle(*b));
    QList<QVariantMap> services;
    {
        QMutexLocker lock(&m_manager.mutex);
        ASSERT_EQ(m_manager.started.size(), 2);
        for (const RecordedUnit &u : std::as_const(m_manager.started))
            services.append(u.aux.value(0).second);
    }
    for (const QVariantMap &service : std::as_const(services))
        ASSERT_TRUE(runService(service));

    QMutexLocker lock(&m_notifications.mutex);
    ASSERT_EQ(m_notifications.shown.size(), 2);
    const auto &alarm = m_notifications.shown[0];
    EXPECT_EQ(alarm.appName, "Powerdeck");
    EXPECT_EQ(alarm.body, "Alarm");
    EXPECT_EQ(alarm.hints.value("sound-name").toString(), "alarm-clock-elapsed");
    EXPECT_EQ(alarm.hints.value("urgency").toInt(), 2);
    const auto &full = m_notifications.shown[1];
    EXPECT_EQ(full.body, "Battey is full");
    EXPECT_FALSE(full.hints.contains("sound-name"));
    EXPECT_EQ(full.hints.value("urgency").toInt(), 1);
}

TEST_F(SystemdBackend, RetriesWithoutWakeSystemWhenRefused)
{
    startManager();
    m_manager.refuseWakeSystem = true;
    auto b = backend(kNow);
    ASSERT_TRUE(b->schedule(kNow.addSecs(600), QStringLiteral("Alarm"), true));
    ASSERT_TRUE(settle(*b));
    QMutexLocker lock(&m_manager.mutex);
    EXPECT_EQ(m_manager.refusals, 1);
    ASSERT_EQ(m_manager.started.size(), 1);
    EXPECT_FALSE(m_manager.started[0].properties.contains("WakeSystem"));
    EXPECT_TRUE(m_manager.started[0].properties.contains("TimersCalendar"));
}

TEST_F(SystemdBackend, APastMomentStartsTheServiceAtOnce)
{
    startManager();
    auto b = backend(kNow);
    ASSERT_TRUE(b->schedule(kNow.addSecs(-40), QStringLiteral("Battey is discharging"), false));
    ASSERT_TRUE(settle(*b));
    QMutexLocker lock(&m_manager.mutex);
    ASSERT_EQ(m_manager.started.size(), 1);
    const RecordedUnit &unit = m_manager.started[0];
    EXPECT_TRUE(unit.name.startsWith(SystemdLocalNotifications::kUnitPrefix));
    EXPECT_TRUE(unit.name.endsWith(".service"));
    EXPECT_TRUE(unit.aux.isEmpty());
    EXPECT_FALSE(unit.properties.contains("TimersCalendar"));
    EXPECT_EQ(unit.properties["ExecStart"].value<ExecCommands>().value(0).argv.last(),
              "Battey is discharging");
}

TEST_F(SystemdBackend, CancelAllStopsOurTimersAndNothingElse)
{
    startManager();
    auto b = backend(kNow);
    ASSERT_TRUE(b->schedule(kNow.addSecs(600), QStringLiteral("Alarm"), true));
    ASSERT_TRUE(b->scheduleWeekly(kNow.addSecs(1200), 0x3e, QStringLiteral("Alarm"), true));
    ASSERT_TRUE(settle(*b));
    ASSERT_TRUE(b->cancelAll());
    ASSERT_TRUE(settle(*b));
    QMutexLocker lock(&m_manager.mutex);
    EXPECT_EQ(m_manager.stopped.size(), 2);
    for (const QString &name : std::as_const(m_manager.stopped))
        EXPECT_TRUE(name.startsWith("powerdeck-notify-")) << name.toStdString();
    EXPECT_EQ(m_manager.loaded, QStringList{"other-reminder.timer"});
}

TEST_F(SystemdBackend, FailsWithoutAManager)
{
    auto fallback = std::make_unique<RecordingNotifications>();
    RecordingNotifications *handedOver = fallback.get();
    auto b = backend(kNow, std::move(fallback));
    b->schedule(kNow.addSecs(600), QStringLiteral("Alarm"), true);
    ASSERT_TRUE(settle(*b));
    EXPECT_TRUE(b->lastError().startsWith("org.freedesktop.DBus.Error.ServiceUnknown"))
        << b->lastError().toStdString();
    EXPECT_TRUE(b->failedOver());
    EXPECT_EQ(handedOver->calls,
              (QStringList{"cancelAll", "2024-03-05T21:40:00+00:00 Alarm sound"}));
}

TEST_F(SystemdBackend, AHangingManagerNeitherHoldsUpLeavingNorLosesThePlan)
{
    startManager();
    m_manager.answerAfterMs = 10000;
    auto fallback = std::make_unique<RecordingNotifications>();
    RecordingNotifications *handedOver = fallback.get();
    auto b = backend(kNow, std::move(fallback));
    b->setCallTimeout(500);

    QElapsedTimer leaving;
    leaving.start();
    b->cancelAll();
    b->schedule(kNow.addSecs(600), QStringLiteral("Battey is discharging"), false);
    b->scheduleWeekly(kNow.addSecs(3600), 0x3e, QStringLiteral("Alarm"), true);
    EXPECT_LT(leaving.elapsed(), 100);

    // One time-out, and the whole plan is with the fallback.
    ASSERT_TRUE(settle(*b));
    EXPECT_TRUE(b->failedOver());
    EXPECT_TRUE(b->lastError().startsWith("org.freedesktop.DBus.Error.NoReply"))
        << b->lastError().toStdString();
    EXPECT_EQ(handedOver->calls,
              (QStringList{"cancelAll", "2024-03-05T21:40:00+00:00 Battey is discharging",
                           "2024-03-05T22:30:00+00:00 Alarm sound weekly 62"}));

    // The rest of the run does not ask the manager again.
    handedOver->calls.clear();
    const int asked = [this] {
        QMutexLocker lock(&m_manager.mutex);
        return m_manager.calls;
    }();
    leaving.restart();
    b->cancelAll();
    b->schedule(kNow.addSecs(600), QStringLiteral("Alarm"), true);
    EXPECT_LT(leaving.elapsed(), 100);
    EXPECT_FALSE(b->busy());
    EXPECT_EQ(handedOver->calls,
              (QStringList{"cancelAll", "2024-03-05T21:40:00+00:00 Alarm sound"}));
    QMutexLocker lock(&m_manager.mutex);
    EXPECT_EQ(m_manager.calls, asked);
}

TEST_F(SystemdBackend, WhatIsQueuedAtTheEndOfTheRunIsStillSent)
{
    startManager();
    {
        auto b = backend(kNow);
        b->cancelAll();
        b->schedule(kNow.addSecs(600), QStringLiteral("Alarm"), true);
        b->scheduleWeekly(kNow.addSecs(1200), 0x3e, QStringLiteral("Alarm"), true);
    } // the application quits without returning to its event loop
    QMutexLocker lock(&m_manager.mutex);
    EXPECT_EQ(m_manager.started.size(), 2);
}

// Alarms wake a suspended device, battery notices do not; weekly alarms are one repeating timer
// on local calendar days.
struct TimerCase
{
    const char *name;
    quint8 weekdays;
    const char *body;
    bool sound;
    const char *calendar;
    bool wakes;
    bool unloadsAfterFiring;
};

class SystemdTimers : public SystemdBackend, public testing::WithParamInterface<TimerCase>
{
};

TEST_P(SystemdTimers, CarryTheirCalendarAndWakeUp)
{
    const TimerCase &c = GetParam();
    startManager();
    auto b = backend(kNow);
    // 07:30 on the machine's own clock, as the manager reads a calendar without zone.
    const QDateTime first(QDate(2024, 3, 6), QTime(7, 30), QTimeZone::systemTimeZone());
    const bool accepted = c.weekdays ? b->scheduleWeekly(first, c.weekdays, c.body, c.sound)
                                     : b->schedule(first, c.body, c.sound);
    ASSERT_TRUE(accepted);
    ASSERT_TRUE(settle(*b));
    QMutexLocker lock(&m_manager.mutex);
    ASSERT_EQ(m_manager.started.size(), 1);
    const QVariantMap &timer = m_manager.started[0].properties;
    const QString expected = *c.calendar ? QString::fromLatin1(c.calendar)
                                         : SystemdLocalNotifications::calendarSpec(first);
    EXPECT_EQ(timer["TimersCalendar"].value<CalendarTimers>().value(0).spec, expected);
    EXPECT_EQ(timer.contains("WakeSystem"), c.wakes);
    EXPECT_EQ(timer.value("RemainAfterElapse", true).toBool(), !c.unloadsAfterFiring);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SystemdTimers,
    testing::Values(
        TimerCase{"alarm_once", 0, "Alarm", true, "", true, true},
        TimerCase{"battery", 0, "Battey is discharging", false, "", false, true},
        TimerCase{"full", 0, "Battey is full", false, "", false, true},
        TimerCase{"alarm_weekdays", 0x3e, "Alarm", true, "Mon..Fri *-*-* 07:30:00", true, false},
        TimerCase{"alarm_weekend", 0x41, "Alarm", true, "Sat,Sun *-*-* 07:30:00", true, false}),
    [](const testing::TestParamInfo<TimerCase> &info) { return std::string(info.param.name); });

struct WeekdaysCase
{
    quint8 weekdays;
    const char *spec;
};

class SystemdWeeklySpec : public testing::TestWithParam<WeekdaysCase>
{
};

TEST_P(SystemdWeeklySpec, NamesTheDaysMondayFirst)
{
    EXPECT_EQ(SystemdLocalNotifications::weeklyCalendarSpec(GetParam().weekdays, QTime(6, 5))
                  .toStdString(),
              GetParam().spec);
}

INSTANTIATE_TEST_SUITE_P(Days, SystemdWeeklySpec,
                         testing::Values(WeekdaysCase{0x3e, "Mon..Fri *-*-* 06:05:00"},
                                         WeekdaysCase{0x7f, "Mon..Sun *-*-* 06:05:00"},
                                         WeekdaysCase{0x22, "Mon,Fri *-*-* 06:05:00"},
                                         WeekdaysCase{0x03, "Mon,Sun *-*-* 06:05:00"},
                                         WeekdaysCase{0x5d, "Tue..Thu,Sat,Sun *-*-* 06:05:00"},
                                         WeekdaysCase{0x01, "Sun *-*-* 06:05:00"}));

TEST(SystemdCalendarSpec, IsAbsoluteUtc)
{
    const QTimeZone newYork("America/New_York");
    EXPECT_EQ(SystemdLocalNotifications::calendarSpec(
                  QDateTime(QDate(2024, 11, 3), QTime(12, 30), newYork))
                  .toStdString(),
              "2024-11-03 17:30:00 UTC");
    EXPECT_EQ(SystemdLocalNotifications::calendarSpec(
                  QDateTime(QDate(2024, 7, 1), QTime(0, 0, 59), kBerlin))
                  .toStdString(),
              "2024-06-30 22:00:59 UTC");
}

} // namespace

#include "test_localnotifications_systemd.moc"
