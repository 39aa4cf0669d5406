// Started without arguments the original keys are polled, not taken as events: a press and
// release that both fall between two frames are not seen, and a held key acts again in
// every frame after its pause. Otherwise, and for the keys the original left free, every
// press counts once, and the keys that step a value repeat while held, at kRepeatEveryMs.
#include "controls.h"

#include "camera.h"
#include "flight.h"
#include "flight_keys.h"
#include "frame_save.h"
#include "goto_prompt.h"
#include "pair_colours.h"
#include "pair_steps.h"
#include "threshold_keys.h"
#include "view_start.h"
#include "view_state_instance.h"
#include "record_places.h"

namespace {

constexpr double kHalfPi = 1.57079632679489661923;

// The polled keys' debounce: the whole viewer stalls, event handling included.
constexpr unsigned kTogglePauseMs = 100;

// A held stepping key acts again after kRepeatAfterMs, then every kRepeatEveryMs: ten
// steps a second, whatever the frame rate and the system's own key repeat.
constexpr uint64_t kRepeatAfterMs = 400;
constexpr uint64_t kRepeatEveryMs = 100;
constexpr int kMostRepeatsAFrame = 10;  // a stalled frame does not release a burst

// The mouse-look centre, in screen coordinates wherever the window lies.
constexpr int kLookCentreX = 400;
constexpr int kLookCentreY = 300;

constexpr int kKeys = static_cast<int>(ViewerKey::Other) + 1;

bool oncePerPress = false;
int pressesWaiting[kKeys] = {};
// For a key that repeats: when it next acts while still held; 0 while it is not held.
uint64_t nextRepeat[kKeys] = {};

bool enterHeld = false;  // see holdEnterUntilReleased
double wheelNotches = 0;  // turned since the last frame

int index(ViewerKey key) { return static_cast<int>(key); }

// The presses counted since the last frame, taken.
int takePresses(ViewerKey key) {
  int presses = pressesWaiting[index(key)];
  pressesWaiting[index(key)] = 0;
  return presses;
}

// Presses, then, while the key stays down after one, a step every kRepeatEveryMs.
int pressesAndRepeats(ViewerKey key) {
  int acts = takePresses(key);
  uint64_t& next = nextRepeat[index(key)];
  if (!keyIsDown(key)) {
    next = 0;
    return acts;
  }
  uint64_t now = clockMilliseconds();
  if (acts > 0) {
    next = now + kRepeatAfterMs;
    return acts;
  }
  for (int repeats = 0; next != 0 && now >= next; ++repeats) {
    if (repeats == kMostRepeatsAFrame) {
      next = now + kRepeatEveryMs;
      break;
    }
    ++acts;
    next += kRepeatEveryMs;
  }
  return acts;
}

// How often an original toggle acts this frame: once while down when polled, else its presses.
int togglePresses(ViewerKey key) {
  if (!oncePerPress) return keyIsDown(key) ? 1 : 0;
  return takePresses(key);
}

// The same for an original key that steps a value.
int stepPresses(ViewerKey key) {
  if (!oncePerPress) return keyIsDown(key) ? 1 : 0;
  return pressesAndRepeats(key);
}

// A polled toggle's only debounce; counted presses need none.
void pauseAfterToggle() {
  if (!oncePerPress) pauseThread(kTogglePauseMs);
}

// Stops every slide and jump, and the spare pair with them.
void clearArrowFlags(ViewState& view) { view.input.arrows = ArrowFlags{}; }

// A press toggles its own flag and always clears the partner, so the pair is never both set.
void toggleExclusive(ViewerKey key, bool& own, bool& partner) {
  for (int n = togglePresses(key); n > 0; --n) {
    own = !own;
    partner = false;
    pauseAfterToggle();
  }
}

// One degree for every 5 pixels off the centre; the cursor goes back to the centre.
void lookWithMouse() {
  int32_t x = 0;
  int32_t y = 0;
  readCursor(&x, &y);
  if (viewState.input.cursorFree != 0) return;
  rotateCamera(static_cast<float>((kLookCentreY - y) / 5.0),
               static_cast<float>((kLookCentreX - x) / 5.0));
  placeCursor(kLookCentreX, kLookCentreY);
}

void forgetPresses() {
  for (int& presses : pressesWaiting) presses = 0;
  for (uint64_t& next : nextRepeat) next = 0;
  wheelNotches = 0;
}

// Rise, descend and the overview; nothing unless the camera flies.
void flightKeys() {
  int presses = pressesAndRepeats(ViewerKey::E) - pressesAndRepeats(ViewerKey::X);
  double notches = wheelNotches;
  wheelNotches = 0;
  bool overview = takePresses(ViewerKey::O) > 0;
  if (!cameraFlies()) return;
  if (overview) flyToOverview();
  changeAltitude(presses, notches);
}

// The keys the original controls leave free: each acts once per press in either mode.
void findingYourWayKeys(ViewState& view) {
  for (int n = takePresses(ViewerKey::H); n > 0; --n) view.look.hud = !view.look.hud;
  for (int n = takePresses(ViewerKey::F); n > 0; --n) view.look.showLanes = !view.look.showLanes;
  for (int n = takePresses(ViewerKey::K); n > 0; --n) view.look.showLinks = !view.look.showLinks;
  for (int n = takePresses(ViewerKey::V); n > 0; --n) view.look.dotPlot = !view.look.dotPlot;
  for (int n = takePresses(ViewerKey::C); n > 0; --n) view.look.colourMode = nextColourMode(view.look.colourMode);
  if (takePresses(ViewerKey::R) > 0) resetViewToStart();
  if (takePresses(ViewerKey::P) > 0) requestFrameSave();  // once this frame is drawn
  for (int n = pressesAndRepeats(ViewerKey::PageUp); n > 0; --n) scaleThreshold(2.0);
  for (int n = pressesAndRepeats(ViewerKey::PageDown); n > 0; --n) scaleThreshold(0.5);
  for (int n = pressesAndRepeats(ViewerKey::Period); n > 0; --n) stepThroughPairs(1);
  for (int n = pressesAndRepeats(ViewerKey::Comma); n > 0; --n) stepThroughPairs(-1);
}

}  // namespace

