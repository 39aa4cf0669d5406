#include "window_events.h"

#include "controls.h"
#include "pair_pick.h"
#include "projection.h"
#include "view_state_instance.h"

void windowResized(int32_t width, int32_t height) {
  // A minimised window reports no pixels: keep the last viewport and projection until a
  // real size comes, rather than set an aspect of zero or infinity.
  if (width > 0 && height > 0) resizeView(width, height);
}

void windowCloseRequested() { requestQuit(0); }

void keyPressed(ViewerKey key) {
  // Every press and auto-repeat of Escape toggles; other keys are polled, not handled.
  if (key == ViewerKey::Escape) toggleCursorCapture();
}

void pointerOverWindow() {
  // Shown while free, hidden while captured.
  showCursor(viewState.cursorFree != 0);
}

namespace {

bool pairInputHeld = false;

}  // namespace

void holdPairInput(bool hold) { pairInputHeld = hold; }

void mouseButtonPressed(MouseButton button, int32_t x, int32_t y) {
  // A click is input the controls never poll, so it may print with the HUD off too.
  if (button == MouseButton::Left && !pairInputHeld) printClickedPair(x, y);
}
