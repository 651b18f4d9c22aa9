// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QString>

#include <vector>

// A battery that powers the system, as /sys/class/power_supply names it: a supply of type
// "Battery" whose scope is not "Device" (a mouse, a headset, a phone on the cable are of that
// scope). Present or not: a battery taken out still has its history.
struct SystemBattery
{
    QString name;   // the supply's folder name, such as "BAT0"
    QString model;  // model_name, trimmed; empty when the kernel gives none
    QString serial; // serial_number, trimmed; empty when the kernel gives none
};

std::vector<SystemBattery> systemBatteries(const SystemRoots &roots);
