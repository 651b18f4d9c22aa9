#include "cli/batteryfeed.h"

#include "platform/batterysource.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonObject>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

BatteryFeed::BatteryFeed(BatterySource &source, std::function<QByteArray()> line,
                         std::function<bool(const QByteArray &)> write, int tickMs, QObject *parent)
    : QObject(parent), m_source(source), m_line(std::move(line)), m_write(std::move(write))
{
    m_tick.setInterval(tickMs);
    connect(&m_tick, &QTimer::timeout, this, &BatteryFeed::emitLine);
    connect(&m_source, &BatterySource::batteryLevelDidChange, this, &BatteryFeed::emitLine);
    connect(&m_source, &BatterySource::batteryStateDidChange, this, &BatteryFeed::emitLine);
}

void BatteryFeed::start()
{
    m_source.setBatteryMonitoringEnabled(true);
    emitLine();
    if (!m_done)
        m_tick.start();
}

void BatteryFeed::emitLine()
{
    if (m_done)
        return;
    QByteArray text = m_line();
    text.append('\n');
    if (!m_write(text)) {
        m_done = true;
        m_tick.stop();
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
    tooltip += QStringLiteral("\nStandby: ") + standby;
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

int runBatteryFeedOnStdout(BatterySource &source, const std::function<QByteArray()> &line,
                           int tickMs)
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
    BatteryFeed feed(
        source, line,
        [](const QByteArray &text) {
            return std::fwrite(text.constData(), 1, size_t(text.size()), stdout) ==
                       size_t(text.size()) &&
                   std::fflush(stdout) == 0;
        },
        tickMs);
    QObject::connect(&feed, &BatteryFeed::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    feed.start();
    loop.exec();
    return 0;
}
