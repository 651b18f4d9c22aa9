// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicespectable.h"
#include "device/hostspecification.h"
#include "filetree.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Expected = std::map<std::string, std::string>;

SystemRoots fixtureRoots(const QString &machine)
{
    return SystemRoots{fixturePath(QStringLiteral("sys-host-") + machine),
                       fixturePath(QStringLiteral("proc-host-") + machine)};
}

// Every one of the eighteen properties is checked, so an unexpected value anywhere shows up.
void expectSpecification(const QVariantMap &spec, const Expected &expected)
{
    ASSERT_EQ(spec.size(), DeviceSpecTable::propertyNames().size());
    for (const QString &property : DeviceSpecTable::propertyNames()) {
        const auto it = expected.find(property.toStdString());
        const std::string want = it == expected.end() ? std::string() : it->second;
        EXPECT_EQ(spec.value(property).toString().toStdString(), want) << property.toStdString();
    }
}

TEST(HostSpecification, LaptopWithDmiAndBattery)
{
    expectSpecification(readHostSpecification(fixtureRoots(QStringLiteral("laptop"))),
                        {{"Name", "LENOVO ThinkPad T480"},
                         {"Frequency", "4 GHz"},
                         {"CPU", "Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz (8 cores)"},
                         {"Screen Size", "14.0 in"},
                         {"Screen Resolution", "1920 x 1080"},
                         {"Pixel density", "158 ppi"},
                         {"Battery voltage", "11.4 V"},
                         {"Battery capacity", "4400 mAh"},
                         {"Wi-Fi", "Yes"},
                         {"Bluetooth", "Yes"},
                         {"Three-axis gyroscope", "No"},
                         {"Orientation sensor", "No"},
                         {"Distance sensor", "No"},
                         {"Ambient light sensor", "No"}});
}

TEST(HostSpecification, PhoneWithDeviceTreeAndSensors)
{
    expectSpecification(readHostSpecification(fixtureRoots(QStringLiteral("phone"))),
                        {{"Name", "Pine64 PinePhone (1.2)"},
                         {"Frequency", "1.15 GHz"},
                         {"CPU", "ARM Cortex-A53 (4 cores)"},
                         {"Screen Resolution", "720 x 1440"},
                         {"Battery voltage", "3.3 V"},
                         {"Battery capacity", "3000 mAh"},
                         {"Wi-Fi", "Yes"},
                         {"Bluetooth", "Yes"},
                         {"Three-axis gyroscope", "Yes"},
                         {"Orientation sensor", "Yes"},
                         {"Distance sensor", "Yes"},
                         {"Ambient light sensor", "Yes"}});
}

TEST(HostSpecification, MachineWithNothingReadableIsAllEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SystemRoots roots{dir.filePath(QStringLiteral("no-sys")),
                            dir.filePath(QStringLiteral("no-proc"))};
    expectSpecification(readHostSpecification(roots), {});
}

TEST(HostSpecification, BareSysfsDeniesThePresenceRows)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeTreeFile(dir.path(), QStringLiteral("sys/class/net/lo/type"), "772\n"));
    // A wired interface and an empty bluetooth class are no radios.
    ASSERT_TRUE(writeTreeFile(dir.path(), QStringLiteral("sys/class/net/eth0/type"), "1\n"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("sys/class/bluetooth"))));
    const SystemRoots roots{dir.filePath(QStringLiteral("sys")),
                            dir.filePath(QStringLiteral("proc"))};
    expectSpecification(readHostSpecification(roots), {{"Wi-Fi", "No"},
                                                       {"Bluetooth", "No"},
                                                       {"Three-axis gyroscope", "No"},
                                                       {"Orientation sensor", "No"},
                                                       {"Distance sensor", "No"},
                                                       {"Ambient light sensor", "No"}});
}