void actOncePerPress(bool on) {
  oncePerPress = on;
  forgetPresses();
}

bool actingOncePerPress() { return oncePerPress; }

void countKeyPress(ViewerKey key) { ++pressesWaiting[index(key)]; }

void countWheelNotches(double notches) { wheelNotches += notches; }

void handleInput() {
  // Keys pressed elsewhere, or typed into the open prompt, are not the controls'.
  if (!viewerHasForeground() || gotoPromptOpen()) {
    forgetPresses();
    return;
  }
  if (enterHeld && !keyIsDown(ViewerKey::Enter)) enterHeld = false;
  ViewState& view = viewState;
  float heading = cameraHeading();  // taken before this frame's turn
  float speed = 0;
  float step = flightSpeed(camera);  // 0.1 unless flying

  for (int n = togglePresses(ViewerKey::M); n > 0; --n) {
    view.look.showFloor = !view.look.showFloor;
    pauseAfterToggle();
  }
  if (keyIsDown(ViewerKey::W)) speed = step;
  if (keyIsDown(ViewerKey::S)) speed = -step;
  if (keyIsDown(ViewerKey::A)) {
    heading = static_cast<float>(heading - kHalfPi);
    speed = step;
  }
  if (keyIsDown(ViewerKey::D)) {
    heading = static_cast<float>(heading + kHalfPi);
    speed = step;
  }
  for (int n = stepPresses(ViewerKey::N); n > 0; --n) {
    zoomStep(view);
    pauseAfterToggle();
  }
  // No pause: polled and held down, it flips once per frame.
  for (int n = togglePresses(ViewerKey::L); n > 0; --n) view.look.pointStyle = !view.look.pointStyle;
  for (int n = togglePresses(ViewerKey::Q); n > 0; --n) toggleCursorCapture();
  if (speed != 0) moveCamera(heading, speed);
  lookWithMouse();
  flightKeys();
  rebaseCamera(camera);  // only when flying

  toggleExclusive(ViewerKey::Down, view.input.arrows.jumpBack, view.input.arrows.jumpForward);
  toggleExclusive(ViewerKey::Up, view.input.arrows.jumpForward, view.input.arrows.jumpBack);
  toggleExclusive(ViewerKey::Left, view.input.arrows.moveLeft, view.input.arrows.moveRight);
  toggleExclusive(ViewerKey::Right, view.input.arrows.moveRight, view.input.arrows.moveLeft);
  for (int n = togglePresses(ViewerKey::Space); n > 0; --n) {
    clearArrowFlags(view);
    pauseAfterToggle();
  }
  // Minus raises the threshold (fewer bars), plus lowers it. Polled, the keypad's has no
  // bounds; the main row's - and =, for keyboards without a keypad, keep it between 0 and
  // the longest pair, and so does the keypad's once keys count presses. Both held in one
  // polled frame still make one step.
  int raise = stepPresses(ViewerKey::PadMinus), lower = stepPresses(ViewerKey::PadPlus);
  int raiseRow = stepPresses(ViewerKey::Minus), lowerRow = stepPresses(ViewerKey::Equal);
  if (!oncePerPress) {
    raise = raise > 0 || raiseRow > 0 ? 1 : 0;
    lower = lower > 0 || lowerRow > 0 ? 1 : 0;
    raiseRow = lowerRow = 0;
  }
  bool bounded = oncePerPress || keyIsDown(ViewerKey::Minus) || keyIsDown(ViewerKey::Equal);
  for (int n = raise + raiseRow; n > 0; --n) {
    stepThreshold(0.01, bounded);
    pauseAfterToggle();
  }
  for (int n = lower + lowerRow; n > 0; --n) {
    stepThreshold(-0.01, bounded);
    pauseAfterToggle();
  }
  toggleExclusive(ViewerKey::Pad6, view.input.arrows.auxRight, view.input.arrows.auxLeft);
  toggleExclusive(ViewerKey::Pad4, view.input.arrows.auxLeft, view.input.arrows.auxRight);
  int enter = togglePresses(ViewerKey::Enter);
  if (!oncePerPress && enterHeld) enter = 0;
  for (; enter > 0; --enter) {
    view.filter.windowMode = !view.filter.windowMode;
    pauseAfterToggle();
    clearArrowFlags(view);  // a slide never carries over from one mode to the other
  }
  findingYourWayKeys(view);
}

void holdEnterUntilReleased() { enterHeld = true; }

void toggleCursorCapture() {
  ViewState& view = viewState;
  if (view.input.cursorFree != 0) placeCursor(kLookCentreX, kLookCentreY);
  view.input.cursorFree = view.input.cursorFree != 0 ? 0 : 1;
  pauseAfterToggle();
  showCursor(view.input.cursorFree != 0);
}
