// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class BatteryMonitor;
struct BatteryReading;
class QJsonObject;

// The status-bar feed: one line at start and one for every reading of the battery monitor (a
// change the kernel reports, a resume, every tick of the monitor). Each line is handed to
// write(), which returns false once the reader has gone; the feed then stops and emits
// finished().
class BatteryFeed : public QObject
{
    Q_OBJECT
public:
    using Line = std::function<QByteArray(const BatteryReading &)>;

    BatteryFeed(BatteryMonitor &monitor, Line line, std::function<bool(const QByteArray &)> write,
                QObject *parent = nullptr);

    // Reads the battery for the first line.
    void start();

signals:
    void finished();

private:
    void emitLine(const BatteryReading &reading);

    BatteryMonitor &m_monitor;
    Line m_line;
    std::function<bool(const QByteArray &)> m_write;
    bool m_done = false;
};

// The waybar "custom" module shape of a battery report (the object `battery --json` prints):
// {"text", "tooltip", "class", "percentage"}; class is charging, discharging, full, unknown, or
// critical when discharging below 10 %.
QJsonObject waybarReport(const QJsonObject &report);

// Runs the feed on stdout until the reader closes the pipe or SIGTERM/SIGINT arrives; returns
// the exit status (0 in both cases).
int runBatteryFeedOnStdout(BatteryMonitor &monitor, const BatteryFeed::Line &line);