class HostTree : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void sys(const QString &relative, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeTreeFile(m_dir.path(), QStringLiteral("sys/") + relative, bytes));
    }
    void proc(const QString &relative, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeTreeFile(m_dir.path(), QStringLiteral("proc/") + relative, bytes));
    }
    QString read(const char *property) const
    {
        const SystemRoots roots{m_dir.filePath(QStringLiteral("sys")),
                                m_dir.filePath(QStringLiteral("proc"))};
        return readHostSpecification(roots).value(QLatin1String(property)).toString();
    }

    QTemporaryDir m_dir;
};

TEST_F(HostTree, DeviceTreeModelFromProcfsWhenSysfsHasNone)
{
    proc(QStringLiteral("device-tree/model"), QByteArray("Purism Librem 5r4\0", 18));
    EXPECT_EQ(read("Name"), QStringLiteral("Purism Librem 5r4"));
}

TEST_F(HostTree, DeviceTreeModelWinsOverDmi)
{
    sys(QStringLiteral("firmware/devicetree/base/model"), QByteArray("Board X\0", 8));
    sys(QStringLiteral("class/dmi/id/sys_vendor"), "Vendor\n");
    sys(QStringLiteral("class/dmi/id/product_name"), "Product\n");
    EXPECT_EQ(read("Name"), QStringLiteral("Board X"));
}

TEST_F(HostTree, DmiNameDoesNotRepeatTheVendor)
{
    sys(QStringLiteral("class/dmi/id/sys_vendor"), "Dell Inc.\n");
    sys(QStringLiteral("class/dmi/id/product_name"), "Dell Inc. XPS 13 9370\n");
    EXPECT_EQ(read("Name"), QStringLiteral("Dell Inc. XPS 13 9370"));
}

TEST_F(HostTree, DmiPlaceholdersAreNoName)
{
    sys(QStringLiteral("class/dmi/id/sys_vendor"), "System manufacturer\n");
    sys(QStringLiteral("class/dmi/id/product_name"), "System Product Name\n");
    EXPECT_EQ(read("Name"), QString());
}

TEST_F(HostTree, DmiVendorAloneWhenTheProductIsAPlaceholder)
{
    sys(QStringLiteral("class/dmi/id/sys_vendor"), "ASUSTeK COMPUTER INC.\n");
    sys(QStringLiteral("class/dmi/id/product_name"), "To be filled by O.E.M.\n");
    EXPECT_EQ(read("Name"), QStringLiteral("ASUSTeK COMPUTER INC."));
}

TEST_F(HostTree, Armv7NamesTheSocRatherThanTheArchitecture)
{
    proc(QStringLiteral("cpuinfo"), "processor\t: 0\nmodel name\t: ARMv7 Processor rev 5 (v7l)\n"
                                    "CPU implementer\t: 0x41\nCPU part\t: 0xc07\n\n"
                                    "processor\t: 1\nmodel name\t: ARMv7 Processor rev 5 (v7l)\n"
                                    "CPU implementer\t: 0x41\nCPU part\t: 0xc07\n\n"
                                    "Hardware\t: Allwinner sun8i Family\n");
    EXPECT_EQ(read("CPU"), QStringLiteral("Allwinner sun8i Family (2 cores)"));
}

TEST_F(HostTree, BigLittleListsBothClustersAndTheFastestClock)
{
    QByteArray cpuinfo;
    for (int i = 0; i < 6; ++i) {
        cpuinfo += "processor\t: " + QByteArray::number(i) + "\nCPU implementer\t: 0x41\n";
        cpuinfo += i < 4 ? "CPU part\t: 0xd03\n\n" : "CPU part\t: 0xd08\n\n";
        sys(QStringLiteral("devices/system/cpu/cpu%1/cpufreq/cpuinfo_max_freq").arg(i),
            i < 4 ? "1416000\n" : "1800000\n");
    }
    proc(QStringLiteral("cpuinfo"), cpuinfo);
    EXPECT_EQ(read("CPU"), QStringLiteral("ARM Cortex-A53 + ARM Cortex-A72 (6 cores)"));
    EXPECT_EQ(read("Frequency"), QStringLiteral("1.8 GHz"));
}

