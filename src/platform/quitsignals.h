// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QCoreApplication;
class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (session logout, `systemctl --user stop`, Ctrl-C) into a
// normal quit of the event loop, so that everything the application does when it quits (the
// notification plan, the unsaved charge history) still happens. The signal handler only writes
// the signal's number into a pipe; the event loop reads it and quits. A second signal while the
// application is still quitting ends it the default way.
//
// One instance at a time; destroying it restores the previous handlers.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // Whether the handlers are in place.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    // A termination signal arrived; emitted on the event loop before quitting.
    void received(int signalNumber);

private:
    void readSignals();
    void quitWhenRunning();

    QSocketNotifier *m_notifier = nullptr;
};

// Installs the handlers for the application's lifetime (the object is the application's child).
QuitSignals *quitOnTerminationSignals(QCoreApplication *app);
