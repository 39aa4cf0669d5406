// What the viewer needs of the window system, in its own terms. Exactly one backend is
// linked into a build: shell/win32 (Win32 and WGL) or shell/glfw (GLFW 3); the controls
// tests link a scripted one. Backends only answer these calls; the start-up order, the
// loop, the reactions to messages and the controls all live in the portable shell.
#pragma once

#include <cstdint>

// The keys the controls poll, plus Escape, which arrives as a key-down message.
enum class ViewerKey {
  M, W, S, A, D, N, L, Q,
  Down, Up, Left, Right, Space,
  PadMinus, PadPlus, Pad6, Pad4,
  Enter, Escape,
  Other,  // any key the viewer has no use for
};

enum class MessageKind {
  Quit,       // the quit posted by postQuit; ends the loop
  Resize,     // new client size
  Close,      // the user asks to close the window
  Destroy,
  SetCursor,  // the pointer moved over the window, frame included
  KeyDown,    // a press or an auto-repeat
  Other,      // left to the system's default handling
};

struct WindowMessage {
  MessageKind kind;
  int32_t width;     // Resize
  int32_t height;    // Resize
  ViewerKey key;     // KeyDown
  int32_t exitCode;  // Quit
};

// Window and context, in start-up order. instance is the module handle where the system
// has one (Win32), else null. Both checks return false when the window cannot be had.
bool registerWindowClass(void* instance);
bool createViewerWindow(const char* title, int32_t outerWidth, int32_t outerHeight);
void showViewerWindow(int32_t showCommand);  // also sets the arrow cursor
void createGlContext();
void readClientSize(int32_t* width, int32_t* height);
void destroyGlContext();
void destroyViewerWindow();

// Removes one waiting message, returning false at once when none waits.
bool takeMessage(WindowMessage* message);
// Hands a taken message to windowProcedure, through the system's dispatch where it has one.
void dispatchMessage(const WindowMessage& message);
// Makes a later takeMessage return Quit with this exit code.
void postQuit(int32_t exitCode);

// Key state as of the messages already taken: true while the key is down.
bool keyIsDown(ViewerKey key);
// Whether the viewer's window is the one the user is working with.
bool viewerHasForeground();
// Cursor position in screen coordinates.
void readCursor(int32_t* x, int32_t* y);
void placeCursor(int32_t x, int32_t y);
// One step of the cursor display count (show adds 1, hide subtracts 1); returns the new
// count. The cursor is visible while the count is 0 or more.
int32_t stepCursorDisplay(bool show);
// Blocks the thread, message handling included.
void pauseThread(uint32_t milliseconds);
void swapFrameBuffers();
