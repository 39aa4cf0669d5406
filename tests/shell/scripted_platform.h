// A stand-in window system for the shell's tests: key states, cursor and foreground are
// set by the test frame by frame, events wait in a script until the viewer handles them,
// and every call the shell makes is counted. The GL context is a real offscreen one, so
// frames really draw.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform.h"

constexpr int kScriptedKeys = static_cast<int>(ViewerKey::Other) + 1;

struct ScriptedPlatform {
  bool keys[kScriptedKeys];
  bool foreground;
  int32_t cursorX;
  int32_t cursorY;
  int32_t displayCount;      // kept here, as Win32 keeps its own
  int32_t displaySteps;      // steps of the count
  bool cursorShown;          // the last showCursor answer
  int32_t cursorPlacements;  // placeCursor calls
  int32_t pauses100;         // the controls' debounce pauses
  int32_t pauses1;           // the frames' 1 ms rests
  int32_t swaps;
  uint64_t clockMs;          // advanced by the test and by every pause
  bool prepareSucceeds;
  bool windowSucceeds;
  char calls[512];           // start-up and shut-down calls in order, one letter each
  std::vector<std::function<void()>> events;  // each calls the viewer's entry points
  size_t nextEvent;
  int32_t handled;           // events handled so far
  bool quitPosted;
  int32_t quitCode;
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

// An event for handleWaitingEvents to hand to the viewer, after those already waiting.
void queueScriptedEvent(std::function<void()> event);
