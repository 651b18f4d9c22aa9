// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariantMap>

class QWindow;

// Brings the window forward for another launch: unminimised, shown, raised and asked to be
// activated. On Wayland the launcher's activation token (platform data "activation-token") lets
// the compositor give it the focus; without one a compositor may only mark the window as asking
// for attention.
void bringWindowForward(QWindow *window, const QVariantMap &platformData);

// The application's main window (its one Qt Quick top-level window), or null.
QWindow *mainWindow();
