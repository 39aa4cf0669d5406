// The controls polled against the scripted window system, one handleInput a frame.
#include <gtest/gtest.h>

#include <cmath>

#include "camera.h"
#include "controls.h"
#include "record_table.h"
#include "scripted_platform.h"
#include "view_state_instance.h"
#include "window_events.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override { resetViewer(); }

  // One frame in which exactly these keys are down.
  static void frameWith(std::initializer_list<ViewerKey> down) {
    for (bool& key : scripted.keys) key = false;
    for (ViewerKey key : down) pressKey(key);
    handleInput();
  }
};

bool sameView(const ViewState& a, const ViewState& b) {
  return a.filter.threshold == b.filter.threshold && a.filter.windowMode == b.filter.windowMode &&
         a.look.pointStyle == b.look.pointStyle && a.look.showFloor == b.look.showFloor &&
         a.input.cursorFree == b.input.cursorFree && a.zoomSteps == b.zoomSteps &&
         a.filter.windowStart == b.filter.windowStart && a.input.arrows.moveRight == b.input.arrows.moveRight &&
         a.input.arrows.moveLeft == b.input.arrows.moveLeft &&
         a.input.arrows.jumpForward == b.input.arrows.jumpForward &&
         a.input.arrows.jumpBack == b.input.arrows.jumpBack && a.input.arrows.auxRight == b.input.arrows.auxRight &&
         a.input.arrows.auxLeft == b.input.arrows.auxLeft;
}

TEST_F(Controls, FloorKeyTogglesOncePerSeenFrameWithAPause) {
  frameWith({ViewerKey::M});
  EXPECT_FALSE(viewState.look.showFloor);
  EXPECT_EQ(scripted.pauses100, 1);
  frameWith({ViewerKey::M});  // still held after the pause: acts again
  EXPECT_TRUE(viewState.look.showFloor);
  frameWith({});
  EXPECT_TRUE(viewState.look.showFloor);
  EXPECT_EQ(scripted.pauses100, 2);
}

TEST_F(Controls, MovementKeysCombineInTheirPollingOrder) {
  struct Case {
    std::initializer_list<ViewerKey> keys;
    float dx, dy;  // expected move with yaw 0, where straight ahead is +y
  };
  const Case cases[] = {
      {{ViewerKey::W}, 0, 0.1f},
      {{ViewerKey::S}, 0, -0.1f},
      {{ViewerKey::A}, -0.1f, 0},
      {{ViewerKey::D}, 0.1f, 0},
      {{ViewerKey::A, ViewerKey::D}, 0, 0.1f},  // the quarter turns cancel: straight ahead
      {{ViewerKey::W, ViewerKey::S}, 0, -0.1f},  // S wins over W
      {{ViewerKey::S, ViewerKey::D}, 0.1f, 0},   // a strafe always goes forwards
  };
  for (const Case& c : cases) {
    camera = Camera{};
    camera.yaw = 0;
    frameWith(c.keys);
    EXPECT_NEAR(camera.camX, -1 + c.dx, 1e-6);
    EXPECT_NEAR(camera.camY, -1 + c.dy, 1e-6);
    EXPECT_EQ(camera.camZ, 2.0f);
  }
  EXPECT_EQ(scripted.pauses100, 0);
}

TEST_F(Controls, ZoomScalesEveryRecordAndCountsEvenWithNoRecords) {
  frameWith({ViewerKey::N});
  EXPECT_EQ(viewState.zoomSteps, 1);
  EXPECT_EQ(scripted.pauses100, 1);

  recordTable.count = 3;
  recordTable.slots[1].x = 1.0f;
  recordTable.slots[2].x = 3.0f;
  recordTable.slots[3].x = 5.0f;  // past count: not a record
  frameWith({ViewerKey::N});
  EXPECT_EQ(viewState.zoomSteps, 2);
  EXPECT_EQ(recordTable.slots[1].x, static_cast<float>(1.0 * 0.9));
  EXPECT_EQ(recordTable.slots[2].x, static_cast<float>(3.0 * 0.9));
  EXPECT_EQ(recordTable.slots[3].x, 5.0f);
}

TEST_F(Controls, HeldLFlipsThePointStyleEveryFrameWithoutPausing) {
  frameWith({ViewerKey::L});
  EXPECT_TRUE(viewState.look.pointStyle);
  frameWith({ViewerKey::L});
  EXPECT_FALSE(viewState.look.pointStyle);  // seen in an even number of frames: unchanged
  frameWith({ViewerKey::L});
  EXPECT_TRUE(viewState.look.pointStyle);
  EXPECT_EQ(scripted.pauses100, 0);
}

