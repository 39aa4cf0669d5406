// A stand-in window system for the shell's tests: key states, cursor, foreground and the
// message queue are set by the test frame by frame, and every call the shell makes is
// counted. The GL context is a real offscreen one, so frames really draw.
#pragma once

#include <cstdint>

#include "platform.h"

constexpr int kScriptedKeys = static_cast<int>(ViewerKey::Other) + 1;
constexpr int kScriptedMessages = 64;

struct ScriptedPlatform {
  bool keys[kScriptedKeys];
  bool foreground;
  int32_t cursorX;
  int32_t cursorY;
  int32_t displayCount;
  int32_t displaySteps;      // stepCursorDisplay calls
  int32_t cursorPlacements;  // placeCursor calls
  int32_t pauses100;         // the controls' debounce pauses
  int32_t pauses1;           // the frames' 1 ms rests
  int32_t swaps;
  bool registerSucceeds;
  bool windowSucceeds;
  char calls[512];           // start-up and shut-down calls in order, one letter each
  WindowMessage messages[kScriptedMessages];
  int32_t messageCount;
  int32_t nextMessage;
  bool quitPosted;
  int32_t quitCode;
  int32_t dispatched;
  // Called during every pause and after every swap, so a test can act between frames.
  void (*duringPause)(uint32_t milliseconds);
  void (*afterSwap)(int32_t swapsSoFar);
};

extern ScriptedPlatform scripted;

// Back to an idle window in the foreground, cursor at the look centre, no keys down.
void resetScripted();

// resetScripted, and the viewer's state back to its start: view state, camera, no records.
void resetViewer();

void pressKey(ViewerKey key);
void releaseKey(ViewerKey key);
void queueScriptedMessage(const WindowMessage& message);

WindowMessage resizeMessage(int32_t width, int32_t height);
WindowMessage plainMessage(MessageKind kind);
WindowMessage keyDownMessage(ViewerKey key);
