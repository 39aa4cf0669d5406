#include "window_events.h"

#include "controls.h"
#include "goto_prompt.h"
#include "pair_pick.h"
#include "projection.h"
#include "view_state_instance.h"

void windowResized(int32_t width, int32_t height) {
  // A minimised window reports no pixels: keep the last viewport and projection until a
  // real size comes, rather than set an aspect of zero or infinity.
  if (width > 0 && height > 0) resizeView(width, height);
}

void windowCloseRequested() { requestQuit(0); }

namespace {

// The G that opened the prompt arrives as a character next; it is not typed.
bool openingCharacterDue = false;

// While the prompt is open, keys edit it and nothing else.
void promptKeyPressed(ViewerKey key) {
  openingCharacterDue = false;
  if (key == ViewerKey::Escape) closeGotoPrompt();
  if (key == ViewerKey::Backspace) eraseInGotoPrompt();
  if (key == ViewerKey::Enter) {
    enterGotoPrompt();
    if (!gotoPromptOpen()) holdEnterUntilReleased();
  }
}

}  // namespace

void keyPressed(ViewerKey key, bool repeat) {
  if (gotoPromptOpen()) {
    promptKeyPressed(key);
    return;
  }
  if (!repeat) countKeyPress(key);  // the controls act on it in the next frame
  switch (key) {
    // Every press acts at once, and polled every auto-repeat too, as the original did.
    case ViewerKey::Escape:
      if (!repeat || !actingOncePerPress()) toggleCursorCapture();
      break;
    case ViewerKey::G:
      if (repeat) break;
      openGotoPrompt();
      openingCharacterDue = true;
      break;
    default: break;
  }
}

void pointerOverWindow() {
  // Shown while free, hidden while captured.
  showCursor(viewState.input.cursorFree != 0);
}

namespace {

bool pairInputHeld = false;

}  // namespace

void holdPairInput(bool hold) { pairInputHeld = hold; }

void mouseButtonPressed(MouseButton button, int32_t x, int32_t y) {
  // A click is input the controls never poll, so it may print with the HUD off too.
  if (button == MouseButton::Left && !pairInputHeld) printClickedPair(x, y);
}

void wheelTurned(double notches) {
  if (!gotoPromptOpen()) countWheelNotches(notches);  // the controls act on it in the next frame
}

void characterTyped(uint32_t codePoint) {
  bool opening = openingCharacterDue && (codePoint == 'g' || codePoint == 'G');
  openingCharacterDue = false;
  if (!opening) typeIntoGotoPrompt(codePoint);
}
