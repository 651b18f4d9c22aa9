// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include "cli/batteryfeed.h"

#include "battery/summary.h"
#include "battery/timeforaction.h"
#include "core/appstate.h"
#include "core/batterymonitor.h"
#include "device/batterywear.h"
#include "device/devicespectable.h"
#include "monitor/reachability.h"
#include "platform/batterysource.h"
#include "platform/folders.h"
#include "platform/kernelidentity.h"
#include "platform/powersupply.h"
#include "platform/screen.h"
#include "platform/userdefaults.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <optional>

namespace {

enum class Format { Text, Json, Waybar };

struct BatteryOptions
{
    Format format = Format::Text;
    bool watch = false;
    int intervalMs = BatteryMonitor::kIntervalMs;
    std::optional<QString> platform;
    std::optional<int> charge;
    std::optional<float> percent;
    std::optional<double> brightness;
    SystemRoots roots;
};

const char *stateText(int state, bool held)
{
    switch (state) {
    case 1:
        return "unplugged";
    case 2:
        return "charging";
    case 3:
        return held ? "held at the charge limit" : "full";
    default:
        return "unknown";
    }
}

const char *networkText(int status)
{
    return status == 1 ? "wifi" : status == 2 ? "cellular" : "none";
}

// Parses the options; on error fills message and returns nothing.
std::optional<BatteryOptions> parseOptions(const QStringList &args, QString &message)
{
    BatteryOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto next = [&](QString &value) {
            if (i + 1 >= args.size()) {
                message = QStringLiteral("option %1 needs a value").arg(a);
                return false;
            }
            value = args[++i];
            return true;
        };
        QString v;
        bool ok = false;
        if (a == QLatin1String("--json")) {
            o.format = Format::Json;
        } else if (a == QLatin1String("--watch")) {
            o.watch = true;
        } else if (a == QLatin1String("--format")) {
            if (!next(v))
                return std::nullopt;
            if (v == QLatin1String("json")) {
                o.format = Format::Json;
            } else if (v == QLatin1String("waybar")) {
                o.format = Format::Waybar;
            } else if (v == QLatin1String("text")) {
                o.format = Format::Text;
            } else {
                message = QStringLiteral("--format wants json, waybar or text, not '%1'").arg(v);
                return std::nullopt;
            }
        } else if (a == QLatin1String("--interval")) {
            if (!next(v))
                return std::nullopt;
            const double seconds = v.toDouble(&ok);
            if (!ok || !(seconds >= 0.1 && seconds <= 86400)) {
                message = QStringLiteral(
                              "--interval wants a number of seconds from 0.1 to 86400, not '%1'")
                              .arg(v);
                return std::nullopt;
            }
            o.intervalMs = int(seconds * 1000);
        } else if (a == QLatin1String("--platform")) {
            if (!next(v))
                return std::nullopt;
            if (v.isEmpty()) {
                message = QStringLiteral("--platform needs a non-empty identifier");
                return std::nullopt;
            }
            o.platform = v;
        } else if (a == QLatin1String("--charge")) {
            if (!next(v))
                return std::nullopt;
            const int c = v.toInt(&ok);
            if (!ok || c < 0) {
                message =
                    QStringLiteral("--charge wants a whole number of mAh (0 or more), not '%1'")
                        .arg(v);
                return std::nullopt;
            }
            o.charge = c;
        } else if (a == QLatin1String("--percent")) {
            if (!next(v))
                return std::nullopt;
            const float p = v.toFloat(&ok);
            if (!ok || !(p >= 0 && p <= 100)) {
                message = QStringLiteral("--percent wants a number from 0 to 100, not '%1'").arg(v);
                return std::nullopt;
            }
            o.percent = p;
        } else if (a == QLatin1String("--brightness")) {
            if (!next(v))
                return std::nullopt;
            const double b = v.toDouble(&ok);
            if (!ok || !(b >= 0 && b <= 1)) {
                message =
                    QStringLiteral("--brightness wants a number from 0 to 1, not '%1'").arg(v);
                return std::nullopt;
            }
            o.brightness = b;
        } else if (a == QLatin1String("--sysfs-root")) {
            if (!next(v))
                return std::nullopt;
            if (!QFileInfo(v).isDir()) {
                message = QStringLiteral("--sysfs-root: no folder '%1'").arg(v);
                return std::nullopt;
            }
            o.roots.sysfs = v;
        } else if (a == QLatin1String("--procfs-root")) {
            if (!next(v))
                return std::nullopt;
            if (!QFileInfo(v).isDir()) {
                message = QStringLiteral("--procfs-root: no folder '%1'").arg(v);
                return std::nullopt;
            }
            o.roots.procfs = v;
        } else {
            message = QStringLiteral("unknown option '%1' for battery").arg(a);
            return std::nullopt;
        }
    }
    return o;
}

