// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/batteryfeed.h"

#include "battery/timeforaction.h"
#include "core/batterymonitor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonObject>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

BatteryFeed::BatteryFeed(BatteryMonitor &monitor, Line line,
                         std::function<bool(const QByteArray &)> write, QObject *parent)
    : QObject(parent), m_monitor(monitor), m_line(std::move(line)), m_write(std::move(write))
{
}

void BatteryFeed::start()
{
    connect(&m_monitor, &BatteryMonitor::readingChanged, this, &BatteryFeed::emitLine);
    m_monitor.sample();
}

void BatteryFeed::emitLine(const BatteryReading &reading)
{
    if (m_done)
        return;
    QByteArray text = m_line(reading);
    text.append('\n');
    if (!m_write(text)) {
        m_done = true;
        disconnect(&m_monitor, nullptr, this, nullptr);
        emit finished();
    }
}

QJsonObject waybarReport(const QJsonObject &report)
{
    const double level = report.value(QStringLiteral("batteryLevel")).toDouble(-1);
    const int state = report.value(QStringLiteral("batteryState")).toInt();
    const bool known = level >= 0;
    const int percentage = known ? int(level + 0.5) : 0;
    QString cls;
    switch (state) {
    case 1:
        cls = QStringLiteral("discharging");
        break;
    case 2:
        cls = QStringLiteral("charging");
        break;
    case 3:
        cls = QStringLiteral("full");
        break;
    default:
        cls = QStringLiteral("unknown");
        break;
    }
    if (known && state == 1 && level < 10)
        cls = QStringLiteral("critical");
    const QString standby =
        report.value(QStringLiteral("standby")).toObject().value(QStringLiteral("text")).toString();
    QString tooltip = known ? QStringLiteral("Battery %1 % (%2)").arg(percentage).arg(cls)
                            : QStringLiteral("Battery unknown");
    const QJsonValue watts = report.value(QStringLiteral("watts"));
    if (watts.isDouble())
        tooltip += QStringLiteral("\nDraw: %1 W").arg(watts.toDouble(), 0, 'f', 1);
    tooltip += QStringLiteral("\nStandby: ") + standby;
    const QJsonObject toFull = report.value(QStringLiteral("timeToFull")).toObject();
    const QJsonValue toFullHours = toFull.value(QStringLiteral("hours"));
    if (toFullHours.isDouble() && toFullHours.toDouble() > 0)
        tooltip += QStringLiteral("\nFull in ") +
                   QString::fromStdString(floatToTime(float(toFullHours.toDouble())));
    else if (!toFull.isEmpty())
        tooltip += QLatin1Char('\n') + toFull.value(QStringLiteral("text")).toString();
    return QJsonObject{
        {"text", known ? QStringLiteral("%1%").arg(percentage) : QStringLiteral("n/a")},
        {"tooltip", tooltip},
        {"class", cls},
        {"percentage", percentage}};
}

namespace {

int g_signalPipe[2] = {-1, -1};

void onQuitSignal(int)
{
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

int runBatteryFeedOnStdout(BatteryMonitor &monitor, const BatteryFeed::Line &line)
{
    // A closed pipe shows as a failed write (EPIPE) instead of killing the program, so that a
    // reader going away (`| head -1`, a status bar restarting) ends the feed quietly.
    std::signal(SIGPIPE, SIG_IGN);
    QEventLoop loop;
    if (::pipe(g_signalPipe) == 0) {
        struct sigaction action = {};
        action.sa_handler = onQuitSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
        auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &loop);
        QObject::connect(notifier, &QSocketNotifier::activated, &loop, [&loop] { loop.quit(); });
    }
    BatteryFeed feed(monitor, line, [](const QByteArray &text) {
        return std::fwrite(text.constData(), 1, size_t(text.size()), stdout) ==
                   size_t(text.size()) &&
               std::fflush(stdout) == 0;
    });
    QObject::connect(&feed, &BatteryFeed::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    feed.start();
    loop.exec();
    return 0;
}
