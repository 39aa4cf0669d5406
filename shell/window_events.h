// What the window system reports, entering the viewer. The backends call these from their
// window procedure or callbacks as the events come, and the viewer reacts at once.
#pragma once

#include <cstdint>

#include "platform.h"

// The client area's new size in pixels; zero while minimised.
void windowResized(int32_t width, int32_t height);
// The user asks to close the window.
void windowCloseRequested();
// Every press, and every auto-repeat with repeat set; releases are not reported.
void keyPressed(ViewerKey key, bool repeat = false);
// The pointer moved over the window, frame included.
void pointerOverWindow();

// Reported where the backend says so in its opening list. A left click prints the pair
// under the pointer; the rest the viewer does nothing with yet.
enum class MouseButton { Left, Right, Middle };
// x and y in client-area pixels from the top left.
void mouseButtonPressed(MouseButton button, int32_t x, int32_t y);
// While the records are still being loaded on another thread: clicks pick nothing.
void holdPairInput(bool hold);
// The mouse wheel turned by notches (fractions from fine wheels), positive away from the
// user.
void wheelTurned(double notches);
// One character as typed, layout and modifiers applied: for the go-to prompt.
void characterTyped(uint32_t codePoint);