// Everything the battery report says, for one reading of the monitor.
struct BatteryReport
{
    QString platform;
    bool hasBattery = false;
    // Without a battery the text says so and gives no times, as the summary panel does, unless a
    // charge or percent to estimate for was given.
    bool noTimes = false;
    // The draw is still being measured (or, without a battery, never will be): no times.
    bool measuring = false;
    QString deviceName;
    float nominal = 0;
    float batteryLevel = -1;
    int batteryState = 0;
    int level = 0;
    int network = 0;
    double brightness = 0;
    float standby = 0;
    Profile profile;
    QVariantMap detailed;
    BatteryReading reading;

    float hoursOf(std::string_view key) const
    {
        const auto it = profile.find(key);
        return it == profile.end() ? 0.0f : it->second;
    }
    QString timeText(float hours) const
    {
        if (noTimes)
            return QString::fromLatin1(summary::kNoTime);
        if (measuring)
            return QString::fromUtf8(summary::kCalculating);
        return QString::fromStdString(floatToTime(hours));
    }
    QJsonValue hoursValue(float hours) const
    {
        return measuring ? QJsonValue() : QJsonValue(double(hours));
    }
    // Hours to the charge limit: while on external power or charging only.
    bool showsTimeToFull() const
    {
        return reading.externalPower || reading.state == BatteryState::Charging;
    }
    QString timeToFullText() const
    {
        if (!reading.timeToFullHours)
            return reading.state == BatteryState::Charging
                       ? QString::fromUtf8(summary::kCalculating)
                       : QString::fromLatin1(summary::kNoTime);
        if (*reading.timeToFullHours <= 0)
            return QStringLiteral("Battery is full");
        return QString::fromStdString(needTimeText(float(*reading.timeToFullHours)));
    }
};

BatteryReport readReport(const BatteryOptions &o, const BatteryReading &reading)
{
    BatteryReport r;
    const UserDefaults defaults(UserDefaults::standardPath());
    r.platform = o.platform.value_or(platformIdentifier(&defaults));
    r.reading = reading;
    r.batteryLevel = reading.percent;
    r.batteryState = int(reading.state);

    DeviceSpecTable specs(Folders::standard().resources + QStringLiteral("/devices.plist"),
                          r.platform, o.roots);
    specs.normBAt();
    r.deviceName = specs.name();
    r.nominal = specs.glCapasity();
    const float percent = o.percent.value_or(r.batteryLevel);
    r.hasBattery = reading.hasBattery;
    r.noTimes = !reading.hasBattery && !o.charge && summary::isUnknownLevel(percent);
    r.level = o.charge.value_or(chargeForPercent(percent, r.nominal));
    r.brightness = o.brightness.value_or(screenBrightness(o.roots));
    r.network = periferikStatus(o.roots);

    const QString platform = r.platform;
    const double nominal = r.nominal;
    const HostClass host = hostClass(o.roots);
    timeForAction estimator(
        [platform] { return platform.toStdString(); }, float(r.brightness),
        [&reading, nominal, host] { return hostDrawOf(reading, nominal, host); });
    // The standby figure and the activity list both start from the same charge here.
    r.profile = estimator.checkDeviceModel(r.level);
    r.measuring = estimator.measuring();
    r.standby = r.hoursOf("stand");
    r.detailed = reading.detailedReading();
    return r;
}

