// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QString>

#include <string_view>

class UserDefaults;

// The platform identifier every per-model table is keyed by. On Linux this is the kernel's
// machine name (uname), e.g. "x86_64" or "aarch64", exactly as the kernel returns it. A non-empty
// text under the user-defaults key "platform" takes precedence, so a device can be told which
// model row it is. Read afresh on every call; never cached.
QString kernelMachineName();
QString platformIdentifier(const UserDefaults *defaults);

// True for every identifier that names no device model: the kernel machine names of the hosts
// Powerdeck runs on ("x86_64", "aarch64", "armv7l", "i686", "riscv64", "ppc64le", ...). For them
// the estimates use the host row, and the device table is read live. A model code ("iPhone6,1")
// is never a host, even when no table knows it; an empty identifier (nothing could be read)
// names nothing at all.
bool isHostIdentifier(std::string_view identifier);

// The kernel's id of the present boot (proc/sys/kernel/random/boot_id); empty when unknown.
QString bootId(const SystemRoots &roots);

// The kind of machine a host is, for what its activities draw beside the present use: phones and
// boards describe themselves in a device tree; PCs, laptops among them, do not.
enum class HostClass { Phone, Laptop };
HostClass hostClass(const SystemRoots &roots);
