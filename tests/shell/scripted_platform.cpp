#include "scripted_platform.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "camera.h"
#include "controls.h"
#include "offscreen_context.h"
#include "record_table.h"
#include "view_state_instance.h"

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
  scripted.prepareSucceeds = true;
  scripted.windowSucceeds = true;
}

void resetViewer() {
  resetScripted();
  viewState = ViewState{};
  camera = Camera{};
  resetTandemData();
  actOncePerPress(false);
}

void pressKey(ViewerKey key) { scripted.keys[static_cast<int>(key)] = true; }
void releaseKey(ViewerKey key) { scripted.keys[static_cast<int>(key)] = false; }

void queueScriptedEvent(std::function<void()> event) { scripted.events.push_back(std::move(event)); }

bool prepareWindowSystem() {
  note('r');
  // Says why as the Win32 backend does.
  if (!scripted.prepareSucceeds) std::fprintf(stderr, "quelvar: cannot register the window class\n");
  return scripted.prepareSucceeds;
}

bool openWindow(const char*, int32_t outerWidth, int32_t outerHeight) {
  note(outerWidth == 1000 && outerHeight == 600 ? 'w' : 'x');
  return scripted.windowSucceeds;
}

void showWindow() { note('s'); }

void openGlContext() {
  note('c');
  char error[200];
  openOffscreenContext(1000, 600, error, sizeof(error));
}

void readClientSize(int32_t* width, int32_t* height) {
  note('z');
  *width = 1000;
  *height = 600;
}

void closeGlContext() {
  note('C');
  closeOffscreenContext();
}

void closeWindow() { note('W'); }

bool handleWaitingEvents(int32_t* exitCode) {
  // By index: an event may queue more, which wait too.
  while (scripted.nextEvent < scripted.events.size()) {
    ++scripted.handled;
    scripted.events[scripted.nextEvent++]();
  }
  if (!scripted.quitPosted) return false;
  scripted.quitPosted = false;
  *exitCode = scripted.quitCode;
  return true;
}

void requestQuit(int32_t exitCode) {
  scripted.quitPosted = true;
  scripted.quitCode = exitCode;
}

bool keyIsDown(ViewerKey key) { return scripted.keys[static_cast<int>(key)]; }

bool viewerHasForeground() { return scripted.foreground; }

void readCursor(int32_t* x, int32_t* y) {
  *x = scripted.cursorX;
  *y = scripted.cursorY;
}

// The client area taken to start at the screen's corner.
void readPointer(int32_t* x, int32_t* y) { readCursor(x, y); }

void placeCursor(int32_t x, int32_t y) {
  ++scripted.cursorPlacements;
  scripted.cursorX = x;
  scripted.cursorY = y;
}

namespace {

int32_t stepDisplay(bool show) {
  ++scripted.displaySteps;
  scripted.displayCount += show ? 1 : -1;
  return scripted.displayCount;
}

}  // namespace

// As the Win32 backend steps the system's count.
void showCursor(bool shown) {
  if (shown == scripted.cursorShown) {
    stepDisplay(shown);
    return;
  }
  scripted.cursorShown = shown;
  if (shown) {
    while (stepDisplay(true) <= 0) {
    }
  } else {
    while (stepDisplay(false) >= 0) {
    }
  }
}

void pauseThread(uint32_t milliseconds) {
  scripted.clockMs += milliseconds;
  if (milliseconds == 100) ++scripted.pauses100;
  if (milliseconds == 1) ++scripted.pauses1;
  if (scripted.duringPause != nullptr) scripted.duringPause(milliseconds);
}

void swapFrameBuffers() {
  ++scripted.swaps;
  if (scripted.afterSwap != nullptr) scripted.afterSwap(scripted.swaps);
}

uint64_t clockMilliseconds() { return scripted.clockMs; }