QJsonValue optionalNumber(const std::optional<double> &v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

QJsonObject toJson(const BatteryReport &r)
{
    QJsonArray list;
    for (const Activity &a : activities()) {
        const float hours = r.hoursOf(a.key);
        list.append(QJsonObject{{"key", QString::fromUtf8(a.key.data(), a.key.size())},
                                {"label", QString::fromUtf8(a.label.data(), a.label.size())},
                                {"hours", r.hoursValue(hours)},
                                {"text", r.timeText(hours)}});
    }
    const PowerSupplySnapshot &battery = r.reading.supply;
    return QJsonObject{
        {"platform", r.platform},
        {"battery", r.hasBattery},
        {"deviceName", r.deviceName},
        {"nominalCapacity", double(r.nominal)},
        {"batteryLevel", double(r.batteryLevel)},
        {"batteryState", r.batteryState},
        {"heldAtLimit", r.reading.heldAtLimit},
        {"chargeLimit", r.reading.chargeLimit ? QJsonValue(*r.reading.chargeLimit) : QJsonValue()},
        {"Level", r.level},
        {"networkStatus", r.network},
        {"brightness", r.brightness},
        {"watts", optionalNumber(r.reading.shownWatts())},
        {"standby",
         QJsonObject{{"hours", r.hoursValue(r.standby)}, {"text", r.timeText(r.standby)}}},
        {"timeToFull",
         r.showsTimeToFull()
             ? QJsonValue(QJsonObject{{"hours", optionalNumber(r.reading.timeToFullHours)},
                                      {"text", r.timeToFullText()}})
             : QJsonValue()},
        {"activities", list},
        {"detailed",
         r.detailed.isEmpty() ? QJsonValue() : QJsonValue(QJsonObject::fromVariantMap(r.detailed))},
        {"wearPercent", optionalNumber(battery.wearPercent)},
        {"cycleCount", battery.cycleCount ? QJsonValue(*battery.cycleCount) : QJsonValue()},
        {"technology",
         battery.technology.isEmpty() ? QJsonValue() : QJsonValue(battery.technology)},
        {"manufacturer",
         battery.manufacturer.isEmpty() ? QJsonValue() : QJsonValue(battery.manufacturer)},
    };
}

void printText(const BatteryReport &r, QTextStream &out)
{
    auto row = [&out](const QString &label, const QString &value) {
        out << "  " << (label + QLatin1Char(':')).leftJustified(22) << value << '\n';
    };
    out << "battery\n";
    row(QStringLiteral("level"),
        !r.hasBattery ? QString::fromLatin1(summary::kNoBattery)
        : r.batteryLevel < 0
            ? QStringLiteral("unknown")
            : QString::number(double(r.batteryLevel), 'f', 1) + QStringLiteral(" %"));
    row(QStringLiteral("state"),
        QString::fromLatin1(stateText(r.batteryState, r.reading.heldAtLimit)));
    row(QStringLiteral("platform"), r.platform);
    row(QStringLiteral("device"),
        r.deviceName.isEmpty() ? QStringLiteral("unknown") : r.deviceName);
    row(QStringLiteral("nominal capacity"),
        QString::number(double(r.nominal), 'f', 0) + QStringLiteral(" mAh"));
    row(QStringLiteral("Level"), QString::number(r.level) + QStringLiteral(" mAh"));
    row(QStringLiteral("network"), QString::fromLatin1(networkText(r.network)));
    row(QStringLiteral("brightness"), QString::number(r.brightness, 'f', 2));
    for (auto it = r.detailed.cbegin(); it != r.detailed.cend(); ++it)
        row(it.key(), it.value().toString());
    const QList<batterywear::Row> wear = batterywear::rows(r.reading.supply);
    if (!wear.isEmpty()) {
        out << "measured wear\n";
        for (const batterywear::Row &w : wear)
            row(w.first, w.second);
    }
    out << "measured\n";
    const std::optional<double> watts = r.reading.shownWatts();
    row(QStringLiteral("draw"), watts ? QString::number(*watts, 'f', 1) + QStringLiteral(" W")
                                      : QString::fromLatin1(summary::kNoTime));
    if (r.showsTimeToFull())
        row(QStringLiteral("time to full"), r.timeToFullText());
    out << "standby\n";
    row(QStringLiteral("Standy mode"), r.timeText(r.standby));
    out << "activities\n";
    for (const Activity &a : activities())
        row(QString::fromUtf8(a.label.data(), a.label.size()), r.timeText(r.hoursOf(a.key)));
}

// One line of the feed: the JSON report or its waybar shape, compact.
QByteArray feedLine(const BatteryOptions &o, const BatteryReading &reading)
{
    const QJsonObject report = toJson(readReport(o, reading));
    return QJsonDocument(o.format == Format::Waybar ? waybarReport(report) : report)
        .toJson(QJsonDocument::Compact);
}

BatteryMonitor::Options monitorOptions(const BatteryOptions &o)
{
    BatteryMonitor::Options m;
    m.intervalMs = o.intervalMs;
    // What the application measured on this boot gives a first estimate at once; it belongs to
    // the system's own battery, never to a tree given with --sysfs-root.
    if (o.roots.sysfs == QLatin1String("/sys"))
        m.historyPath = AppState::drawHistoryPath(Folders::standard());
    m.writeHistory = false;
    m.bootId = bootId(o.roots).toStdString();
    return m;
}

std::unique_ptr<PowerSupplyEvents> kernelEvents(const SystemRoots &roots)
{
    // A fixture tree sends no kernel events.
    if (roots.sysfs != QLatin1String("/sys"))
        return {};
    return std::make_unique<KernelPowerSupplyEvents>();
}

} // namespace

int runBatteryCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString message;
    const std::optional<BatteryOptions> parsed = parseOptions(args, message);
    if (!parsed) {
        err << "powerdeck-cli: " << message << Qt::endl;
        return 2;
    }
    const BatteryOptions &o = *parsed;

    SysfsBatterySource source(o.roots, o.watch ? kernelEvents(o.roots) : nullptr);
    BatteryMonitor monitor(source, monitorOptions(o));
    if (o.watch) {
        // Status bars read JSON lines: the text layout is never streamed.
        BatteryOptions lineOptions = o;
        if (lineOptions.format == Format::Text)
            lineOptions.format = Format::Json;
        out.flush();
        return runBatteryFeedOnStdout(monitor, [lineOptions](const BatteryReading &reading) {
            return feedLine(lineOptions, reading);
        });
    }

    const BatteryReport report = readReport(o, monitor.ensureReading());
    switch (o.format) {
    case Format::Json:
        out << QJsonDocument(toJson(report)).toJson(QJsonDocument::Indented);
        break;
    case Format::Waybar:
        out << QJsonDocument(waybarReport(toJson(report))).toJson(QJsonDocument::Compact) << '\n';
        break;
    case Format::Text:
        printText(report, out);
        break;
    }
    out.flush();
    return 0;
}
