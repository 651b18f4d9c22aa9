// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `powerdeck --first-frame`: starts as usual, prints "first frame" once the main window has
// drawn, and quits through the normal path. An installed or packaged copy is checked with it
// (offscreen, no display needed). Call after the window exists; does nothing without the option.
void quitAfterFirstFrameIfAsked();

// Whether this run is such a check. A check run is never turned away by a running copy and never
// brings one forward; beside a copy that runs on the same files it works on a scratch home of its
// own and schedules nothing, so the two never write over each other.
bool firstFrameCheckAsked();
