// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/quitsignals.h"

#include "platform/logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read on the event loop: [0] read end, [1] write end.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[kSignals.size()];
// A signal the application was started with ignored (nohup) stays ignored.
bool g_installed[kSignals.size()] = {};

void onSignal(int number)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    // The next such signal is not waited for: a quit that hangs can still be ended.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (g_installed[i])
            ::sigaction(kSignals[i], &fallback, nullptr);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (g_pipe[0] >= 0) {
        qCWarning(lcApp, "termination signals are already handled");
        return;
    }
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcApp, "no pipe for termination signals: %s", strerror(errno));
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &g_previous[i]);
        g_installed[i] = g_previous[i].sa_handler != SIG_IGN;
        if (g_installed[i])
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (g_installed[i])
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
        g_installed[i] = false;
    }
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitSignals::readSignals()
{
    unsigned char numbers[16];
    ssize_t got;
    bool any = false;
    while ((got = ::read(g_pipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
            qCInfo(lcApp, "signal %d, quitting", int(numbers[i]));
            emit received(numbers[i]);
        }
        any = true;
    }
    if (any)
        quitWhenRunning();
}

void QuitSignals::quitWhenRunning()
{
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::quit();
        return;
    }
    // Start-up may process events before the event loop runs, and a quit then is lost: try
    // again until the loop runs.
    QTimer::singleShot(10, this, &QuitSignals::quitWhenRunning);
}

QuitSignals *quitOnTerminationSignals(QCoreApplication *app)
{
    return new QuitSignals(app);
}
