#include "pair_pick.h"

#include <cstdio>

#include <string>
#include <utility>

#include "bar_batch.h"
#include "dot_plot.h"
#include "features_under.h"
#include "camera.h"
#include "cli_tool.h"
#include "frame_readback.h"
#include "pair_facts.h"
#include "platform.h"
#include "view_state_instance.h"

namespace {

// Pixels: a line bar is one pixel wide, and a click a few pixels off still means it.
constexpr double kPickRadius = 8.0;

// A click line names at most this many features at each end.
constexpr size_t kFeaturesNamed = 8;

// A pick that holds while nothing moves.
struct Pin {
  int32_t slot = 0;
  int32_t pointerX = 0, pointerY = 0;
  Camera eye;
};
Pin pin;

bool pinHolds() {
  if (pin.slot == 0) return false;
  int32_t x = 0, y = 0;
  readPointer(&x, &y);
  return x == pin.pointerX && y == pin.pointerY && camera.camX == pin.eye.camX && camera.camY == pin.eye.camY &&
         camera.pitch == pin.eye.pitch && camera.yaw == pin.eye.yaw && camera.camZ == pin.eye.camZ &&
         camera.originX == pin.eye.originX;
}

int32_t pickAt(int32_t x, int32_t y) {
  auto pick = viewState.look.dotPlot ? pickDotPlotPair : pickBatchedBar;
  if (viewState.input.cursorFree != 0) return pick(x + 0.5, y + 0.5, kPickRadius);
  int32_t width = 0, height = 0;
  frameSize(&width, &height);
  return pick(width / 2.0, height / 2.0, kPickRadius);
}

}  // namespace

void pickForNextFrame() {
  ViewState& view = viewState;
  view.input.pointerX = view.input.pointerY = -1;
  if (view.input.cursorFree != 0) readPointer(&view.input.pointerX, &view.input.pointerY);
  if (pinHolds()) {
    view.input.pickedSlot = pin.slot;
    return;
  }
  pin.slot = 0;
  if (view.input.cursorFree == 0 && !view.look.hud) {
    view.input.pickedSlot = 0;
    return;
  }
  int32_t x = 0, y = 0;
  if (view.input.cursorFree != 0) readPointer(&x, &y);
  view.input.pickedSlot = pickAt(x, y);
}

void printClickedPair(int32_t x, int32_t y) { printPairOfSlot(pickAt(x, y)); }

void pinPick(int32_t slot) {
  pin.slot = slot;
  readPointer(&pin.pointerX, &pin.pointerY);
  pin.eye = camera;
  viewState.input.pickedSlot = slot;
}

void printPairOfSlot(int32_t slot) {
  PairFacts facts;
  if (!describePair(slot, facts)) return;
  char line[512];
  formatPairRecord(facts, line, sizeof line);
  std::string features;
  if (viewState.annotations != nullptr)
    for (auto [start, length] : {std::pair<int64_t, int64_t>{facts.position, facts.copyLength},
                                 std::pair<int64_t, int64_t>{facts.partner, facts.partnerLength}}) {
      std::string names = nameFeatures(*viewState.annotations,
                                       featuresUnder(*viewState.annotations, start, start + length), kFeaturesNamed);
      features += "\t" + (names.empty() ? std::string(".") : names);
    }
  std::printf("%s%s\n", line, features.c_str());
  cliFlushStdout();
}
