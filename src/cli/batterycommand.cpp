#include "cli/cli.h"

#include "battery/summary.h"
#include "battery/timeforaction.h"
#include "core/nrbatteryinfo.h"
#include "device/devicespectable.h"
#include "monitor/reachability.h"
#include "platform/folders.h"
#include "platform/kernelidentity.h"
#include "platform/powersupply.h"
#include "platform/screen.h"
#include "platform/userdefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

struct BatteryOptions
{
    bool json = false;
    std::optional<QString> platform;
    std::optional<int> charge;
    std::optional<float> percent;
    std::optional<double> brightness;
    SystemRoots roots;
};

const char *stateText(int state)
{
    switch (state) {
    case 1: return "unplugged";
    case 2: return "charging";
    case 3: return "full";
    default: return "unknown";
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
            o.json = true;
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
                message = QStringLiteral("--charge wants a whole number of mAh (0 or more), not '%1'").arg(v);
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
                message = QStringLiteral("--brightness wants a number from 0 to 1, not '%1'").arg(v);
                return std::nullopt;
            }
            o.brightness = b;
        } else if (a == QLatin1String("--sysfs-root")) {
            if (!next(v))
                return std::nullopt;
            o.roots.sysfs = v;
        } else if (a == QLatin1String("--procfs-root")) {
            if (!next(v))
                return std::nullopt;
            o.roots.procfs = v;
        } else {
            message = QStringLiteral("unknown option '%1' for battery").arg(a);
            return std::nullopt;
        }
    }
    return o;
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

    const UserDefaults defaults(UserDefaults::standardPath());
    const QString platform = o.platform.value_or(platformIdentifier(&defaults));
    const PowerSupplySnapshot snap = readPowerSupplies(o.roots);
    const QVariantMap reading = NRBatteryInfo::reading(float(snap.level), snap.state);
    const float batteryLevel = reading.value(QStringLiteral("batteryLevel")).toFloat();
    const int batteryState = reading.value(QStringLiteral("batteryState")).toInt();

    DeviceSpecTable specs(Folders::standard().resources + QStringLiteral("/devices.plist"), platform,
                          o.roots);
    specs.normBAt();
    const float nominal = specs.glCapasity();
    const float percent = o.percent.value_or(batteryLevel);
    const int level = o.charge.value_or(chargeForPercent(percent, nominal));
    const double brightness = o.brightness.value_or(screenBrightness(o.roots));
    const int network = periferikStatus(o.roots);

    timeForAction estimator([platform] { return platform.toStdString(); }, float(brightness));
    // The standby figure and the activity list both start from the same charge here.
    const Profile profile = estimator.checkDeviceModel(level);
    const auto stand = profile.find("stand");
    const float standby = stand == profile.end() ? 0.0f : stand->second;
    const QVariantMap detailed = NRBatteryInfo::detailedReading(snap);
    // Without a battery the text says so and gives no times, as the summary panel does, unless
    // a charge or percent to estimate for was given.
    const bool noTimes = !snap.hasBattery && !o.charge && summary::isUnknownLevel(percent);
    auto timeText = [noTimes](float hours) {
        return noTimes ? QString::fromLatin1(summary::kNoTime)
                       : QString::fromStdString(floatToTime(hours));
    };

    if (o.json) {
        QJsonArray list;
        for (const Activity &a : activities()) {
            const auto it = profile.find(a.key);
            const float hours = it == profile.end() ? 0.0f : it->second;
            list.append(QJsonObject{{"key", QString::fromUtf8(a.key.data(), a.key.size())},
                                    {"label", QString::fromUtf8(a.label.data(), a.label.size())},
                                    {"hours", double(hours)},
                                    {"text", QString::fromStdString(floatToTime(hours))}});
        }
        QJsonObject root{
            {"platform", platform},
            {"battery", snap.hasBattery},
            {"deviceName", specs.name()},
            {"nominalCapacity", double(nominal)},
            {"batteryLevel", double(batteryLevel)},
            {"batteryState", batteryState},
            {"Level", level},
            {"networkStatus", network},
            {"brightness", brightness},
            {"standby", QJsonObject{{"hours", double(standby)},
                                    {"text", QString::fromStdString(floatToTime(standby))}}},
            {"activities", list},
            {"detailed",
             detailed.isEmpty() ? QJsonValue() : QJsonValue(QJsonObject::fromVariantMap(detailed))},
        };
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        out.flush();
        return 0;
    }

    auto row = [&out](const QString &label, const QString &value) {
        out << "  " << (label + QLatin1Char(':')).leftJustified(22) << value << '\n';
    };
    out << "battery\n";
    row(QStringLiteral("level"),
        !snap.hasBattery   ? QString::fromLatin1(summary::kNoBattery)
        : batteryLevel < 0 ? QStringLiteral("unknown")
                           : QString::number(double(batteryLevel), 'f', 1) + QStringLiteral(" %"));
    row(QStringLiteral("state"), QString::fromLatin1(stateText(batteryState)));
    row(QStringLiteral("platform"), platform);
    row(QStringLiteral("device"), specs.name().isEmpty() ? QStringLiteral("unknown") : specs.name());
    row(QStringLiteral("nominal capacity"), QString::number(double(nominal), 'f', 0) + QStringLiteral(" mAh"));
    row(QStringLiteral("Level"), QString::number(level) + QStringLiteral(" mAh"));
    row(QStringLiteral("network"), QString::fromLatin1(networkText(network)));
    row(QStringLiteral("brightness"), QString::number(brightness, 'f', 2));
    if (!detailed.isEmpty()) {
        for (auto it = detailed.cbegin(); it != detailed.cend(); ++it)
            row(it.key(), it.value().toString());
    }
    out << "standby\n";
    row(QStringLiteral("Standy mode"), timeText(standby));
    out << "activities\n";
    for (const Activity &a : activities()) {
        const auto it = profile.find(a.key);
        const float hours = it == profile.end() ? 0.0f : it->second;
        row(QString::fromUtf8(a.label.data(), a.label.size()), timeText(hours));
    }
    out.flush();
    return 0;
}