TEST_F(HostTree, SingleCoreHasNoCoreCount)
{
    proc(QStringLiteral("cpuinfo"), "processor\t: 0\nmodel name\t: QEMU Virtual CPU\n"
                                    "cpu MHz\t\t: 2399.998\n");
    EXPECT_EQ(read("CPU"), QStringLiteral("QEMU Virtual CPU"));
    // Without cpufreq the clock cpuinfo reports stands in.
    EXPECT_EQ(read("Frequency"), QStringLiteral("2.4 GHz"));
}

TEST_F(HostTree, GarbageCpufreqFallsBackToCpuinfo)
{
    proc(QStringLiteral("cpuinfo"), "processor\t: 0\ncpu MHz\t\t: 800.000\n");
    sys(QStringLiteral("devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"), "fast\n");
    sys(QStringLiteral("devices/system/cpu/cpufreq/policy0/cpuinfo_max_freq"), "9999999\n");
    EXPECT_EQ(read("Frequency"), QStringLiteral("800 MHz"));
}

TEST_F(HostTree, HidSensorHubIsRecognisedByName)
{
    sys(QStringLiteral("bus/iio/devices/iio:device0/name"), "gyro_3d\n");
    sys(QStringLiteral("bus/iio/devices/iio:device1/name"), "accel_3d\n");
    sys(QStringLiteral("bus/iio/devices/iio:device2/name"), "als\n");
    EXPECT_EQ(read("Three-axis gyroscope"), QStringLiteral("Yes"));
    EXPECT_EQ(read("Orientation sensor"), QStringLiteral("Yes"));
    EXPECT_EQ(read("Ambient light sensor"), QStringLiteral("Yes"));
    EXPECT_EQ(read("Distance sensor"), QStringLiteral("No"));
}

TEST_F(HostTree, AccelerometerAloneIsNoGyroscope)
{
    sys(QStringLiteral("bus/iio/devices/iio:device0/name"), "lis3dh\n");
    sys(QStringLiteral("bus/iio/devices/iio:device0/in_accel_x_raw"), "1\n");
    EXPECT_EQ(read("Orientation sensor"), QStringLiteral("Yes"));
    EXPECT_EQ(read("Three-axis gyroscope"), QStringLiteral("No"));
}

TEST_F(HostTree, WifiPhyWithoutInterfaceCounts)
{
    sys(QStringLiteral("class/ieee80211/phy0/index"), "0\n");
    EXPECT_EQ(read("Wi-Fi"), QStringLiteral("Yes"));
}

TEST_F(HostTree, InternalPanelWinsOverExternalMonitor)
{
    sys(QStringLiteral("class/drm/card0-DP-1/status"), "connected\n");
    sys(QStringLiteral("class/drm/card0-DP-1/modes"), "3840x2160\n");
    sys(QStringLiteral("class/drm/card0-eDP-1/status"), "connected\n");
    sys(QStringLiteral("class/drm/card0-eDP-1/modes"), "2560x1440\n");
    sys(QStringLiteral("class/drm/card0-HDMI-A-1/status"), "disconnected\n");
    EXPECT_EQ(read("Screen Resolution"), QStringLiteral("2560 x 1440"));
}

TEST_F(HostTree, ExternalMonitorWhenThereIsNoPanel)
{
    sys(QStringLiteral("class/drm/card0-HDMI-A-1/status"), "connected\n");
    sys(QStringLiteral("class/drm/card0-HDMI-A-1/modes"), "1920x1200\n");
    sys(QStringLiteral("class/drm/card0-DP-1/status"), "disconnected\n");
    sys(QStringLiteral("class/drm/card0-DP-1/modes"), "3840x2160\n");
    EXPECT_EQ(read("Screen Resolution"), QStringLiteral("1920 x 1200"));
}

TEST_F(HostTree, ConnectedPanelWithoutModesIsSkipped)
{
    sys(QStringLiteral("class/drm/card0-eDP-1/status"), "connected\n");
    sys(QStringLiteral("class/drm/card0-eDP-1/modes"), "");
    EXPECT_EQ(read("Screen Resolution"), QString());
    EXPECT_EQ(read("Screen Size"), QString());
}