TEST_F(Controls, MouseLookTurnsOneDegreePerFivePixelsAndRecentres) {
  scripted.cursorX = 410;  // 10 px right: turn right, yaw down
  scripted.cursorY = 290;  // 10 px up: look up
  frameWith({});
  EXPECT_EQ(camera.pitch, 72.0f);
  EXPECT_EQ(camera.yaw, 298.0f);  // -62 brought into 0..360
  EXPECT_EQ(scripted.cursorX, 400);
  EXPECT_EQ(scripted.cursorY, 300);

  scripted.cursorX = 403;
  frameWith({});
  EXPECT_EQ(camera.yaw, 298.0f + static_cast<float>(-3 / 5.0));

  viewState.input.cursorFree = 1;  // a free cursor neither turns the camera nor is pulled back
  scripted.cursorX = 900;
  int32_t placements = scripted.cursorPlacements;
  float yaw = camera.yaw;
  frameWith({});
  EXPECT_EQ(camera.yaw, yaw);
  EXPECT_EQ(scripted.cursorX, 900);
  EXPECT_EQ(scripted.cursorPlacements, placements);
}

TEST_F(Controls, MoveUsesTheHeadingFromBeforeThisFramesTurn) {
  camera.yaw = 0;
  scripted.cursorX = 850;  // a quarter turn to the right in the same frame
  frameWith({ViewerKey::W});
  EXPECT_NEAR(camera.camX, -1.0, 1e-6);
  EXPECT_NEAR(camera.camY, -0.9, 1e-6);
  EXPECT_EQ(camera.yaw, 270.0f);
}

TEST_F(Controls, ArrowAndPadPairsAreExclusive) {
  struct Pair {
    ViewerKey first, second;
    bool ArrowFlags::*own;
    bool ArrowFlags::*partner;
  };
  const Pair pairs[] = {
      {ViewerKey::Right, ViewerKey::Left, &ArrowFlags::moveRight, &ArrowFlags::moveLeft},
      {ViewerKey::Up, ViewerKey::Down, &ArrowFlags::jumpForward, &ArrowFlags::jumpBack},
      {ViewerKey::Pad6, ViewerKey::Pad4, &ArrowFlags::auxRight, &ArrowFlags::auxLeft},
  };
  for (const Pair& p : pairs) {
    viewState = ViewState{};
    int32_t pauses = scripted.pauses100;
    frameWith({p.first});
    EXPECT_TRUE(viewState.input.arrows.*p.own);
    EXPECT_FALSE(viewState.input.arrows.*p.partner);
    frameWith({p.second});  // the partner's press takes over
    EXPECT_FALSE(viewState.input.arrows.*p.own);
    EXPECT_TRUE(viewState.input.arrows.*p.partner);
    frameWith({p.second});  // pressing a set flag's key leaves both clear
    EXPECT_FALSE(viewState.input.arrows.*p.own);
    EXPECT_FALSE(viewState.input.arrows.*p.partner);
    EXPECT_EQ(scripted.pauses100 - pauses, 3);
  }
}

TEST_F(Controls, SpaceAndEnterStopEverySlideAndJump) {
  auto setAll = [] {
    viewState.input.arrows.moveRight = viewState.input.arrows.moveLeft = viewState.input.arrows.jumpForward = true;
    viewState.input.arrows.jumpBack = viewState.input.arrows.auxRight = viewState.input.arrows.auxLeft = true;
  };
  auto noneSet = [] {
    return !viewState.input.arrows.moveRight && !viewState.input.arrows.moveLeft &&
           !viewState.input.arrows.jumpForward && !viewState.input.arrows.jumpBack &&
           !viewState.input.arrows.auxRight && !viewState.input.arrows.auxLeft;
  };
  setAll();
  frameWith({ViewerKey::Space});
  EXPECT_TRUE(noneSet());
  EXPECT_FALSE(viewState.filter.windowMode);

  frameWith({ViewerKey::Right});
  frameWith({ViewerKey::Enter});  // switching while the window slides stops the slide
  EXPECT_TRUE(viewState.filter.windowMode);
  EXPECT_TRUE(noneSet());
  setAll();
  frameWith({ViewerKey::Enter});
  EXPECT_FALSE(viewState.filter.windowMode);
  EXPECT_TRUE(noneSet());
  EXPECT_EQ(scripted.pauses100, 4);
}

