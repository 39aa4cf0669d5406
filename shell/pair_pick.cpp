#include "pair_pick.h"

#include <cstdio>

#include "bar_batch.h"
#include "cli_tool.h"
#include "frame_readback.h"
#include "pair_facts.h"
#include "platform.h"
#include "view_state_instance.h"

namespace {

constexpr double kPickRadius = 4.0;  // pixels: a line bar is one pixel wide

int32_t pickAt(int32_t x, int32_t y) {
  if (viewState.cursorFree != 0) return pickBatchedBar(x + 0.5, y + 0.5, kPickRadius);
  int32_t width = 0, height = 0;
  frameSize(&width, &height);
  return pickBatchedBar(width / 2.0, height / 2.0, kPickRadius);
}

}  // namespace

void pickForNextFrame() {
  ViewState& view = viewState;
  if (view.cursorFree == 0 && !view.hud) {
    view.pickedSlot = 0;
    return;
  }
  int32_t x = 0, y = 0;
  if (view.cursorFree != 0) readPointer(&x, &y);
  view.pickedSlot = pickAt(x, y);
}

void printClickedPair(int32_t x, int32_t y) {
  PairFacts facts;
  if (!describePair(pickAt(x, y), facts)) return;
  char line[128];
  formatPairRecord(facts, line, sizeof line);
  std::printf("%s\n", line);
  cliFlushStdout();
}
