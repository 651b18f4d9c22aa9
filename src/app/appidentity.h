// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The application's identity towards the desktop: the desktop-entry name the compositor and
// the notification server match the window against (Wayland app id, X11 WM_CLASS), and the
// window icon (X11 _NET_WM_ICON). The icon comes from the hicolor theme folder beside the
// program's resources (share/icons beside share/powerdeck), in the build tree as installed.
QIcon applicationIcon(const QString &resources);
// Call once the main window exists: its icon is set after its first frame.
void setApplicationIdentity(const QString &resources);