TEST_F(Controls, KeypadThresholdStepsInSinglePrecisionWithNoBounds) {
  for (int i = 0; i < 5; ++i) frameWith({ViewerKey::PadMinus});
  EXPECT_EQ(viewState.filter.threshold, 0.08f);

  viewState = ViewState{};
  for (int i = 0; i < 3; ++i) frameWith({ViewerKey::PadPlus});
  EXPECT_LT(viewState.filter.threshold, 0.0f);  // just below zero: every stored record is drawn
  EXPECT_GT(viewState.filter.threshold, -1e-6f);
  EXPECT_EQ(scripted.pauses100, 8);

  // The main row's - and = are the same keys for laptops, held together with the keypad's
  // still one step; they stop at zero.
  recordTable.maxLen = 1000;
  viewState = ViewState{};
  scripted.pauses100 = 0;
  for (int i = 0; i < 5; ++i) frameWith({ViewerKey::Minus});
  EXPECT_EQ(viewState.filter.threshold, 0.08f);
  frameWith({ViewerKey::Equal, ViewerKey::PadPlus});
  EXPECT_EQ(viewState.filter.threshold, static_cast<float>(0.08f - 0.01));
  EXPECT_EQ(scripted.pauses100, 6);
  for (int i = 0; i < 10; ++i) frameWith({ViewerKey::Equal});
  EXPECT_EQ(viewState.filter.threshold, 0.0f);
}

// A press seen only as an event, the key up again before the frame.
void tap(ViewerKey key) {
  keyPressed(key);
  releaseKey(key);
}

TEST_F(Controls, FindingYourWayKeysActOncePerPressHoweverHeld) {
  tap(ViewerKey::H);  // pressed and released between two frames
  frameWith({});
  EXPECT_TRUE(viewState.look.hud);
  keyPressed(ViewerKey::H);
  for (int i = 0; i < 5; ++i) frameWith({ViewerKey::H});  // held over many frames
  EXPECT_FALSE(viewState.look.hud);
  keyPressed(ViewerKey::C, true);  // an auto-repeat is no press
  frameWith({ViewerKey::C});
  EXPECT_EQ(viewState.look.colourMode, 0);
  EXPECT_EQ(scripted.pauses100, 0);
}

TEST_F(Controls, WithArgumentsOriginalKeysActOncePerPressWithoutPausing) {
  actOncePerPress(true);
  tap(ViewerKey::M);
  frameWith({});
  EXPECT_FALSE(viewState.look.showFloor);
  keyPressed(ViewerKey::L);
  for (int i = 0; i < 4; ++i) frameWith({ViewerKey::L});  // held: one flip, not one a frame
  EXPECT_TRUE(viewState.look.pointStyle);
  keyPressed(ViewerKey::Right);
  keyPressed(ViewerKey::Enter);
  frameWith({ViewerKey::Right, ViewerKey::Enter});
  frameWith({ViewerKey::Right, ViewerKey::Enter});
  EXPECT_TRUE(viewState.filter.windowMode);
  EXPECT_FALSE(viewState.input.arrows.moveRight);
  for (int i = 0; i < 3; ++i) keyPressed(ViewerKey::Escape, i > 0);
  EXPECT_EQ(viewState.input.cursorFree, 1);  // Escape too: once, not once per auto-repeat
  EXPECT_EQ(scripted.pauses100, 0);
}

TEST_F(Controls, HeldSteppingKeysRepeatTenTimesASecondAfterFourHundredMs) {
  actOncePerPress(true);
  recordTable.maxLen = 1000;
  keyPressed(ViewerKey::N);
  keyPressed(ViewerKey::PadMinus);
  frameWith({ViewerKey::N, ViewerKey::PadMinus});
  EXPECT_EQ(viewState.zoomSteps, 1);
  scripted.clockMs += 399;
  frameWith({ViewerKey::N, ViewerKey::PadMinus});
  EXPECT_EQ(viewState.zoomSteps, 1);
  scripted.clockMs += 251;  // 650 ms held: steps at 400, 500 and 600
  frameWith({ViewerKey::N, ViewerKey::PadMinus});
  EXPECT_EQ(viewState.zoomSteps, 4);
  EXPECT_EQ(viewState.filter.threshold, static_cast<float>(0.03 + 4 * 0.01));
  frameWith({});
  scripted.clockMs += 1000;
  frameWith({ViewerKey::N});  // down again without a press seen: no repeat
  EXPECT_EQ(viewState.zoomSteps, 4);
}

TEST_F(Controls, ThresholdKeysStayBetweenZeroAndTheLongestPair) {
  recordTable.maxLen = 8000;
  for (int i = 0; i < 100; ++i) tap(ViewerKey::PageUp);
  frameWith({});
  EXPECT_EQ(viewState.filter.threshold, 7.0f);  // every pair hidden, and no further
  tap(ViewerKey::PageDown);
  frameWith({});
  EXPECT_EQ(viewState.filter.threshold, 3.5f);
  actOncePerPress(true);
  for (int i = 0; i < 400; ++i) tap(ViewerKey::PadPlus);
  frameWith({});
  EXPECT_EQ(viewState.filter.threshold, 0.0f);
  viewState.filter.threshold = -1;  // from --threshold: lowering leaves it, raising brings it back
  tap(ViewerKey::Equal);
  frameWith({});
  EXPECT_EQ(viewState.filter.threshold, -1.0f);
  tap(ViewerKey::PageUp);
  frameWith({});
  EXPECT_EQ(viewState.filter.threshold, 7.0f / 8000);
}

