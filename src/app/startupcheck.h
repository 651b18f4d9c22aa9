#pragma once

// `powerdeck --first-frame`: starts as usual, prints "first frame" once the main window has
// drawn, and quits through the normal path. An installed or packaged copy is checked with it
// (offscreen, no display needed). Call after the window exists; does nothing without the option.
void quitAfterFirstFrameIfAsked();
