// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

#include <functional>

// Logs (debug, powerdeck.app) when the main window has drawn its first frame. With
// `powerdeck --first-frame` it also prints "first frame" then and quits through the normal path:
// an installed or packaged copy is checked with it (offscreen, no display needed). Call after the
// window exists.
void watchFirstFrame();
// Runs run once when the main window has drawn its first frame (queued or not, by type);
// false when there is no window to wait for.
bool afterFirstFrame(const std::function<void()> &run,
                     Qt::ConnectionType type = Qt::AutoConnection);

// Whether this run is such a check. A check run is never turned away by a running copy and never
// brings one forward; beside a copy that runs on the same files it works on a scratch home of its
// own and schedules nothing, so the two never write over each other.
bool firstFrameCheckAsked();