TEST_F(Controls, EveryToggleKeyPausesOnceInAFrame) {
  frameWith({ViewerKey::M, ViewerKey::N, ViewerKey::Down, ViewerKey::Up, ViewerKey::Left, ViewerKey::Right,
             ViewerKey::Space, ViewerKey::PadMinus, ViewerKey::PadPlus, ViewerKey::Pad6, ViewerKey::Pad4,
             ViewerKey::Enter, ViewerKey::L, ViewerKey::W, ViewerKey::A});
  EXPECT_EQ(scripted.pauses100, 12);
}

TEST_F(Controls, ABackgroundViewerIgnoresKeysAndMouseButNotEscapePresses) {
  scripted.foreground = false;
  scripted.cursorX = 700;
  scripted.cursorY = 100;
  frameWith({ViewerKey::M, ViewerKey::W, ViewerKey::N, ViewerKey::L, ViewerKey::Q, ViewerKey::Right,
             ViewerKey::PadMinus, ViewerKey::Enter});
  EXPECT_TRUE(sameView(viewState, ViewState{}));
  EXPECT_EQ(camera.camY, -1.0f);
  EXPECT_EQ(camera.yaw, -60.0f);  // not even the first turn's correction
  EXPECT_EQ(scripted.cursorPlacements, 0);
  EXPECT_EQ(scripted.pauses100, 0);

  keyPressed(ViewerKey::Escape);
  EXPECT_EQ(viewState.input.cursorFree, 1);
}

TEST_F(Controls, CaptureTogglesBringTheDisplayCountPastZero) {
  // Captured from the start: every pointer event hides one step more.
  for (int i = 0; i < 5; ++i) pointerOverWindow();
  EXPECT_EQ(scripted.displayCount, -5);

  frameWith({ViewerKey::Q});
  EXPECT_EQ(viewState.input.cursorFree, 1);
  EXPECT_EQ(scripted.displayCount, 1);  // as many shows as it takes to rise above zero
  EXPECT_EQ(scripted.cursorPlacements, 0);  // freeing leaves the cursor where it is
  EXPECT_EQ(scripted.pauses100, 1);

  pointerOverWindow();
  EXPECT_EQ(scripted.displayCount, 2);  // while free, one step more shown

  frameWith({});
  scripted.cursorX = 123;
  keyPressed(ViewerKey::Escape);
  EXPECT_EQ(viewState.input.cursorFree, 0);
  EXPECT_EQ(scripted.displayCount, -1);
  EXPECT_EQ(scripted.cursorX, 400);  // captured at the look centre
  EXPECT_EQ(scripted.pauses100, 2);

  int32_t steps = scripted.displaySteps;
  frameWith({ViewerKey::Q});  // free again, then captured again: two steps each way
  frameWith({ViewerKey::Q});
  EXPECT_EQ(viewState.input.cursorFree, 0);
  EXPECT_EQ(scripted.displayCount, -1);
  EXPECT_EQ(scripted.displaySteps - steps, 4);
}

TEST_F(Controls, EscapeActsOnEveryKeyDownAndOtherKeysDoNothing) {
  for (int i = 0; i < 3; ++i) keyPressed(ViewerKey::Escape);
  EXPECT_EQ(viewState.input.cursorFree, 1);
  EXPECT_EQ(scripted.pauses100, 3);  // auto-repeats too, each with its own pause

  keyPressed(ViewerKey::M);  // polled, never handled here
  keyPressed(ViewerKey::Other);
  EXPECT_TRUE(sameView(viewState, [] {
    ViewState v;
    v.input.cursorFree = 1;
    return v;
  }()));
  EXPECT_EQ(scripted.pauses100, 3);
}

// Moves the mouse during the capture toggle's pause.
void mouseMovesDuringPause(uint32_t) { scripted.cursorX = 420; }

TEST_F(Controls, CapturingFrameLooksAtOnceFreeingFrameDoesNot) {
  scripted.duringPause = mouseMovesDuringPause;
  viewState.input.cursorFree = 1;
  frameWith({ViewerKey::Q});
  EXPECT_EQ(viewState.input.cursorFree, 0);
  EXPECT_EQ(camera.yaw, 296.0f);  // -60 - 4: the 20 px moved while paused
  EXPECT_EQ(scripted.cursorX, 400);

  camera = Camera{};
  frameWith({ViewerKey::Q});
  EXPECT_EQ(viewState.input.cursorFree, 1);
  EXPECT_EQ(camera.yaw, -60.0f);
  EXPECT_EQ(camera.pitch, 70.0f);
}

}  // namespace
