// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application's reverse-DNS identifier: the name of its desktop entry, its AppStream id and
// its icon name. Notifications carry it as their "desktop-entry" hint so that the notification
// server shows Powerdeck's name and icon and groups them under the application.
inline constexpr char kApplicationId[] = "io.github.powerdeck.Powerdeck";
