// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hostspecification.h"

#include "device/devicespectable.h"
#include "platform/batterydesign.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // sysfs attributes are small; a cap keeps a wrong path (a device node) from hanging us.
    return file.read(1 << 20);
}

// Device-tree strings end in NUL; sysfs attributes end in a newline.
QString readText(const QString &path)
{
    QByteArray bytes = readBytes(path);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes).trimmed();
}

QStringList entries(const QString &dir, const QStringList &patterns = {})
{
    return QDir(dir).entryList(patterns, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

bool isPlaceholder(const QString &text)
{
    static const QStringList placeholders = {
        QStringLiteral("To be filled by O.E.M."),
        QStringLiteral("To Be Filled By O.E.M."),
        QStringLiteral("System Product Name"),
        QStringLiteral("System manufacturer"),
        QStringLiteral("System Version"),
        QStringLiteral("Default string"),
        QStringLiteral("Not Applicable"),
        QStringLiteral("Not Specified"),
        QStringLiteral("OEM"),
        QStringLiteral("O.E.M."),
        QStringLiteral("None"),
        QStringLiteral("Unknown"),
        QStringLiteral("Type1ProductConfigId"),
        QStringLiteral("INVALID"),
    };
    if (text.isEmpty())
        return true;
    return std::any_of(placeholders.begin(), placeholders.end(),
                       [&](const QString &p) { return text.compare(p, Qt::CaseInsensitive) == 0; });
}

QString machineName(const SystemRoots &roots)
{
    // Phones and boards describe themselves in the device tree; PCs in the DMI tables.
    for (const QString &path : {roots.sysfs + QStringLiteral("/firmware/devicetree/base/model"),
                                roots.procfs + QStringLiteral("/device-tree/model")}) {
        const QString model = readText(path);
        if (!model.isEmpty())
            return model;
    }
    const QString dmi = roots.sysfs + QStringLiteral("/class/dmi/id/");
    QString vendor = readText(dmi + QStringLiteral("sys_vendor"));
    QString product = readText(dmi + QStringLiteral("product_name"));
    // Lenovo keeps the marketing name ("ThinkPad T480") in product_version and a type number
    // ("20L5CTO1WW") in product_name.
    if (vendor.compare(QStringLiteral("LENOVO"), Qt::CaseInsensitive) == 0) {
        const QString version = readText(dmi + QStringLiteral("product_version"));
        if (!isPlaceholder(version))
            product = version;
    }
    if (isPlaceholder(vendor))
        vendor.clear();
    if (isPlaceholder(product))
        product.clear();
    if (product.isEmpty())
        return vendor;
    if (vendor.isEmpty() || product.startsWith(vendor, Qt::CaseInsensitive))
        return product;
    return vendor + QLatin1Char(' ') + product;
}

struct CpuInfo
{
    QString model;
    double maxMhz = 0;
};

int parseInt(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 0); // base 0: "0x41" and "65" both read
    return ok ? value : -1;
}

CpuInfo readCpuInfo(const SystemRoots &roots)
{
    CpuInfo info;
    const QString text = QString::fromUtf8(readBytes(roots.procfs + QStringLiteral("/cpuinfo")));
    int processors = 0;
    QString modelName;
    QString hardware;
    QStringList coreNames;
    int implementer = -1;
    double cpuMhz = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("processor")) {
            ++processors;
        } else if (key == QLatin1String("model name") && modelName.isEmpty()) {
            modelName = value;
        } else if (key == QLatin1String("Hardware") && hardware.isEmpty()) {
            hardware = value;
        } else if (key == QLatin1String("CPU implementer")) {
            implementer = parseInt(value);
        } else if (key == QLatin1String("CPU part")) {
            const QString core = armCoreName(implementer, parseInt(value));
            if (!core.isEmpty() && !coreNames.contains(core))
                coreNames.append(core);
        } else if (key == QLatin1String("cpu MHz")) {
            bool ok = false;
            const double mhz = value.toDouble(&ok);
            if (ok && std::isfinite(mhz))
                cpuMhz = std::max(cpuMhz, mhz);
        }
    }

    // 32-bit ARM kernels name only the architecture in "model name" ("ARMv7 Processor rev 5
    // (v7l)"); the SoC in "Hardware" or the core names say more.
    const bool genericArm = modelName.startsWith(QLatin1String("ARMv"));
    if (!modelName.isEmpty() && !genericArm)
        info.model = modelName;
    else if (!hardware.isEmpty())
        info.model = hardware;
    else if (!coreNames.isEmpty())
        info.model = coreNames.join(QLatin1String(" + "));
    else
        info.model = modelName;
    if (!info.model.isEmpty() && processors > 1)
        info.model += QStringLiteral(" (%1 cores)").arg(processors);

    // The highest rated clock of any core (big.LITTLE parts differ per cluster); the current
    // clock from cpuinfo only when cpufreq is absent (virtual machines).
    const QString cpuDir = roots.sysfs + QStringLiteral("/devices/system/cpu");
    for (const QString &cpu : entries(cpuDir, {QStringLiteral("cpu*")})) {
        if (!QRegularExpression(QStringLiteral("^cpu[0-9]+$")).match(cpu).hasMatch())
            continue;
        bool ok = false;
        const qint64 khz =
            readText(cpuDir + QLatin1Char('/') + cpu + QStringLiteral("/cpufreq/cpuinfo_max_freq"))
                .toLongLong(&ok);
        if (ok && khz > 0)
            info.maxMhz = std::max(info.maxMhz, khz / 1000.0);
    }
    if (info.maxMhz <= 0)
        info.maxMhz = cpuMhz;
    return info;
}

