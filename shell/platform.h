// What the viewer asks of the window system, in its own terms: queries and actions only.
// What the system reports goes the other way, into the entry points of window_events.h.
// Exactly one backend is linked into a build: shell/win32 (Win32 and WGL) or shell/glfw
// (GLFW 3); the shell's tests link a scripted one.
#pragma once

#include <cstdint>

// The keys the controls know, plus Escape, which acts on every press. The next row are
// the finding-your-way keys: HUD, links, colours, reset, save the picture, and the main
// row's minus and equals, which act as the keypad's minus and plus. The last row: go-to
// prompt, stepping through the pairs, the threshold doubled or halved, the prompt's
// Backspace, and the lanes; then flight's rise, descend and overview. Their state is asked
// here; their presses come as events.
enum class ViewerKey {
  M, W, S, A, D, N, L, Q,
  Down, Up, Left, Right, Space,
  PadMinus, PadPlus, Pad6, Pad4,
  Enter, Escape,
  H, K, C, R, P, Minus, Equal,
  G, Period, Comma, PageUp, PageDown, Backspace, F,
  E, X, O,
  V,
  Other,  // any key the viewer has no use for
};

// Window and context, in start-up order. prepareWindowSystem and openWindow return false
// when no window can be had: prepareWindowSystem has then said why on standard error, in
// the system's terms; openWindow leaves the message to its caller. showWindow shows it as
// the system asked the program to start (Win32's show command; GLFW always normally),
// with the arrow cursor.
bool prepareWindowSystem();
bool openWindow(const char* title, int32_t outerWidth, int32_t outerHeight);
void showWindow();
void openGlContext();
void readClientSize(int32_t* width, int32_t* height);
void closeGlContext();
void closeWindow();

// Handles every waiting event, through the entry points, until none waits; an event that
// arrives meanwhile waits too. Returns true, with its exit code, once the quit arrived.
bool handleWaitingEvents(int32_t* exitCode);
// The quit arrives after every event already waiting.
void requestQuit(int32_t exitCode);

// Key state as of the events already handled: true while the key is down.
bool keyIsDown(ViewerKey key);
// Whether the viewer's window is the one the user is working with.
bool viewerHasForeground();
// Cursor position in screen coordinates.
void readCursor(int32_t* x, int32_t* y);
void placeCursor(int32_t x, int32_t y);
// The pointer in client-area pixels from the top left (outside the client area too).
void readPointer(int32_t* x, int32_t* y);
// The cursor shown (free) or hidden (captured), asked at every capture toggle and every
// pointer event over the window. Where the system keeps a display count (Win32's
// ShowCursor, which every pointer event steps, so it drifts far from zero) the backend
// steps it once when the answer repeats, and past zero the right way when it changes.
void showCursor(bool shown);
// Blocks the thread, event handling included.
void pauseThread(uint32_t milliseconds);
// A clock that only goes forward, in milliseconds from any start: held keys repeat by it.
uint64_t clockMilliseconds();
void swapFrameBuffers();
