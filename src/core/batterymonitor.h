// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batteryreading.h"
#include "core/drawmeter.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <map>
#include <string>

class BatterySource;

// The one battery monitor. It reads every power supply once per event (a change the kernel
// reports, a resume, the 45 s tick, and every few seconds while a screen shows the live draw),
// measures the draw, makes the estimates, and hands the same reading to every screen.
//
// What it measured is kept in a small file, so that a later start (on the same boot, with the
// battery going the same way) has an estimate at once.
class BatteryMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 45000;
    static constexpr int kFirstReadingMs = 400;
    // While the draw is on screen.
    static constexpr int kLiveIntervalMs = 5000;
    // How often the measurement is kept on disk while it runs.
    static constexpr double kHistorySeconds = 300;
    // What a kept measurement counts for at the next start: a minute of data.
    static constexpr double kPriorSeconds = 60;

    // Seconds on CLOCK_MONOTONIC and on CLOCK_BOOTTIME (which also counts suspended time).
    struct Clock
    {
        std::function<double()> monotonic;
        std::function<double()> boottime;
    };
    static Clock systemClock();

    struct Options
    {
        int intervalMs = kIntervalMs;
        // The file of kept measurements; empty for none. Read at start; written only when
        // writeHistory is set.
        QString historyPath;
        bool writeHistory = true;
        // The kernel's boot id: kept measurements are used only on the boot they were made on.
        std::string bootId;
        drawmeter::Settings meter;
    };

    BatteryMonitor(BatterySource &source, Options options, Clock clock = systemClock(),
                   QObject *parent = nullptr);
    // Keeps the last measurement and waits for the file to be written.
    ~BatteryMonitor() override;

    // The latest reading; before the first read, a reading of nothing.
    const BatteryReading &reading() const { return m_reading; }
    bool hasReading() const { return m_hasReading; }
    // Reads the supplies now and hands the reading on.
    void sample();
    // The latest reading, reading the supplies first if that has not happened yet.
    const BatteryReading &ensureReading();
    // A screen shows the live draw (and the window is visible): read every few seconds.
    void setLive(bool live);
    bool isLive() const { return m_live.isActive(); }

    const drawmeter::Meter &meter() const { return m_meter; }
    // How many times the supplies were read.
    int reads() const { return m_reads; }
    // Waits until the kept measurement is on disk.
    void waitForHistory();

    QTimer &timer() { return m_timer; }
    QTimer &firstReadingTimer() { return m_first; }
    QTimer &liveTimer() { return m_live; }

signals:
    // Every reading taken for an event, a tick or the first read; a live read only when it
    // changes what the screens show.
    void readingChanged(const BatteryReading &reading);

private:
    void read(bool onlyIfChanged);
    void loadHistory();
    void keep(const drawmeter::Record &record);
    void writeHistory();

    BatterySource &m_source;
    Options m_options;
    Clock m_clock;
    drawmeter::Meter m_meter;
    BatteryReading m_reading;
    bool m_hasReading = false;
    int m_reads = 0;
    // The discharge draw last measured in this run, for the standby estimate on external power.
    std::optional<MeasuredDraw> m_lastDischarge;
    std::map<drawmeter::Direction, drawmeter::Record> m_history;
    double m_historyKeptAt = -1;
    bool m_historyDirty = false;
    QThreadPool m_writer;
    QTimer m_timer;
    QTimer m_first;
    QTimer m_live;
};