struct FrequencyCase
{
    double mhz;
    const char *text;
};

class FrequencyTextTest : public ::testing::TestWithParam<FrequencyCase>
{
};

TEST_P(FrequencyTextTest, Formats)
{
    EXPECT_EQ(frequencyText(GetParam().mhz).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, FrequencyTextTest,
    ::testing::Values(FrequencyCase{4000, "4 GHz"}, FrequencyCase{1152, "1.15 GHz"},
                      FrequencyCase{1800, "1.8 GHz"}, FrequencyCase{2399.998, "2.4 GHz"},
                      FrequencyCase{999.6, "1000 MHz"}, FrequencyCase{816, "816 MHz"},
                      FrequencyCase{0, ""}, FrequencyCase{-5, ""}));

struct CoreCase
{
    int implementer;
    int part;
    const char *name;
};

class ArmCoreNameTest : public ::testing::TestWithParam<CoreCase>
{
};

TEST_P(ArmCoreNameTest, Names)
{
    const CoreCase c = GetParam();
    EXPECT_EQ(armCoreName(c.implementer, c.part).toStdString(), c.name);
}

INSTANTIATE_TEST_SUITE_P(Parts, ArmCoreNameTest,
                         ::testing::Values(CoreCase{0x41, 0xd03, "ARM Cortex-A53"},
                                           CoreCase{0x41, 0xd08, "ARM Cortex-A72"},
                                           CoreCase{0x41, 0xc07, "ARM Cortex-A7"},
                                           CoreCase{0x41, 0xd05, "ARM Cortex-A55"},
                                           CoreCase{0x41, 0x123, ""}, // unknown part
                                           CoreCase{0x51, 0xd03, ""}, // not ARM's own core
                                           CoreCase{-1, 0xd03, ""}));

QByteArray edidWith(int cmWidth, int cmHeight, int mmWidth, int mmHeight, bool timing)
{
    QByteArray e(128, '\0');
    const char header[] = {0, '\xff', '\xff', '\xff', '\xff', '\xff', '\xff', 0};
    e.replace(0, 8, QByteArray(header, 8));
    e[21] = static_cast<char>(cmWidth);
    e[22] = static_cast<char>(cmHeight);
    if (timing) {
        e[54] = 0x02;
        e[55] = 0x3a;
        e[66] = static_cast<char>(mmWidth & 0xff);
        e[67] = static_cast<char>(mmHeight & 0xff);
        e[68] = static_cast<char>(((mmWidth >> 8) << 4) | (mmHeight >> 8));
    }
    return e;
}

TEST(PanelSizeFromEdid, DetailedTimingMillimetres)
{
    const PanelSizeMm size = panelSizeFromEdid(edidWith(31, 17, 309, 174, true));
    EXPECT_EQ(size.width, 309);
    EXPECT_EQ(size.height, 174);
}

TEST(PanelSizeFromEdid, HighNibblesOfLargeSizes)
{
    const PanelSizeMm size = panelSizeFromEdid(edidWith(70, 39, 698, 393, true));
    EXPECT_EQ(size.width, 698);
    EXPECT_EQ(size.height, 393);
}

TEST(PanelSizeFromEdid, CentimetresWhenThereIsNoTiming)
{
    const PanelSizeMm size = panelSizeFromEdid(edidWith(34, 19, 0, 0, false));
    EXPECT_EQ(size.width, 340);
    EXPECT_EQ(size.height, 190);
}

TEST(PanelSizeFromEdid, InvalidBlocksGiveNothing)
{
    QByteArray badHeader = edidWith(31, 17, 309, 174, true);
    badHeader[1] = 0;
    for (const QByteArray &edid : {QByteArray(), edidWith(31, 17, 309, 174, true).left(127),
                                   badHeader, edidWith(0, 0, 0, 0, false)}) {
        const PanelSizeMm size = panelSizeFromEdid(edid);
        EXPECT_EQ(size.width, 0);
        EXPECT_EQ(size.height, 0);
    }
}

} // namespace