QString trimmedNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

struct Screen
{
    QString size;
    QString resolution;
    QString density;
};

bool isInternalConnector(const QString &name)
{
    static const QRegularExpression internal(QStringLiteral("-(eDP|LVDS|DSI|DPI)-"));
    return internal.match(name).hasMatch();
}

Screen readScreen(const SystemRoots &roots)
{
    const QString drm = roots.sysfs + QStringLiteral("/class/drm");
    QStringList connected;
    for (const QString &name : entries(drm, {QStringLiteral("card*-*")})) {
        if (readText(drm + QLatin1Char('/') + name + QStringLiteral("/status")) ==
            QLatin1String("connected"))
            connected.append(name);
    }
    // The built-in panel is the device's own screen; an external monitor only stands in for it.
    std::stable_partition(connected.begin(), connected.end(), isInternalConnector);

    Screen screen;
    for (const QString &name : connected) {
        const QString dir = drm + QLatin1Char('/') + name;
        // The first mode listed is the connector's preferred (native) mode.
        const QString firstMode =
            readText(dir + QStringLiteral("/modes")).section(QLatin1Char('\n'), 0, 0);
        static const QRegularExpression modePattern(QStringLiteral("^(\\d+)x(\\d+)"));
        const QRegularExpressionMatch mode = modePattern.match(firstMode);
        if (!mode.hasMatch())
            continue;
        const int pxWidth = mode.captured(1).toInt();
        const int pxHeight = mode.captured(2).toInt();
        if (pxWidth <= 0 || pxHeight <= 0)
            continue;
        screen.resolution = QStringLiteral("%1 x %2").arg(pxWidth).arg(pxHeight);
        const PanelSizeMm mm = panelSizeFromEdid(readBytes(dir + QStringLiteral("/edid")));
        if (mm.width > 0 && mm.height > 0) {
            const double inches = std::hypot(mm.width, mm.height) / 25.4;
            screen.size = QString::number(inches, 'f', 1) + QStringLiteral(" in");
            const double ppi = std::hypot(pxWidth, pxHeight) / inches;
            screen.density = QString::number(qRound(ppi)) + QStringLiteral(" ppi");
        }
        break;
    }
    return screen;
}

bool hasWifi(const SystemRoots &roots)
{
    if (!entries(roots.sysfs + QStringLiteral("/class/ieee80211")).isEmpty())
        return true;
    const QString net = roots.sysfs + QStringLiteral("/class/net/");
    const QStringList interfaces = entries(net);
    return std::any_of(interfaces.begin(), interfaces.end(), [&](const QString &name) {
        return QFileInfo(net + name + QStringLiteral("/wireless")).exists() ||
               QFileInfo(net + name + QStringLiteral("/phy80211")).exists();
    });
}

bool hasBluetooth(const SystemRoots &roots)
{
    return !entries(roots.sysfs + QStringLiteral("/class/bluetooth")).isEmpty();
}

struct Sensors
{
    bool gyroscope = false;
    bool accelerometer = false;
    bool proximity = false;
    bool light = false;
};

Sensors readSensors(const SystemRoots &roots)
{
    Sensors found;
    const QString iio = roots.sysfs + QStringLiteral("/bus/iio/devices/");
    for (const QString &device : entries(iio)) {
        const QString dir = iio + device;
        // Channels tell what a device measures whatever its driver is called; the name alone
        // identifies HID sensor hubs ("gyro_3d", "accel_3d", "als", "prox").
        const QString name = readText(dir + QStringLiteral("/name")).toLower();
        const QStringList channels = entries(dir, {QStringLiteral("in_*")});
        auto has = [&](const QString &prefix) {
            return std::any_of(channels.begin(), channels.end(),
                               [&](const QString &c) { return c.startsWith(prefix); });
        };
        if (has(QStringLiteral("in_anglvel")) || name.contains(QLatin1String("gyro")))
            found.gyroscope = true;
        if (has(QStringLiteral("in_accel")) || name.contains(QLatin1String("accel")))
            found.accelerometer = true;
        if (has(QStringLiteral("in_proximity")) || name.contains(QLatin1String("prox")))
            found.proximity = true;
        if (has(QStringLiteral("in_illuminance")) || has(QStringLiteral("in_intensity")) ||
            name == QLatin1String("als") || name.contains(QLatin1String("light")))
            found.light = true;
    }
    return found;
}

} // namespace

