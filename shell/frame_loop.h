// The viewer's entry and its only loop: start-up, frames while no message waits, shut-down.
#pragma once

#include <cstdint>

constexpr const char* kViewerTitle = "Quelvar v0.92 https://quelvar.org";
constexpr int32_t kWindowOuterWidth = 1000;
constexpr int32_t kWindowOuterHeight = 600;

// instance and showCommand come from the platform's entry (WinMain); the command line is
// not used. Returns the exit code: the quit message's, or 1 when no window could be had.
int runViewer(void* instance, int32_t showCommand);

// Handles every waiting message, drawing a frame only when none waits, until the quit
// message; returns its exit code.
int32_t runFrames();

// One frame: clear, input, the mode's passes, swap, and the 1 ms rest.
void drawFrame();
