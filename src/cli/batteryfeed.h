#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class BatterySource;
class QJsonObject;

// The status-bar feed: one line at start, one on every change the battery source reports (the
// kernel's power_supply uevents) and one on every tick. Each line is handed to write(), which
// returns false once the reader has gone; the feed then stops and emits finished().
class BatteryFeed : public QObject
{
    Q_OBJECT
public:
    BatteryFeed(BatterySource &source, std::function<QByteArray()> line,
                std::function<bool(const QByteArray &)> write, int tickMs,
                QObject *parent = nullptr);

    void start();

signals:
    void finished();

private:
    void emitLine();

    BatterySource &m_source;
    std::function<QByteArray()> m_line;
    std::function<bool(const QByteArray &)> m_write;
    QTimer m_tick;
    bool m_done = false;
};

// The waybar "custom" module shape of a battery report (the object `battery --json` prints):
// {"text", "tooltip", "class", "percentage"}; class is charging, discharging, full, unknown, or
// critical when discharging below 10 %.
QJsonObject waybarReport(const QJsonObject &report);

// Runs the feed on stdout until the reader closes the pipe or SIGTERM/SIGINT arrives; returns
// the exit status (0 in both cases).
int runBatteryFeedOnStdout(BatterySource &source, const std::function<QByteArray()> &line,
                           int tickMs);