QString frequencyText(double megahertz)
{
    if (!(megahertz > 0) || !std::isfinite(megahertz))
        return {};
    if (megahertz >= 1000)
        return trimmedNumber(megahertz / 1000.0, 2) + QStringLiteral(" GHz");
    return QString::number(qRound(megahertz)) + QStringLiteral(" MHz");
}

QString armCoreName(int implementer, int part)
{
    if (implementer != 0x41)
        return {};
    struct Core
    {
        int part;
        const char *name;
    };
    static constexpr Core cores[] = {
        {0xb76, "ARM1176"},     {0xc05, "Cortex-A5"},  {0xc07, "Cortex-A7"},
        {0xc08, "Cortex-A8"},   {0xc09, "Cortex-A9"},  {0xc0d, "Cortex-A12"},
        {0xc0f, "Cortex-A15"},  {0xc0e, "Cortex-A17"}, {0xd01, "Cortex-A32"},
        {0xd03, "Cortex-A53"},  {0xd04, "Cortex-A35"}, {0xd05, "Cortex-A55"},
        {0xd07, "Cortex-A57"},  {0xd08, "Cortex-A72"}, {0xd09, "Cortex-A73"},
        {0xd0a, "Cortex-A75"},  {0xd0b, "Cortex-A76"}, {0xd0d, "Cortex-A77"},
        {0xd41, "Cortex-A78"},  {0xd44, "Cortex-X1"},  {0xd46, "Cortex-A510"},
        {0xd47, "Cortex-A710"}, {0xd48, "Cortex-X2"},  {0xd4d, "Cortex-A715"},
        {0xd4e, "Cortex-X3"},
    };
    for (const Core &core : cores) {
        if (core.part == part)
            return QStringLiteral("ARM ") + QLatin1String(core.name);
    }
    return {};
}

PanelSizeMm panelSizeFromEdid(const QByteArray &edid)
{
    static const QByteArray header("\x00\xff\xff\xff\xff\xff\xff\x00", 8);
    if (edid.size() < 128 || !edid.startsWith(header))
        return {};
    auto byte = [&](int i) { return static_cast<unsigned char>(edid.at(i)); };
    // The first detailed timing descriptor (bytes 54..71) carries the size in millimetres;
    // a zero pixel clock marks it as a display descriptor instead.
    if (byte(54) != 0 || byte(55) != 0) {
        const int width = byte(66) | ((byte(68) & 0xf0) << 4);
        const int height = byte(67) | ((byte(68) & 0x0f) << 8);
        if (width > 0 && height > 0)
            return {width, height};
    }
    // Bytes 21 and 22 give whole centimetres (both zero for projectors and unknown sizes).
    if (byte(21) > 0 && byte(22) > 0)
        return {byte(21) * 10, byte(22) * 10};
    return {};
}

QString batteryCapacityText(const BatteryDesign &battery)
{
    // The number comes first: the battery gauge reads the capacity from this text.
    if (battery.designCapacityMah >= 0.5 && std::isfinite(battery.designCapacityMah))
        return QString::number(qRound64(battery.designCapacityMah)) + QStringLiteral(" mAh");
    return {};
}

QVariantMap readHostSpecification(const SystemRoots &roots)
{
    QVariantMap spec;
    for (const QString &property : DeviceSpecTable::propertyNames())
        spec.insert(property, QString());

    spec.insert(QStringLiteral("Name"), machineName(roots));

    const CpuInfo cpu = readCpuInfo(roots);
    spec.insert(QStringLiteral("CPU"), cpu.model);
    spec.insert(QStringLiteral("Frequency"), frequencyText(cpu.maxMhz));

    const Screen screen = readScreen(roots);
    spec.insert(QStringLiteral("Screen Size"), screen.size);
    spec.insert(QStringLiteral("Screen Resolution"), screen.resolution);
    spec.insert(QStringLiteral("Pixel density"), screen.density);

    if (const std::optional<BatteryDesign> battery = readBatteryDesign(roots)) {
        if (battery->voltageMinDesignV > 0 && std::isfinite(battery->voltageMinDesignV))
            spec.insert(QStringLiteral("Battery voltage"),
                        trimmedNumber(battery->voltageMinDesignV, 2) + QStringLiteral(" V"));
        spec.insert(QStringLiteral("Battery capacity"), batteryCapacityText(*battery));
    }

    // Presence can only be denied when sysfs itself is there to ask.
    if (!entries(roots.sysfs).isEmpty()) {
        const Sensors sensors = readSensors(roots);
        spec.insert(QStringLiteral("Wi-Fi"), hasWifi(roots) ? kYes : kNo);
        spec.insert(QStringLiteral("Bluetooth"), hasBluetooth(roots) ? kYes : kNo);
        spec.insert(QStringLiteral("Three-axis gyroscope"), sensors.gyroscope ? kYes : kNo);
        spec.insert(QStringLiteral("Orientation sensor"), sensors.accelerometer ? kYes : kNo);
        spec.insert(QStringLiteral("Distance sensor"), sensors.proximity ? kYes : kNo);
        spec.insert(QStringLiteral("Ambient light sensor"), sensors.light ? kYes : kNo);
    }
    return spec;
}
