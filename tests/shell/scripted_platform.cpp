#include "scripted_platform.h"

#include <cstring>

#include "camera.h"
#include "offscreen_context.h"
#include "record_table.h"
#include "view_state_instance.h"
#include "window_procedure.h"

ScriptedPlatform scripted;

namespace {

void note(char call) {
  size_t length = std::strlen(scripted.calls);
  if (length + 1 < sizeof(scripted.calls)) {
    scripted.calls[length] = call;
    scripted.calls[length + 1] = '\0';
  }
}

}  // namespace

void resetScripted() {
  scripted = ScriptedPlatform{};
  scripted.foreground = true;
  scripted.cursorX = 400;
  scripted.cursorY = 300;
  scripted.registerSucceeds = true;
  scripted.windowSucceeds = true;
}

void resetViewer() {
  resetScripted();
  viewState = ViewState{};
  camera = Camera{};
  resetTandemData();
}

void pressKey(ViewerKey key) { scripted.keys[static_cast<int>(key)] = true; }
void releaseKey(ViewerKey key) { scripted.keys[static_cast<int>(key)] = false; }

void queueScriptedMessage(const WindowMessage& message) {
  if (scripted.messageCount < kScriptedMessages) scripted.messages[scripted.messageCount++] = message;
}

WindowMessage resizeMessage(int32_t width, int32_t height) {
  WindowMessage message{};
  message.kind = MessageKind::Resize;
  message.width = width;
  message.height = height;
  return message;
}

WindowMessage plainMessage(MessageKind kind) {
  WindowMessage message{};
  message.kind = kind;
  return message;
}

WindowMessage keyDownMessage(ViewerKey key) {
  WindowMessage message = plainMessage(MessageKind::KeyDown);
  message.key = key;
  return message;
}

bool registerWindowClass(void*) {
  note('r');
  return scripted.registerSucceeds;
}

bool createViewerWindow(const char*, int32_t outerWidth, int32_t outerHeight) {
  note(outerWidth == 1000 && outerHeight == 600 ? 'w' : 'x');
  return scripted.windowSucceeds;
}

void showViewerWindow(int32_t) { note('s'); }

void createGlContext() {
  note('c');
  char error[200];
  openOffscreenContext(1000, 600, error, sizeof(error));
}

void readClientSize(int32_t* width, int32_t* height) {
  note('z');
  *width = 1000;
  *height = 600;
}

void destroyGlContext() {
  note('C');
  closeOffscreenContext();
}

void destroyViewerWindow() { note('W'); }

bool takeMessage(WindowMessage* message) {
  if (scripted.nextMessage < scripted.messageCount) {
    *message = scripted.messages[scripted.nextMessage++];
    return true;
  }
  if (scripted.quitPosted) {
    scripted.quitPosted = false;
    *message = plainMessage(MessageKind::Quit);
    message->exitCode = scripted.quitCode;
    return true;
  }
  return false;
}

void dispatchMessage(const WindowMessage& message) {
  ++scripted.dispatched;
  windowProcedure(message);
}

void postQuit(int32_t exitCode) {
  scripted.quitPosted = true;
  scripted.quitCode = exitCode;
}

bool keyIsDown(ViewerKey key) { return scripted.keys[static_cast<int>(key)]; }

bool viewerHasForeground() { return scripted.foreground; }

void readCursor(int32_t* x, int32_t* y) {
  *x = scripted.cursorX;
  *y = scripted.cursorY;
}

void placeCursor(int32_t x, int32_t y) {
  ++scripted.cursorPlacements;
  scripted.cursorX = x;
  scripted.cursorY = y;
}

int32_t stepCursorDisplay(bool show) {
  ++scripted.displaySteps;
  scripted.displayCount += show ? 1 : -1;
  return scripted.displayCount;
}

void pauseThread(uint32_t milliseconds) {
  if (milliseconds == 100) ++scripted.pauses100;
  if (milliseconds == 1) ++scripted.pauses1;
  if (scripted.duringPause != nullptr) scripted.duringPause(milliseconds);
}

void swapFrameBuffers() {
  ++scripted.swaps;
  if (scripted.afterSwap != nullptr) scripted.afterSwap(scripted.swaps);
}
