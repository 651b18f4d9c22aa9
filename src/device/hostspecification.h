// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QString>
#include <QVariantMap>

struct BatteryDesign;

// The technical data of the Linux machine Powerdeck runs on, read from the live system instead of
// the shipped model table, keyed by the same eighteen property names as a devices.plist entry.
//
// A figure the system does not tell (size, weight, cameras, a panel without EDID) is an empty
// text. Presence rows (Wi-Fi, Bluetooth, the four sensors) read "Yes" when the hardware shows up
// in sysfs and "No" when sysfs is readable but shows none; without a readable sysfs they are
// empty as well, since absence cannot be told from ignorance then.
QVariantMap readHostSpecification(const SystemRoots &roots);
// The "Battery capacity" text of a battery's design ("4400 mAh"); empty without a capacity.
QString batteryCapacityText(const BatteryDesign &battery);

// "2.4 GHz", "1.8 GHz", "816 MHz"; empty for 0 or less.
QString frequencyText(double megahertz);
// The name of an ARM core from the "CPU implementer" and "CPU part" of /proc/cpuinfo
// ("ARM Cortex-A53" for 0x41/0xd03); empty when unknown.
QString armCoreName(int implementer, int part);
// Physical panel size in millimetres from an EDID block: the detailed timing descriptor's
// figures, else the basic block's centimetres. {0, 0} when the block is not a valid EDID.
struct PanelSizeMm
{
    int width = 0;
    int height = 0;
};
PanelSizeMm panelSizeFromEdid(const QByteArray &edid);
