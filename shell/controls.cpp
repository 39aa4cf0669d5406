// Polling, not key events: a press and release that both fall between two frames are not
// seen, and a held key acts again in every frame after its pause.
#include "controls.h"

#include "camera.h"
#include "frame_save.h"
#include "goto_prompt.h"
#include "pair_colours.h"
#include "platform.h"
#include "view_start.h"
#include "view_state_instance.h"
#include "record_places.h"

namespace {

constexpr double kHalfPi = 1.57079632679489661923;

// The debounce after a toggle: the whole viewer stalls, event handling included.
constexpr unsigned kTogglePauseMs = 100;

// The mouse-look centre, in screen coordinates wherever the window lies.
constexpr int kLookCentreX = 400;
constexpr int kLookCentreY = 300;

// P saves one picture a press, however long it is held: it acts on the frame that first
// sees it down.
bool saveKeyHeld = false;

bool enterHeld = false;  // see holdEnterUntilReleased

// A toggle's only debounce.
void pauseAfterToggle() { pauseThread(kTogglePauseMs); }

// Stops every slide and jump, and the spare pair with them.
void clearArrowFlags(ViewState& view) {
  view.moveRight = false;
  view.moveLeft = false;
  view.jumpBack = false;
  view.jumpForward = false;
  view.auxRight = false;
  view.auxLeft = false;
}

// A press toggles its own flag and always clears the partner, so the pair is never both set.
void toggleExclusive(bool& own, bool& partner) {
  own = !own;
  partner = false;
  pauseAfterToggle();
}

// One degree for every 5 pixels off the centre; the cursor goes back to the centre.
void lookWithMouse() {
  int32_t x = 0;
  int32_t y = 0;
  readCursor(&x, &y);
  if (viewState.cursorFree != 0) return;
  rotateCamera(static_cast<float>((kLookCentreY - y) / 5.0),
               static_cast<float>((kLookCentreX - x) / 5.0));
  placeCursor(kLookCentreX, kLookCentreY);
}

}  // namespace

void handleInput() {
  if (!viewerHasForeground()) {
    saveKeyHeld = false;  // a key let go elsewhere is not seen letting go
    return;
  }
  // Keys type into the open prompt; the camera stays where it is.
  if (gotoPromptOpen()) return;
  if (enterHeld && !keyIsDown(ViewerKey::Enter)) enterHeld = false;
  ViewState& view = viewState;
  float heading = cameraHeading();  // taken before this frame's turn
  float speed = 0;

  if (keyIsDown(ViewerKey::M)) {
    view.showFloor = !view.showFloor;
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::W)) speed = 0.1f;
  if (keyIsDown(ViewerKey::S)) speed = -0.1f;
  if (keyIsDown(ViewerKey::A)) {
    heading = static_cast<float>(heading - kHalfPi);
    speed = 0.1f;
  }
  if (keyIsDown(ViewerKey::D)) {
    heading = static_cast<float>(heading + kHalfPi);
    speed = 0.1f;
  }
  if (keyIsDown(ViewerKey::N)) {
    zoomStep(view);
    pauseAfterToggle();
  }
  // No pause: held down, it flips once per frame.
  if (keyIsDown(ViewerKey::L)) view.pointStyle = !view.pointStyle;
  if (keyIsDown(ViewerKey::Q)) toggleCursorCapture();
  if (speed != 0) moveCamera(heading, speed);
  lookWithMouse();

  if (keyIsDown(ViewerKey::Down)) toggleExclusive(view.jumpBack, view.jumpForward);
  if (keyIsDown(ViewerKey::Up)) toggleExclusive(view.jumpForward, view.jumpBack);
  if (keyIsDown(ViewerKey::Left)) toggleExclusive(view.moveLeft, view.moveRight);
  if (keyIsDown(ViewerKey::Right)) toggleExclusive(view.moveRight, view.moveLeft);
  if (keyIsDown(ViewerKey::Space)) {
    clearArrowFlags(view);
    pauseAfterToggle();
  }
  // Minus raises the threshold (fewer bars), plus lowers it; it has no bounds. The main
  // row's - and = do the same, for keyboards without a keypad.
  if (keyIsDown(ViewerKey::PadMinus) || keyIsDown(ViewerKey::Minus)) {
    view.threshold = static_cast<float>(view.threshold + 0.01);
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::PadPlus) || keyIsDown(ViewerKey::Equal)) {
    view.threshold = static_cast<float>(view.threshold - 0.01);
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::Pad6)) toggleExclusive(view.auxRight, view.auxLeft);
  if (keyIsDown(ViewerKey::Pad4)) toggleExclusive(view.auxLeft, view.auxRight);
  if (keyIsDown(ViewerKey::Enter) && !enterHeld) {
    view.windowMode = !view.windowMode;
    pauseAfterToggle();
    clearArrowFlags(view);  // a slide never carries over from one mode to the other
  }
  // Finding one's way: keys the controls above leave free.
  if (keyIsDown(ViewerKey::H)) {
    view.hud = !view.hud;
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::F)) {
    view.showLanes = !view.showLanes;
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::K)) {
    view.showLinks = !view.showLinks;
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::C)) {
    view.colourMode = nextColourMode(view.colourMode);
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::R)) {
    resetViewToStart();
    pauseAfterToggle();
  }
  bool saveKeyDown = keyIsDown(ViewerKey::P);
  if (saveKeyDown && !saveKeyHeld) requestFrameSave();  // once this frame is drawn
  saveKeyHeld = saveKeyDown;
}

void holdEnterUntilReleased() { enterHeld = true; }

void toggleCursorCapture() {
  ViewState& view = viewState;
  if (view.cursorFree != 0) placeCursor(kLookCentreX, kLookCentreY);
  view.cursorFree = view.cursorFree != 0 ? 0 : 1;
  pauseAfterToggle();
  showCursor(view.cursorFree != 0);
}
